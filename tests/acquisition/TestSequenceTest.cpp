// The factory test against flowsim on a pseudo-terminal: the four prepared files sent, the
// frame and measurement recordings, the export for the macro; a file that cannot be read stops
// the test at its page; the measurement file's name.
#include "acquisition/TestSequence.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>

#include <algorithm>

#include "acquisition/MeasurementPage.h"
#include "acquisition/TestBenchPage.h"
#include "acquisition/TransferKeys.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "params/ConfiguredLinkExchange.h"
#include "params/FactorySettingsPage.h"
#include "params/FunctionPage.h"
#include "params/ParameterSession.h"
#include "params/SpecialSettingsPage.h"
#include "params/WindowlessPageRunner.h"
#include "sim/SimTestSupport.h"

namespace flowcfg {
namespace {

using namespace flowcfg::testing;

constexpr std::time_t kPcTime = 1780000000;
constexpr int kEnglish = 2;

// The PC clock of a test: the start at kPcTime, then twenty times as fast as the real one, so
// that the frame recordings' half minute passes in a second and a half.
std::function<std::time_t()> fastClock() {
    auto origin = std::make_shared<std::chrono::steady_clock::time_point>();
    return [origin]() -> std::time_t {
        const auto now = std::chrono::steady_clock::now();
        if (*origin == std::chrono::steady_clock::time_point{}) *origin = now;
        return kPcTime + std::time_t(20 * std::chrono::duration<double>(now - *origin).count());
    };
}

// The starts of the blocks flowsim was asked to write (function 16).
std::set<int> writtenStarts(const std::string& log) {
    std::set<int> starts;
    std::istringstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        unsigned start = 0;
        int function = 0;
        if (std::sscanf(line.c_str(), "%*f slave=%*u fn=%d start=0x%x", &function, &start) == 2 &&
            function == 16)
            starts.insert(int(start));
    }
    return starts;
}

class RecordingLauncher : public ProgramLauncher {
public:
    int start(const std::string& program, const std::vector<std::string>& arguments) override {
        this->program = program;
        this->arguments = arguments;
        return 0;
    }
    std::string program;
    std::vector<std::string> arguments;
};

struct StepLog : TestSequenceObserver {
    std::vector<std::string> lines;
    // Pressed as soon as the first frame recording has a sample.
    TestSequence* cancelDuringFrames = nullptr;
    void samplesRecorded(TestStep step, int) override {
        if (cancelDuringFrames && step == TestStep::FirstFrames) cancelDuringFrames->Cancel();
    }
    void stepStarted(TestStep, const std::string& name) override { lines.push_back("> " + name); }
    void stepEnded(TestStep, const std::string& name, TestOutcome outcome) override {
        lines.push_back((outcome == TestOutcome::Ok ? "ok " : "stop ") + name);
    }
};

// flowsim at COM9, the configuration talking to it at 9600 baud in English, and the four files
// of a test read from it.
struct Bench {
    TestApplication t;
    RunningSim sim{{}};
    ScriptedPrompts prompts;
    NoProgress progress;
    InstrumentLink link;
    IniFile config = t.config();
    ConfiguredLinkExchange line{config, link};
    PageContext context{prompts, progress, line, kEnglish};
    TestSettings settings;

    Bench() {
        PortTable ports;
        ports.Assign(9, sim.path());
        PortTable::Install(ports);
        config.writeReal("Com", "Port", 8);
        config.writeReal("Com", "Bauds", 5);
        config.writeReal("Com", "JBus", 1);
        config.writeReal("Language", "Language", 1);
        prompts.unscriptedAnswer = true;
        settings.saveDirectory = t.dir.path();
        settings.serial = 24;
        settings.serialNext = 7;
        settings.serialLast = 42;
        settings.settingsFile = t.dir.file("set.eta");
        settings.specialFile = t.dir.file("set.rsp");
        settings.factoryFile = t.dir.file("set.rus");
        settings.functionFile = t.dir.file("set.fct");
    }

    void prepareFiles() {
        auto quick = [](auto& page) { page.exchange().setPause([](int) {}); };
        SpecialSettingsPage special(context, BlockPage::kModeRead);
        quick(special);
        ASSERT_EQ(special.Start(nullptr), BlockPage::kStayOpen);
        ASSERT_EQ(special.Save(settings.specialFile), 0);
        FunctionPage functions(context, BlockPage::kModeRead);
        quick(functions);
        ASSERT_EQ(functions.Start(nullptr), BlockPage::kStayOpen);
        ASSERT_EQ(functions.Save(settings.functionFile), 0);
        FactorySettingsPage factory(context, BlockPage::kModeNew);
        ASSERT_EQ(factory.Start(nullptr), BlockPage::kStayOpen);
        factory.setChoice(FactorySettingsPage::kUpgrade, true);
        factory.setUpgradeName("KV4-2027.BIN");
        ASSERT_EQ(factory.Save(settings.factoryFile), 0);

        struct SavingHost : ParameterDialogHost {
            std::string path;
            ParameterPage::Result run(ParameterPage& page) override {
                page.Start(nullptr);
                return page.SaveParameterSet(path) == 0 ? ParameterPage::kOk
                                                        : ParameterPage::kCancel;
            }
        } host;
        host.path = settings.settingsFile;
        ParameterSession session(config, context, nullptr, host);
        ASSERT_EQ(session.Run(ParameterPage::kModeRead), ParameterPage::kOk);
    }

    // The test as the dialog runs it, with "JBus" at an address flowsim does not answer.
    TestResult run(StepLog& log, RecordingLauncher& launcher, bool cancelDuringFrames = false) {
        config.writeReal("Com", "JBus", 7);
        WindowlessPageRunner pages(config, context);
        pages.setPause([](int) {});
        TestSequence test(t.app, prompts, link, pages);
        test.setObserver(&log);
        if (cancelDuringFrames) log.cancelDuringFrames = &test;
        test.setPcClock(fastClock());
        TestDurations durations;
        durations.measurementMinutes = 0.03;  // on the instrument's clock, which is real time
        test.setDurations(durations);
        test.setExportTools(nullptr, &launcher);
        return test.Run(settings);
    }
};

// The samples of a recording, as its page shows them.
int framesIn(Bench& bench, const std::string& path) {
    TestBenchPage page(bench.t.app, bench.prompts, bench.link);
    return page.OpenPage(path) == 0 ? page.sampleCount() : -1;
}
int measurementsIn(Bench& bench, const std::string& path) {
    MeasurementPage page(bench.t.app, bench.prompts, bench.link, MeasurementLayout{2, true, true});
    return page.Build(nullptr) == 0 && page.Open(path) == 0 ? page.sampleCount() : -1;
}

TEST(TestSequenceTest, SendsTheFourFilesRecordsFramesAndMeasurementAndExportsForTheMacro) {
    Bench bench;
    bench.prepareFiles();
    bench.config.writeString("Spreadsheet", "Path Spreadsheet", "/opt/office/EXCEL.EXE");
    bench.settings.macro = "/macros/test.xlsm";
    bench.settings.controller = "M. Dupont";
    const std::string logBefore = bench.sim.log();
    StepLog log;
    RecordingLauncher launcher;
    const TestResult result = bench.run(log, launcher);

    ASSERT_EQ(result.outcome, TestOutcome::Ok) << (log.lines.empty() ? "" : log.lines.back());
    EXPECT_EQ(log.lines.size(), 16u);
    EXPECT_EQ(log.lines[0], "> Settings : set.eta");
    EXPECT_EQ(log.lines[1], "ok Settings : set.eta");
    EXPECT_EQ(log.lines[9], "ok SPI frames : testTemp.trameSpi");
    EXPECT_TRUE(bench.prompts.errors.empty()) << bench.prompts.errors[0].text;
    EXPECT_TRUE(bench.prompts.questions.empty());

    // Every page's blocks went to the instrument: the parameter set with its end marker, the
    // identity block and its reset, the factory command, the function blocks.
    const std::set<int> written = writtenStarts(bench.sim.log().substr(logBefore.size()));
    for (int start : {0xEFFF, 0xFD00, 0xEFFE, 0xEFFD, 0xD000, 0xD100, 0xD200})
        EXPECT_TRUE(written.count(start)) << std::hex << start;
    EXPECT_NE(bench.sim.log().find("command upgrade KV4-2027.BIN"), std::string::npos);

    // The recordings, named after the serial number and the PC's time at the start.
    std::tm local{};
    const std::time_t at = kPcTime;
    localtime_r(&at, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y_%m_%d_%H_%M_%S", &local);
    const std::string stem = bench.t.dir.file(std::string("RT7-24_07_00042 ") + stamp);
    EXPECT_EQ(result.measurementFile, stem + ".mes");
    EXPECT_EQ(result.firstFrames, stem + ".trameSpi");
    EXPECT_EQ(result.secondFrames, bench.t.dir.file("testTemp.trameSpi"));
    EXPECT_GE(framesIn(bench, result.firstFrames), 2);  // 0.49 min at twenty times
    EXPECT_GE(framesIn(bench, result.secondFrames), 1);
    EXPECT_GE(measurementsIn(bench, result.measurementFile), 1);

    // The export: the frames as text for the macro, the measurement through the macro.
    const std::string framesText = readFile(result.framesExport);
    EXPECT_GE(std::count(framesText.begin(), framesText.end(), '\n'), 3) << framesText;
    const TransferKeys keys = TransferKeys::parse(readFile(bench.t.dir.file("KVNTransfert.$dat")));
    EXPECT_EQ(keys.value("TYPE"), "TEST");
    EXPECT_EQ(keys.value("F_OUT"), bench.t.dir.file("mesureTemp.xls"));
    EXPECT_EQ(keys.value("F_IN_2"), result.framesExport);
    EXPECT_EQ(keys.value("NOM_CONTROLEUR"), "M. Dupont");
    EXPECT_EQ(launcher.program, "/opt/office/EXCEL.EXE");
    ASSERT_FALSE(launcher.arguments.empty());
    EXPECT_EQ(launcher.arguments.back(), "/macros/test.xlsm");
    const std::string measurementText = readFile(keys.value("F_IN"));
    EXPECT_GE(std::count(measurementText.begin(), measurementText.end(), '\n'), 2);

    // The dialog's fields were kept, and the address is back.
    const TestSettings stored = TestSettings::Load(bench.config);
    EXPECT_EQ(stored.serialLast, 42);
    EXPECT_EQ(stored.controller, "M. Dupont");
    EXPECT_EQ(stored.macro, "/macros/test.xlsm");
    EXPECT_EQ(bench.config.readReal("Com", "JBus", -1), 7);
}

TEST(TestSequenceTest, AFileThatCannotBeReadStopsTheTestAtItsPageAndTheAddressComesBack) {
    Bench bench;
    bench.prepareFiles();
    bench.settings.specialFile = bench.t.dir.file("missing.rsp");
    StepLog log;
    RecordingLauncher launcher;
    const TestResult result = bench.run(log, launcher);

    EXPECT_EQ(result.outcome, TestOutcome::Failed);
    ASSERT_TRUE(result.stoppedAt.has_value());
    EXPECT_EQ(*result.stoppedAt, TestStep::SpecialFile);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"> Settings : set.eta", "ok Settings : set.eta",
                                                   "> Special Settings : missing.rsp",
                                                   "stop Special Settings : missing.rsp"}));
    ASSERT_FALSE(bench.prompts.errors.empty());
    EXPECT_EQ(bench.prompts.errors.back().text,
              "The test stopped at: Special Settings : missing.rsp");
    EXPECT_FALSE(std::filesystem::exists(bench.t.dir.file("testTemp.trameSpi")));
    EXPECT_TRUE(launcher.program.empty());
    EXPECT_EQ(bench.config.readReal("Com", "JBus", -1), 7);
}

TEST(TestSequenceTest, CancelDuringARecordingEndsTheTestThereKeepingTheSamplesWritten) {
    Bench bench;
    bench.prepareFiles();
    StepLog log;
    RecordingLauncher launcher;
    const TestResult result = bench.run(log, launcher, true);

    EXPECT_EQ(result.outcome, TestOutcome::Cancelled);
    EXPECT_EQ(result.stoppedAt, TestStep::FirstFrames);
    ASSERT_FALSE(log.lines.empty());
    EXPECT_EQ(log.lines.back(), "stop SPI frames : testTemp.trameSpi");
    EXPECT_TRUE(bench.prompts.errors.empty()) << bench.prompts.errors[0].text;
    EXPECT_GE(framesIn(bench, bench.t.dir.file("testTemp.trameSpi")), 1);
    EXPECT_FALSE(std::filesystem::exists(result.measurementFile));
    EXPECT_EQ(bench.config.readReal("Com", "JBus", -1), 7);
}

TEST(TestSettingsTest, TheMeasurementFileIsNamedAfterTheSerialNumberAndTheTime) {
    struct Case {
        double serial, next, last;
        std::tm at;
        const char* name;
    };
    for (const Case& c : {Case{24, 7, 42, std::tm{3, 45, 10, 8, 11, 126, 0, 0, 0, 0, nullptr},
                               "/t/RT7-24_07_00042 2026_12_08_10_45_03.mes"},
                          Case{123, 0, 654321, std::tm{59, 59, 23, 31, 0, 99, 0, 0, 0, 0, nullptr},
                               "/t/RT7-123_00_654321 1999_01_31_23_59_59.mes"}}) {
        TestSettings s;
        s.saveDirectory = "/t";
        s.serial = c.serial;
        s.serialNext = c.next;
        s.serialLast = c.last;
        EXPECT_EQ(s.MeasurementFile(c.at), c.name);
    }
}

}  // namespace
}  // namespace flowcfg
