// The measurement page end to end: its own logic polling flowsim on a pseudo-terminal.
#include "acquisition/MeasurementPage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <sstream>

#include "acquisition/CompletionQueue.h"
#include "acquisition/MeasurementBlocks.h"
#include "acquisition/MeasurementControls.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "sim/SimTestSupport.h"

namespace flowcfg {
namespace {

using namespace flowcfg::testing;
using namespace std::chrono_literals;
using B = MeasurementBlocks;
using Clock = std::chrono::steady_clock;

constexpr int kPort = 9;

// The start registers the instrument was asked for, in order, from flowsim's log.
std::vector<int> requestedStarts(const std::string& log) {
    std::vector<int> starts;
    std::istringstream lines(log);
    std::string line;
    while (std::getline(lines, line)) {
        unsigned start = 0;
        if (std::sscanf(line.c_str(), "%*f slave=%*u fn=%*d start=0x%x", &start) == 1)
            starts.push_back(int(start));
    }
    return starts;
}

class MeasurementPageTest : public ::testing::Test {
protected:
    TestApplication t;
    ScriptedPrompts prompts;
    InstrumentLink link;
    CompletionQueue queue;
    std::unique_ptr<RunningSim> sim;

    struct Observer : MeasurementObserver {
        std::vector<int> indicators;
        int closes = 0;
        AcquisitionPage* page = nullptr;
        void pageStateChanged() override {
            if (indicators.empty() || indicators.back() != page->indicator())
                indicators.push_back(page->indicator());
        }
        void closeRequested() override { ++closes; }
    } observer;

    // flowsim with `args` as COM9 of the configuration.
    void startSim(std::vector<std::string> args, const std::string& device = {}) {
        sim = std::make_unique<RunningSim>(std::move(args));
        PortTable table;
        table.Assign(kPort, device.empty() ? sim->path() : device);
        PortTable::Install(table);
        IniFile config = t.config();
        config.writeReal("Com", "Port", kPort - 1);
        config.writeReal("Com", "Bauds", 5);
        config.writeReal("Com", "JBus", 1);
    }

    std::unique_ptr<MeasurementPage> openPage(MeasurementLayout layout = {}, int opened = 0) {
        auto page = std::make_unique<MeasurementPage>(t.app, prompts, link, layout);
        observer.page = page.get();
        page->setMeasurementObserver(&observer);
        queue.attach(*page);
        EXPECT_EQ(page->Build(nullptr), 0);
        EXPECT_EQ(page->Open(), opened);
        return page;
    }

    // Handles notifications until `cycles` cycles are complete (or the time is up).
    int runCycles(MeasurementPage& page, int cycles, std::chrono::seconds limit = 20s) {
        const auto end = Clock::now() + limit;
        while (page.cycles() < cycles && !page.closed() && Clock::now() < end)
            queue.pump(page, 100ms);
        return page.cycles();
    }
};

TEST_F(MeasurementPageTest, OnePathReadsTheParametersOnceThenCyclesWithoutPathB) {
    startSim({"--pipes", "1", "--modules", "1,3"});
    auto page = openPage();
    ASSERT_EQ(runCycles(*page, 3), 3);
    page->Close();

    std::vector<int> expected{0xFF00};
    expected.insert(expected.end(), kMeasurementParameterOrder.begin(),
                    kMeasurementParameterOrder.end());
    for (int cycle = 0; cycle < 3; ++cycle)
        expected.insert(expected.end(), kMeasurementCycleOrder.begin(),
                        kMeasurementCycleOrder.end() - 1);  // never 0x0600
    std::vector<int> starts = requestedStarts(sim->log());
    ASSERT_GE(starts.size(), expected.size());
    starts.resize(expected.size());
    EXPECT_EQ(starts, expected);

    VariableTable& v = page->table();
    EXPECT_GT(v.FindField(mctl::kFlowA)->value(), 10.0);
    EXPECT_NEAR(v.FindField(mctl::kTotalFlow)->value(), v.FindField(mctl::kFlowA)->value(), 0.01);
    EXPECT_GT(v.FindField(mctl::kDateTime)->value(), 0);
    EXPECT_NEAR(v.FindField(mctl::chordField(0, 0, mctl::chord::kDistance))->value(), 400, 5);
    EXPECT_NEAR(page->trace(0, 0).waterTemperature(), 20, 1);
    EXPECT_EQ(v.FindField(mctl::inputOutputField(1))->text(), "---");
    EXPECT_NE(v.FindField(mctl::inputOutputField(2))->text(), "---");  // the input of slot 3
    EXPECT_NE(v.FindField(mctl::functionField(0))->text(), "---");     // QT through function 1
    EXPECT_EQ(v.FindField(mctl::functionField(9))->text(), "---");     // not configured
    EXPECT_EQ(page->FlowUnitText(), "m3/h");
    EXPECT_EQ(page->ChordWindows().size(), 2u);
    EXPECT_EQ(page->trend().points().size(), 3u);
    EXPECT_EQ(observer.indicators, (std::vector<int>{0}));
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(MeasurementPageTest, TwoPathsReadPathBAndRecordWhatTheyShow) {
    startSim({"--pipes", "2", "--chords", "2", "2"});
    const std::string path = t.dir.file("two.mes");
    std::vector<double> flowsB;  // of each cycle that was recorded
    {
        auto page = openPage({2, true, true});
        page->StartAutomaticRecording(1, 0, path);
        while (flowsB.size() < 3 && runCycles(*page, page->cycles() + 1))
            if (page->sampleCounter() > int(flowsB.size()))
                flowsB.push_back(page->table().FindField(mctl::kFlowB)->value());
        EXPECT_EQ(page->ChordWindows().size(), 4u);
        EXPECT_GT(page->table().FindField(mctl::kFlowB)->value(), 5.0);
    }
    const std::vector<int> starts = requestedStarts(sim->log());
    EXPECT_NE(std::find(starts.begin(), starts.end(), B::kPathB), starts.end());

    // The recording shows the same values, sample by sample.
    MeasurementPage viewer(t.app, prompts, link, {2, true, true});
    ASSERT_EQ(viewer.Build(nullptr), 0);
    ASSERT_EQ(viewer.Open(path), 0);
    ASSERT_EQ(viewer.sampleCount(), 3);
    for (int k = 0; k < 3; ++k) {
        viewer.ShowSample(k);
        EXPECT_NEAR(viewer.table().FindField(mctl::kFlowB)->value(), flowsB[std::size_t(k)], 1e-9)
            << k;
    }
    EXPECT_EQ(viewer.ChordWindows().size(), 4u);
    EXPECT_FALSE(viewer.polling());
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(MeasurementPageTest, LostAnswersShowTheFailureUntilTheInstrumentAnswersAgain) {
    startSim({"--fault", "noanswer@0x0200*5"});
    auto page = openPage();
    ASSERT_EQ(runCycles(*page, 2), 2);
    EXPECT_EQ(observer.indicators, (std::vector<int>{0, 2, 0}));
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(MeasurementPageTest, AnUnpluggedLineIsReportedAndPollingGoesOnWhenItIsBack) {
    const std::string device = t.dir.file("flowsim.tty");
    startSim({"--link", device, "--fault", "unplug=500@0x0200*1"}, device);
    auto page = openPage();
    ASSERT_EQ(runCycles(*page, 2, 30s), 2);
    // The failure is shown and cleared by the next complete cycle. On a busy machine an
    // exchange just after the line is back may still fail and show the failure once more.
    const std::vector<int>& shown = observer.indicators;
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown.front(), 0);
    EXPECT_EQ(shown[1], 2);
    EXPECT_EQ(shown.back(), 0);
    for (int indicator : shown) EXPECT_TRUE(indicator == 0 || indicator == 2) << indicator;
    EXPECT_NE(sim->log().find("line unplugged"), std::string::npos);
}

TEST_F(MeasurementPageTest, StartFailuresAreShownAndThePageCloses) {
    startSim({"--firmware", "03-99-B2.14"});
    auto page = openPage({}, -1);  // the firmware of another family
    EXPECT_TRUE(page->closed());
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0].text.rfind("Version du firmware ", 0), 0u);
    EXPECT_NE(prompts.errors[0].text.find("03-99-B2.14"), std::string::npos);

    prompts.errors.clear();
    t.config().writeReal("Com", "JBus", 7);  // nobody answers
    auto silent = openPage({}, -1);
    EXPECT_TRUE(silent->closed());
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0].title, "Erreur");
    EXPECT_EQ(observer.closes, 2);
}

TEST_F(MeasurementPageTest, ClosingWhileAnExchangeIsOnTheLineDoesNotWait) {
    startSim({"--fault", "delay=800@0x0200"});
    auto page = openPage();
    ASSERT_EQ(runCycles(*page, 1), 1);
    // The seven blocks before 0x0200, whose answer then comes 800 ms late.
    for (int handled = 0; handled < 7;)
        handled += queue.pump(*page, 2000ms) ? 1 : 100;
    std::this_thread::sleep_for(300ms);
    const auto before = Clock::now();
    page->Close();
    // At most the receive thread's wait for its byte: not the tries and time-outs.
    EXPECT_LT(Clock::now() - before, 700ms);
    EXPECT_FALSE(link.IsPolling());
    const int posted = queue.pending();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(queue.pending(), posted);  // nothing more arrives
    queue.pump(*page, 10ms);             // a notification left over changes nothing
    EXPECT_EQ(page->cycles(), 1);
}

}  // namespace
}  // namespace flowcfg
