// flowcfg-cli print: a saved page's report as a PDF file, read back with poppler.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliTestSupport.h"
#include "common/PdfText.h"
#include "common/ScriptedPrompts.h"
#include "common/TempDir.h"
#include "params/ParameterControls.h"
#include "params/ParameterPage.h"
#include "params/ParamsTestSupport.h"
#include "params/ProgressView.h"
#include "shell/IniFile.h"

namespace flowcfg {
namespace {

using testing::TempDir;

struct PrintSite {
    TempDir dir;
    std::string config = dir.file("site.cfg");
    std::string settings = dir.file("poste-7.eta");
    testing::ScriptedPrompts prompts;
    NoProgress progress;
    testing::NoInstrument line;
    // The set of a one-pipe instrument, as saved by the settings page.
    ParameterPage page{LayoutOptions{}, PageContext{prompts, progress, line, 2},
                       ParameterPage::kModeNew};

    PrintSite() {
        IniFile(config).writeReal("Language", "Language", 1);  // English
        page.Build(nullptr);
        VariableTable& t = page.table();
        t.FindField(ctl::kUnitName)->setText("POSTE 7");
        t.FindField(ctl::pipeField(0, ctl::pipe::kDiameter))->setValue(512.3);
        t.FindField(ctl::pipeField(1, ctl::pipe::kDiameter))->setValue(777.7);  // pipe B: no tab
        EXPECT_EQ(page.SaveParameterSet(settings), 0);
    }

    testing::CliRun run(std::vector<std::string> args) {
        args.insert(args.end(), {"--config", config});
        return testing::runCliCommand(args, testing::environmentIn(dir));
    }
};

// A caption that the layout had to break over two lines is found by its first words.
bool printedWithValue(const std::string& text, const std::string& caption,
                      const std::string& value) {
    std::string prefix = caption;
    while (!prefix.empty()) {
        if (testing::hasLineWith(text, prefix, value)) return true;
        const std::size_t blank = prefix.rfind(' ');
        if (blank == std::string::npos || blank < 8) break;
        prefix.resize(blank);
    }
    return false;
}

TEST(PrintCommandTest, PdfOfASettingsFileHoldsEveryPrintedField) {
    PrintSite site;
    const std::string pdf = site.dir.file("poste-7.pdf");
    auto run = site.run({"print", site.settings, "--pdf", pdf});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(pdf + ": "), std::string::npos) << run.out;
    const int pages = testing::pdfPages(pdf);
    EXPECT_GE(pages, 2);
    const std::string text = testing::pdfText(pdf);
    ASSERT_FALSE(text.empty());

    const std::string title = text.substr(0, text.find('\n'));
    EXPECT_NE(title.find("Settings - "), std::string::npos) << title;
    EXPECT_NE(title.find("poste-7.eta"), std::string::npos) << title;
    EXPECT_NE(text.find("Printed at "), std::string::npos);
    EXPECT_NE(text.find("Zq4xxKRw 03"), std::string::npos);
    EXPECT_TRUE(testing::containsReading(text, "1 / " + std::to_string(pages)));
    EXPECT_TRUE(testing::hasLineWith(text, "Unit Name", "POSTE 7"));
    EXPECT_TRUE(testing::hasLineWith(text, "Ext. Diameter", "512.3"));
    // Fields of tabs the layout does not show are not printed.
    EXPECT_EQ(text.find("777.7"), std::string::npos);
    EXPECT_EQ(text.find("Definition of cords B"), std::string::npos);

    LanguageTable texts;
    int printed = 0;
    for (BoundField& field : site.page.table().fields()) {
        const VariableDescriptor& d = field.descriptor();
        if (!field.isPrinted() || !field.isVisible() || !d.captionText ||
            !(d.kind & VariableDescriptor::kValueKinds))
            continue;
        const std::string caption = texts.text(d.captionText, 2);
        std::string value = site.page.rules().ValueText(field);
        value.erase(0, value.find_first_not_of(' '));
        EXPECT_TRUE(printedWithValue(text, caption, value)) << caption << " = " << value;
        ++printed;
    }
    EXPECT_GT(printed, 150);
}

TEST(PrintCommandTest, WrongArgumentsAndFilesAreRefused) {
    PrintSite site;
    const std::string pdf = site.dir.file("out.pdf");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"print", "--pdf", pdf}, 2, "give one file to print"},
        {{"print", site.settings}, 2, "give either --pdf OUT.pdf or --printer NAME"},
        {{"print", site.settings, "--pdf", pdf, "--printer", "lp"}, 2, "give either"},
        {{"print", site.dir.file("notes.txt"), "--pdf", pdf}, 2, "no page prints files"},
        {{"print", site.settings, "--pdf", pdf, "--sample", "2"}, 2, "--sample goes with"},
        {{"print", site.dir.file("a.mes"), "--pdf", pdf, "--sample", "0"}, 2, "from 1"},
        {{"print", site.dir.file("missing.eta"), "--pdf", pdf}, 1, "Couldn't open source file"},
        {{"print", site.settings, "--printer", "no-such-printer"}, 1, "no printer named"},
        {{"print", site.settings, "--pdf", site.dir.file("no/such/dir/out.pdf")},
         1,
         "Printer wouldn't initalize"},
    };
    for (const Case& c : cases) {
        auto run = site.run(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back();
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(testing::pdfPages(pdf), 0) << "nothing printed";
    }
}

}  // namespace
}  // namespace flowcfg
