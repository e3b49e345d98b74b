// The transfer of a parameter set to flowsim over its pseudo-terminal: the checks, the order of
// the writes as flowsim's request log shows it, and what stops a transfer.
#include "params/ParameterTransfer.h"

#include <gtest/gtest.h>

#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "params/ParamsSimSupport.h"
#include "params/ParamsTestSupport.h"

namespace flowcfg {
namespace {

using testing::RecordingProgress;
using testing::ScriptedPrompts;
using testing::SimInstrument;

// A new set (the fields' initial values) for a one-pipe instrument with modules in slots 1-4,
// as flowsim starts by default. A new set is made for the modules of its layout.
LayoutOptions onePipe() {
    LayoutOptions o;
    o.instrumentType = 0;
    o.pipes = 1;
    o.modules = {1, 1, 2, 2};
    return o;
}

struct Transfer {
    SimInstrument sim;
    ScriptedPrompts prompts;
    RecordingProgress progress;
    ParameterPage page;
    Transfer(std::vector<std::string> args, const LayoutOptions& options)
        : sim(std::move(args)),
          page(options, PageContext{prompts, progress, sim.line(), testing::kEnglish},
               ParameterPage::kModeNew) {
        prompts.unscriptedAnswer = true;
        page.Build(nullptr);
        page.exchange().setPause([](int) {});
    }
};

std::vector<int> expectedWrites(bool logger, bool modules, bool resetLogger, bool curves = true) {
    std::vector<int> w;
    if (logger) w.push_back(0x1040);
    for (int a : {0x1080, 0x1000, 0x1200, 0x1400})
        w.push_back(a);
    if (curves)
        for (int a : {0x1300, 0x1500})
            w.push_back(a);
    for (int h = 0; h < 8; ++h)
        w.push_back(0x1100 + 16 * h);
    for (int a : {0xE800, 0xD000, 0x1800})
        w.push_back(a);
    if (modules)
        for (int k = 0; k < 24; ++k)
            w.push_back(0x1600 + 16 * k);
    w.push_back(0xE030);
    if (resetLogger) w.push_back(0xE020);
    w.push_back(0xEFFF);
    return w;
}

TEST(ParameterTransferTest, ASetForTwoPipesIsRefusedByAOnePipeInstrument) {
    LayoutOptions o = onePipe();
    o.instrumentType = 1;
    o.pipes = 2;
    Transfer t({"--pipes", "1"}, o);
    EXPECT_EQ(t.page.TransferToInstrument(), -1);
    ASSERT_EQ(t.prompts.errors.size(), 1u);
    EXPECT_EQ(t.prompts.errors[0].text, "Device connected=1 Pipes\nFile=2 Pipes");
    EXPECT_EQ(t.prompts.errors[0].title, "Caution");
    EXPECT_TRUE(t.prompts.questions.empty());
    EXPECT_TRUE(t.sim.writes().empty());
    // The pre-check read: identification, then 0x1041, 0xFD00, 0xE050.
    std::vector<int> reads;
    for (const auto& r : t.sim.requests())
        reads.push_back(r.start);
    EXPECT_EQ(reads, (std::vector<int>{0xFF00, 0x1041, 0xFD00, 0xE050}));
    EXPECT_EQ(t.page.result(), ParameterPage::kStayOpen);
}

TEST(ParameterTransferTest, EveryBlockIsWrittenInOrderAndTheEndMarkerLast) {
    Transfer t({}, onePipe());
    ASSERT_EQ(t.page.TransferToInstrument(), 0);
    EXPECT_TRUE(t.prompts.errors.empty());
    ASSERT_EQ(t.prompts.questions.size(), 1u);
    EXPECT_EQ(t.prompts.questions[0].text, "Do you want to transfer data to the device ?");
    EXPECT_EQ(t.sim.writtenStarts(), expectedWrites(true, true, false));
    auto writes = t.sim.writes();
    EXPECT_EQ(writes.back().data, "5A5A");
    EXPECT_EQ(writes.back().count, 1);
    for (const auto& w : writes)
        EXPECT_EQ(w.outcome, "ok") << std::hex << w.start;
    EXPECT_EQ(writes[3].count, 62);  // pipe A, up to its jitter
    EXPECT_EQ(writes[5].count, 40);  // the profile curve of pipe A
    EXPECT_EQ(writes[7].count, 13);  // chord 0
    EXPECT_EQ(t.page.result(), ParameterPage::kOk);
    // One step per block and one at the start.
    EXPECT_EQ(t.progress.range, int(writes.size()) + 1);
    EXPECT_EQ(t.progress.steps, t.progress.range);
}

TEST(ParameterTransferTest, ModulesThatDifferAreListedAndTheirBlocksLeftOut) {
    LayoutOptions o = onePipe();
    o.modules[2] = 5;   // slot 3: a PT100 input where the instrument has a relay
    o.modules[16] = 3;  // slot 17: an input where the instrument has nothing
    Transfer t({}, o);
    ASSERT_EQ(t.page.TransferToInstrument(), 0);
    ASSERT_EQ(t.prompts.errors.size(), 1u);
    EXPECT_EQ(t.prompts.errors[0].text,
              "Input / Output :3 17 are not compatible with input/output of the device, there "
              "will not be transfered !");
    EXPECT_EQ(t.prompts.errors[0].title, "Caution");
    EXPECT_EQ(t.sim.writtenStarts(), expectedWrites(true, false, false));
    EXPECT_EQ(t.sim.writes().back().data, "5A5A");
    // The set still holds the modules it was made for.
    EXPECT_EQ(testing::integerOf(t.page, ctl::installedModule(2)), 5);
}

TEST(ParameterTransferTest, TheLoggerQuestionDecidesTheLoggerBlocks) {
    // Hidden logger: no question, the settings are written.
    {
        LayoutOptions o = onePipe();
        o.logger = 1;
        Transfer t({"--logger-params", "6"}, o);
        ASSERT_EQ(t.page.TransferToInstrument(), 0);
        ASSERT_EQ(t.prompts.questions.size(), 1u);  // only the confirmation
        EXPECT_EQ(t.sim.writtenStarts(), expectedWrites(true, true, false));
    }
    // Shown logger, 6 parameters on the instrument, 4 in the set; No keeps the instrument's.
    {
        Transfer t({"--logger-params", "6"}, onePipe());
        t.prompts.answers = {false, true};
        ASSERT_EQ(t.page.TransferToInstrument(), 0);
        ASSERT_EQ(t.prompts.questions.size(), 2u);
        EXPECT_EQ(t.prompts.questions[0].text,
                  "Mismatching logger mode and/or nbr. of parameters. Erase logger ? (if no, we "
                  "keep the device settings)");
        EXPECT_EQ(t.prompts.questions[0].title, "Caution");
        EXPECT_EQ(t.sim.writtenStarts(), expectedWrites(false, true, false));
    }
    // Yes writes the settings and erases the logger just before the end marker.
    {
        Transfer t({"--logger-params", "6"}, onePipe());
        ASSERT_EQ(t.page.TransferToInstrument(), 0);
        EXPECT_EQ(t.sim.writtenStarts(), expectedWrites(true, true, true));
        auto writes = t.sim.writes();
        EXPECT_EQ(writes[writes.size() - 2].data, "0001");
    }
}

TEST(ParameterTransferTest, AFailedWriteStopsTheTransferBeforeTheEndMarker) {
    // Every write to pipe A is refused (the link tries each exchange three times).
    Transfer t({"--fault", "exception=4@0x1200"}, onePipe());
    EXPECT_EQ(t.page.TransferToInstrument(), -1);
    EXPECT_EQ(t.sim.writtenStarts(),
              (std::vector<int>{0x1040, 0x1080, 0x1000, 0x1200, 0x1200, 0x1200}));
    ASSERT_FALSE(t.sim.writes().empty());
    EXPECT_EQ(t.sim.writes().back().outcome, "fault exception");
    ASSERT_EQ(t.prompts.errors.size(), 1u);
    EXPECT_EQ(t.prompts.errors[0].text, "connection failure! The unit does not answer! ");
    EXPECT_EQ(t.prompts.errors[0].title, "Error");
    EXPECT_EQ(t.page.result(), ParameterPage::kStayOpen);
    EXPECT_GE(t.progress.hides, 1);
}

TEST(ParameterTransferTest, NoToTheConfirmationWritesNothingAndTheClockGoesFirstWhenSynchronised) {
    {
        Transfer t({}, onePipe());
        t.prompts.answers = {false};
        EXPECT_EQ(t.page.TransferToInstrument(), -1);
        EXPECT_TRUE(t.sim.writes().empty());
    }
    Transfer t({}, onePipe());
    t.page.table().FindField(ctl::kSynchronise)->setInteger(0);  // "Yes"
    ASSERT_EQ(t.page.TransferToInstrument(), 0);
    auto writes = t.sim.writes();
    ASSERT_GT(writes.size(), 2u);
    EXPECT_EQ(writes[0].start, 0xE010);
    ASSERT_EQ(writes[0].data.size(), 12u);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char year[3];
    std::snprintf(year, sizeof year, "%02X", local.tm_year - 100);
    EXPECT_EQ(writes[0].data.substr(0, 2), year);
    EXPECT_EQ(writes.back().start, 0xEFFF);
}

// An instrument whose pipe blocks end with the jitter and that has no profile curve blocks.
TEST(ParameterTransferTest, AnInstrumentWithoutProfileCurvesIsReadAndWrittenWithoutThem) {
    using B = ParameterBlocks;
    auto curveEnabled = [](ParameterPage& page, int p) {
        return page.table()
            .FindField(ctl::pipeField(p, ctl::pipe::kProfileCoefficient + 5))
            ->isEnabled();
    };
    {
        Transfer t({"--no-profile-curve"}, onePipe());
        ASSERT_EQ(t.page.ReadParameterSet(), 0);
        EXPECT_TRUE(t.prompts.errors.empty());
        EXPECT_FALSE(t.page.table().FindBlock(B::kProfileA)->present);
        EXPECT_FALSE(curveEnabled(t.page, 0) || curveEnabled(t.page, 1));
        // The read went on past the refused curves: identification, then 48 blocks.
        auto reads = t.sim.requests();
        EXPECT_EQ(reads.size(), 1u + 46u + 2u * 3u);  // each refused curve tried three times
        EXPECT_EQ(reads.back().start, 0x1500);
        EXPECT_EQ(reads.back().outcome, "exception 2");
        EXPECT_EQ(reads[3].count, 62);  // pipe A

        ASSERT_EQ(t.page.TransferToInstrument(), 0);
        EXPECT_EQ(t.sim.writtenStarts(), expectedWrites(true, true, false, false));
    }
    // A set with curves (here a new one) sent to it: the refused curves are left out, the
    // transfer ends with the end marker.
    Transfer t({"--no-profile-curve"}, onePipe());
    ASSERT_TRUE(curveEnabled(t.page, 0));
    ASSERT_EQ(t.page.TransferToInstrument(), 0);
    EXPECT_TRUE(t.prompts.errors.empty());
    EXPECT_EQ(t.sim.writes().back().data, "5A5A");
    EXPECT_EQ(t.page.result(), ParameterPage::kOk);
    EXPECT_FALSE(curveEnabled(t.page, 0) || curveEnabled(t.page, 1));
}

TEST(ParameterTransferTest, ReadsReportWhatStopsThem) {
    {
        Transfer t({"--firmware", "07-99-X1"}, onePipe());
        EXPECT_EQ(t.page.ReadParameterSet(), -1);
        ASSERT_EQ(t.prompts.errors.size(), 1u);
        EXPECT_EQ(t.prompts.errors[0].text,
                  "The version of the firmware is not compatible with this software.\nUse the "
                  "software version 07\n07-99-X1");
        EXPECT_EQ(t.prompts.errors[0].title, "Error");
        EXPECT_EQ(t.sim.requests().size(), 1u);
    }
    {
        Transfer t({"--fault", "exception=2@0x1080"}, onePipe());
        EXPECT_EQ(t.page.ReadParameterSet(), -1);
        ASSERT_EQ(t.prompts.errors.size(), 1u);
        EXPECT_EQ(t.prompts.errors[0].text, "connection failure! The unit does not answer! ");
        EXPECT_EQ(t.sim.requests().back().start, 0x1080);
        // Blocks read before the failure keep their new values.
        EXPECT_EQ(testing::shown(t.page, ctl::pipeField(0, ctl::pipe::kDiameter)), "300.0");
    }
    {
        Transfer t({}, onePipe());
        PortTable table;
        table.Assign(SimInstrument::kPort, "/nonexistent/tty");
        PortTable::Install(table);
        EXPECT_EQ(t.page.ReadParameterSet(), -1);
        ASSERT_EQ(t.prompts.errors.size(), 1u);
        EXPECT_EQ(t.prompts.errors[0].text, "Cannot open COM port !");
        EXPECT_EQ(t.prompts.errors[0].title, "Caution");
        EXPECT_EQ(t.page.TransferToInstrument(), -1);
        EXPECT_EQ(t.prompts.errors.back().text, "Cannot open COM port !");
    }
}

}  // namespace
}  // namespace flowcfg
