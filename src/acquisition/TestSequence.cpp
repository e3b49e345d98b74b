#include "acquisition/TestSequence.h"

#include <filesystem>
#include <system_error>

#include "acquisition/CompletionQueue.h"
#include "acquisition/MeasurementPage.h"
#include "acquisition/TestBenchPage.h"
#include "link/LinkSettings.h"

namespace flowcfg {
namespace {

using namespace std::chrono_literals;

constexpr auto kNotificationWait = 50ms;
// The measurement page takes the instrument's shape from its first cycle; this only sizes the
// views it starts with.
constexpr MeasurementLayout kMeasurementLayout{2, true, true};

// "Com"/"JBus" is 0 for the length of the sequence and comes back as it was, however the
// sequence ends; a missing key comes back as the default address.
class HeldSlaveAddress {
public:
    explicit HeldSlaveAddress(const IniFile& config)
        : config_(config),
          held_(config.readString(LinkSettings::kComSection, LinkSettings::kSlaveKey,
                                  IniFile::formatReal(LinkSettings::kDefaultSlave))) {
        config_.writeReal(LinkSettings::kComSection, LinkSettings::kSlaveKey, 0);
    }
    ~HeldSlaveAddress() {
        config_.writeString(LinkSettings::kComSection, LinkSettings::kSlaveKey, held_);
    }
    HeldSlaveAddress(const HeldSlaveAddress&) = delete;
    HeldSlaveAddress& operator=(const HeldSlaveAddress&) = delete;

private:
    const IniFile& config_;
    std::string held_;
};

class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
};

std::string fileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::string withExtension(const std::string& path, const char* extension) {
    return std::filesystem::path(path).replace_extension(extension).string();
}

}  // namespace

std::string testStepLabel(const std::string& stepName, const std::string& file) {
    return file.empty() ? stepName : stepName + " : " + file;
}

TestSequence::TestSequence(Application& application, Prompts& prompts, InstrumentLink& link,
                           SequenceRunner& pages)
    : PageBase(application, prompts),
      link_(link),
      pages_(pages),
      pcClock_([] { return std::time(nullptr); }) {}

void TestSequence::setExportTools(ProgressView* progress, ProgramLauncher* launcher) {
    exportProgress_ = progress;
    launcher_ = launcher;
}

std::string TestSequence::StepName(TestStep step) {
    switch (step) {
        case TestStep::SettingsFile:
            return text(521);  // "Settings"
        case TestStep::SpecialFile:
            return text(524);  // "Special Settings"
        case TestStep::FactoryFile:
            return text(525);  // "Factory Settings"
        case TestStep::FunctionFile:
            return text(239);  // "Function"
        case TestStep::FirstFrames:
        case TestStep::SecondFrames:
            return text(TestBenchPage::kCaptionText);  // "SPI frames"
        case TestStep::Measurement:
            return text(MeasurementPage::kCaptionText);  // "Measurement"
        case TestStep::Export:
            return text(221);  // "Export data"
    }
    return {};
}

TestResult TestSequence::Run(const TestSettings& settings) {
    TestResult result;
    RunningFlag running(running_);
    cancelRequested_ = false;
    settings.Save(config());
    HeldSlaveAddress slave(config());

    const std::time_t started = pcClock_();
    std::tm local{};
    localtime_r(&started, &local);
    result.measurementFile = settings.MeasurementFile(local);
    const std::string frames = settings.InSaveDirectory(kFramesFile);

    // One step: not begun after a Cancel; otherwise told to the observer, run, and its end told;
    // false stops the sequence.
    auto attempt = [&](TestStep step, const std::string& file, const std::function<bool()>& body) {
        const std::string name = testStepLabel(StepName(step), fileName(file));
        if (!cancelRequested_) {
            if (observer_) observer_->stepStarted(step, name);
            if (body()) {
                if (observer_) observer_->stepEnded(step, name, TestOutcome::Ok);
                return true;
            }
        }
        result.stoppedAt = step;
        result.outcome = cancelRequested_ ? TestOutcome::Cancelled : TestOutcome::Failed;
        if (observer_) observer_->stepEnded(step, name, result.outcome);
        if (result.outcome == TestOutcome::Failed) showErrorWith(kStoppedAtText, name, kErrorText);
        return false;
    };
    auto page = [&](TestStep step, SequencePage which, const std::string& file) {
        return attempt(step, file, [&] {
            SequenceStep s;
            s.page = which;
            s.mode = SequenceStep::kModeWriteOnly;
            s.file = file;
            return pages_.run(s);
        });
    };

    if (!page(TestStep::SettingsFile, SequencePage::Settings, settings.settingsFile) ||
        !page(TestStep::SpecialFile, SequencePage::SpecialSettings, settings.specialFile) ||
        !page(TestStep::FactoryFile, SequencePage::FactorySettings, settings.factoryFile) ||
        !page(TestStep::FunctionFile, SequencePage::Function, settings.functionFile))
        return result;

    // The second recording takes the same name: the first is kept under the test's name.
    const std::string kept = withExtension(result.measurementFile, kFramesExtension);
    if (!attempt(TestStep::FirstFrames, frames, [&] {
            if (!RecordFrames(TestStep::FirstFrames, durations_.firstFramesMinutes, frames))
                return false;
            std::error_code error;
            std::filesystem::rename(frames, kept, error);
            if (error) showErrorWith(216, kept, kErrorText);  // "Couldn't open source file : "
            return !error;
        }))
        return result;
    result.firstFrames = kept;

    if (!attempt(TestStep::Measurement, result.measurementFile,
                 [&] { return RecordMeasurement(result.measurementFile); }))
        return result;

    if (!attempt(TestStep::SecondFrames, frames, [&] {
            return RecordFrames(TestStep::SecondFrames, durations_.secondFramesMinutes, frames);
        }))
        return result;
    result.secondFrames = frames;

    result.framesExport = settings.InSaveDirectory(kFramesExport);
    result.measurementExport = settings.InSaveDirectory(kMeasurementExport);
    if (!attempt(TestStep::Export, result.measurementExport,
                 [&] { return ExportRecordings(result); })) {
        result.framesExport.clear();
        result.measurementExport.clear();
    }
    return result;
}

bool TestSequence::Record(TestStep step, AcquisitionPage& page, double minutes,
                          const std::string& path) {
    CompletionQueue queue;
    queue.attach(page);
    page.StartAutomaticRecording(durations_.periodSeconds, minutes, path);
    if (page.Open() != 0) return false;

    // Until the recording ends (its duration, or a file it could not write), Cancel, or an
    // instrument that stopped answering.
    int samples = 0;
    auto lastSample = std::chrono::steady_clock::now();
    while (!page.closed() && page.recordingState() != AcquisitionPage::kIdle && !cancelRequested_) {
        queue.pump(page, kNotificationWait);
        if (between_) between_();
        const auto now = std::chrono::steady_clock::now();
        if (page.sampleCounter() != samples) {
            samples = page.sampleCounter();
            lastSample = now;
            if (observer_) observer_->samplesRecorded(step, samples);
        } else if (now - lastSample > kSilence) {
            break;
        }
    }
    const bool finished =
        page.sampleCounter() > 0 && page.clock().durationElapsed(page.InstrumentTime());
    // Cut short: the samples written so far stay in the file.
    if (page.recordingState() != AcquisitionPage::kIdle) page.ToggleRecording();
    if (!page.closed()) page.Close();
    return finished && !cancelRequested_;
}

bool TestSequence::RecordFrames(TestStep step, double minutes, const std::string& path) {
    TestBenchPage page(application(), prompts(), link_, TestBenchPage::kFirstFrameBlock);
    page.setPcClock(pcClock_);
    if (page.Build(nullptr) != 0) return false;
    return Record(step, page, minutes, path);
}

bool TestSequence::RecordMeasurement(const std::string& path) {
    MeasurementPage page(application(), prompts(), link_, kMeasurementLayout);
    page.setPcClock(pcClock_);
    if (page.Build(nullptr) != 0) return false;
    return Record(TestStep::Measurement, page, durations_.measurementMinutes, path);
}

bool TestSequence::ExportRecordings(TestResult& result) {
    SpreadsheetExport::Request request;
    request.convert = true;
    request.automatic = true;
    request.workbook = false;
    {
        // The frames as a text file for the macro, beside the measurement's export.
        TestBenchPage frames(application(), prompts(), link_);
        if (frames.OpenPage(result.secondFrames) != 0) return false;
        request.recordPath = result.secondFrames;
        request.output = result.framesExport;
        request.startProgram = false;
        const int status = frames.Export(request);
        frames.Close();
        if (status != 0) return false;
    }
    MeasurementPage measurement(application(), prompts(), link_, kMeasurementLayout);
    if (measurement.Build(nullptr) != 0 || measurement.Open(result.measurementFile) != 0)
        return false;
    measurement.setExportTools(nullptr, exportProgress_, launcher_);
    request.pageType = TestSettings::kExportType;
    request.recordPath = result.measurementFile;
    request.output = result.measurementExport;
    request.startProgram = true;
    const int status = measurement.Export(request);
    measurement.Close();
    return status == 0;
}

}  // namespace flowcfg
