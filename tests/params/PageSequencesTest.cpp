// The main window's sequences: save all, print all and the initialisation page, with a script
// in place of the pages.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>

#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "params/InitialisationPage.h"
#include "params/PageSequences.h"

namespace flowcfg {
namespace {

using testing::ScriptedPrompts;
using testing::TestApplication;
using Page = SequencePage;

// Every page ends with OK but `failing`; `during` runs inside each page.
struct ScriptedRunner : SequenceRunner {
    std::optional<Page> failing;
    std::function<void(const SequenceStep&)> during;
    bool run(const SequenceStep& step) override {
        if (during) during(step);
        return step.page != failing;
    }
};

std::vector<Page> pagesOf(const SequenceResult& result) {
    std::vector<Page> pages;
    for (const SequenceStep& step : result.ran)
        pages.push_back(step.page);
    return pages;
}

TEST(PageSequencesTest, SaveAllAndPrintAllStopAtTheFirstPageThatDoesNotEndWithOk) {
    const std::vector<Page> all = {Page::Settings, Page::SpecialSettings, Page::Function,
                                   Page::Measurement};
    for (std::size_t failing = 0; failing <= all.size(); ++failing) {
        ScriptedRunner runner;
        if (failing < all.size()) runner.failing = all[failing];
        const std::size_t expectedSteps = std::min(failing + 1, all.size());

        SequenceResult saved = runSaveAll(runner, "/data/site.");
        EXPECT_EQ(saved.ok, failing == all.size());
        EXPECT_EQ(saved.stoppedAt, runner.failing);
        EXPECT_EQ(pagesOf(saved), std::vector<Page>(all.begin(), all.begin() + expectedSteps));
        for (const SequenceStep& step : saved.ran) {
            EXPECT_EQ(step.stem, "/data/site.");
            const bool recording = step.page == Page::Measurement;
            EXPECT_EQ(step.mode, recording ? 1 : 65);
            EXPECT_EQ(step.recordPeriod, recording ? 1 : 0);
            EXPECT_DOUBLE_EQ(step.recordDuration, recording ? 0.1 : 0);
        }

        if (failing == all.size() - 1) continue;  // printing has no measurement page
        SequenceResult printed = runPrintAll(runner);
        EXPECT_EQ(printed.ok, failing >= all.size() - 1);
        EXPECT_EQ(pagesOf(printed),
                  std::vector<Page>(all.begin(), all.begin() + std::min(expectedSteps, 3ul)));
        for (const SequenceStep& step : printed.ran)
            EXPECT_EQ(step.mode, 129);
    }
}

TEST(PageSequencesTest, SaveAllFilterAndStem) {
    const std::vector<std::string> extensions = {"eta", "rsp", "fct", "mes"};
    EXPECT_EQ(saveAllFilter("Fichier", extensions),
              "Fichier (*.eta;*.rsp;*.fct;*.mes)|*.eta;*.rsp;*.fct;*.mes|");
    for (auto [chosen, stem] :
         {std::pair{"/data/site", "/data/site."}, std::pair{"/data/site.fct", "/data/site."},
          std::pair{"/data/site.2026", "/data/site.2026."},
          std::pair{"/data.eta/site", "/data.eta/site."}})
        EXPECT_EQ(saveAllStem(chosen, extensions), stem) << chosen;
}

TEST(PageSequencesTest, InitialisationSendsTheChosenFilesAtAddressZeroAndAlwaysRestoresJBus) {
    struct Case {
        bool settings, factory;
        int cancelledDialog;  // -1: none; else the index of the file dialog cancelled
        std::optional<Page> failing;
        bool throws;
        std::vector<Page> ran;
        bool ok;
    };
    const Case cases[] = {
        {true, true, -1, std::nullopt, false, {Page::Settings, Page::FactorySettings}, true},
        {false, true, -1, std::nullopt, false, {Page::FactorySettings}, true},
        {true, true, -1, Page::Settings, false, {Page::Settings}, false},
        {true,
         true,
         -1,
         Page::FactorySettings,
         false,
         {Page::Settings, Page::FactorySettings},
         false},
        {false, false, -1, std::nullopt, false, {}, true},
        {true, false, -1, std::nullopt, true, {}, false},
        {true, true, 0, std::nullopt, false, {}, false},
        {true, true, 1, std::nullopt, false, {}, false},
    };
    const std::map<Page, std::string> files = {{Page::Settings, "/prepared/site.eta"},
                                               {Page::FactorySettings, "/prepared/site.rus"}};
    for (const Case& c : cases) {
        TestApplication t;
        t.config().writeReal("Com", "JBus", 7);
        ScriptedPrompts prompts;
        for (auto [chosen, page] :
             {std::pair{c.settings, Page::Settings}, std::pair{c.factory, Page::FactorySettings}})
            if (chosen) prompts.files.push_back(files.at(page));
        if (c.cancelledDialog >= 0) prompts.files[std::size_t(c.cancelledDialog)] = std::nullopt;
        ScriptedRunner runner;
        runner.failing = c.failing;
        std::vector<Page> ran;
        runner.during = [&](const SequenceStep& step) {
            EXPECT_EQ(t.config().readReal("Com", "JBus", -1), 0);
            EXPECT_EQ(step.mode, 16);
            EXPECT_EQ(step.file, files.at(step.page));
            if (c.throws) throw std::runtime_error("window closed");
            ran.push_back(step.page);
        };
        InitialisationPage page(t.app, prompts, runner);
        ASSERT_EQ(page.Build(), 0);
        EXPECT_FALSE(page.chosen(InitialisationPage::kSettingsField));  // "No" at first
        page.choose(InitialisationPage::kSettingsField, c.settings);
        page.choose(InitialisationPage::kFactorySettingsField, c.factory);
        if (c.throws) {
            EXPECT_THROW(page.Transfer(), std::runtime_error);
        } else {
            EXPECT_EQ(page.Transfer().ok, c.ok);
        }
        EXPECT_EQ(ran, c.ran);
        EXPECT_EQ(page.closedWithOk(), c.ok);
        EXPECT_FALSE(page.busy());
        EXPECT_EQ(t.config().readReal("Com", "JBus", -1), 7);
        // One open dialog per chosen page up to a cancelled one, in the save directory.
        const std::size_t asked = c.cancelledDialog >= 0 ? std::size_t(c.cancelledDialog) + 1
                                                         : std::size_t(c.settings + c.factory);
        ASSERT_EQ(prompts.fileRequests.size(), asked);
        for (const FileRequest& request : prompts.fileRequests) {
            EXPECT_EQ(request.mode, FileRequest::Mode::Open);
            EXPECT_EQ(request.initialPath, t.app.settings().saveDirectory);
        }
        if (c.settings && asked > 0) {
            EXPECT_NE(prompts.fileRequests[0].filter.find("(*.eta)"), std::string::npos);
        }
        if (c.factory && asked == 2) {
            EXPECT_NE(prompts.fileRequests[1].filter.find("(*.rus)"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace flowcfg
