#pragma once

#include <chrono>
#include <ctime>
#include <functional>
#include <optional>
#include <string>

#include "acquisition/SpreadsheetExport.h"
#include "acquisition/TestSettings.h"
#include "link/InstrumentLink.h"
#include "params/PageSequences.h"
#include "shell/PageBase.h"

namespace flowcfg {

class AcquisitionPage;

// The steps of the factory test, in the order they run.
enum class TestStep {
    SettingsFile,  // the settings page sends "Path Test Parametrage" (mode 16)
    SpecialFile,   // the special settings page sends "Path Test Reglage Special"
    FactoryFile,   // the factory settings page sends "Path Test Reglage Usine"
    FunctionFile,  // the function page sends "Path Test Fonction"
    FirstFrames,   // the test bench page records "testTemp.trameSpi" (0.49 min at 1 s)
    Measurement,   // the measurement page records "RT7-... .mes"
    SecondFrames,  // the test bench page records "testTemp.trameSpi" again (0.05 min)
    Export,        // the frames to "testTemp.xls", the measurement to "mesureTemp.xls"
};

enum class TestOutcome { Ok, Failed, Cancelled };

// What the test dialog shows while the sequence runs.
class TestSequenceObserver {
public:
    virtual ~TestSequenceObserver() = default;
    // `name` is the step's page and, for the recordings and the export, its file.
    virtual void stepStarted(TestStep step, const std::string& name) = 0;
    virtual void stepEnded(TestStep step, const std::string& name, TestOutcome outcome) = 0;
    // A recording step wrote one more sample.
    virtual void samplesRecorded(TestStep step, int samples) { (void)step, (void)samples; }
};

// How long the recordings run: the test's own durations unless a caller gives others (the
// tests shorten the measurement, which runs on the instrument's clock).
struct TestDurations {
    int periodSeconds = 1;
    double firstFramesMinutes = 0.49;
    double measurementMinutes = 0.1;
    double secondFramesMinutes = 0.05;
};

struct TestResult {
    TestOutcome outcome = TestOutcome::Ok;
    std::optional<TestStep> stoppedAt;  // the step that failed or was cancelled
    std::string firstFrames;            // the first frame recording, kept under the test's name
    std::string measurementFile;
    std::string secondFrames;
    std::string framesExport;       // "testTemp.xls"
    std::string measurementExport;  // "mesureTemp.xls"
};

// "&Test KVN" without its window: the factory test of one instrument.
//
//   1 ... 4  the settings, special settings, factory settings and function files of the test
//            settings, each sent by its page in mode 16 without a question (through `pages`);
//   5        the frames of the timing circuit recorded into "testTemp.trameSpi" of the test
//            directory for 0.49 min, one frame a second; the recording is then renamed after
//            the measurement file (".trameSpi" in place of ".mes"), because step 7 records
//            under the same name;
//   6        the measurement recorded into "RT7-SS_SS_SSSSS YYYY_MM_DD_hh_mm_ss.mes" (the
//            serial number and the PC's local time when the test started), 1 sample a second;
//   7        the frames recorded into "testTemp.trameSpi" again for 0.05 min;
//   8        the frames of step 7 converted to "testTemp.xls" (text, for the macro), then the
//            measurement exported as "mesureTemp.xls" with the macro of "Path Macro TEST",
//            which the spreadsheet program gets as an automatic export does.
//
// The settings of the dialog are written back first. The sequence stops at the first step that
// does not end well and says which ("The test stopped at: " + the step); Cancel ends it between
// steps and during a recording. "Com"/"JBus" is 0 while it runs, so that whatever address the
// settings file gives the instrument it keeps answering, and is written back afterwards
// however the sequence ends.
class TestSequence : public PageBase {
public:
    static constexpr const char* kFramesFile = "testTemp.trameSpi";
    static constexpr const char* kFramesExport = "testTemp.xls";
    static constexpr const char* kMeasurementExport = "mesureTemp.xls";
    static constexpr const char* kFramesExtension = ".trameSpi";
    // A recording that gets no sample for this long has lost its instrument.
    static constexpr std::chrono::seconds kSilence{20};
    static constexpr int kStoppedAtText = 459;  // "The test stopped at: "
    static constexpr int kErrorText = 212;      // "Error"

    TestSequence(Application& application, Prompts& prompts, InstrumentLink& link,
                 SequenceRunner& pages);

    void setObserver(TestSequenceObserver* observer) { observer_ = observer; }
    // The PC clock: the measurement file's name and the frames' times (tests give their own).
    void setPcClock(std::function<std::time_t()> clock) { pcClock_ = std::move(clock); }
    void setDurations(const TestDurations& durations) { durations_ = durations; }
    // Called between two looks for the recording pages' notifications (every 50 ms): the
    // desktop tool lets its windows work there.
    void setBetweenNotifications(std::function<void()> between) { between_ = std::move(between); }
    // What the export shows and starts (the progress of its conversion, the program).
    void setExportTools(ProgressView* progress, ProgramLauncher* launcher);

    // Runs the whole test with `settings`.
    TestResult Run(const TestSettings& settings);
    // Cancel: the step that runs ends as soon as it can and no other starts.
    void Cancel() { cancelRequested_ = true; }
    bool running() const { return running_; }

    // The name the progress shows for a step: its page ("Settings" ... "Export data").
    std::string StepName(TestStep step);

private:
    bool RunPage(TestStep step, SequencePage page, const std::string& file);
    bool Record(TestStep step, AcquisitionPage& page, double minutes, const std::string& path);
    bool RecordFrames(TestStep step, double minutes, const std::string& path);
    bool RecordMeasurement(const std::string& path);
    bool ExportRecordings(TestResult& result);
    void Started(TestStep step, const std::string& name);
    bool Ended(TestStep step, const std::string& name, bool ok, TestResult& result);

    InstrumentLink& link_;
    SequenceRunner& pages_;
    TestSequenceObserver* observer_ = nullptr;
    std::function<std::time_t()> pcClock_;
    std::function<void()> between_;
    TestDurations durations_;
    ProgressView* exportProgress_ = nullptr;
    ProgramLauncher* launcher_ = nullptr;
    bool cancelRequested_ = false;
    bool running_ = false;
};

// The text of a step's name with its file: "SPI frames : testTemp.trameSpi".
std::string testStepLabel(const std::string& stepName, const std::string& file);

}  // namespace flowcfg
