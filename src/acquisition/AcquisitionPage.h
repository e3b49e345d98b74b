#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "acquisition/AcquisitionObserver.h"
#include "acquisition/ExportColumns.h"
#include "acquisition/ProgramLauncher.h"
#include "acquisition/RecordFile.h"
#include "acquisition/RecordingClock.h"
#include "acquisition/SpreadsheetExport.h"
#include "link/InstrumentLink.h"
#include "link/JBusRequest.h"
#include "link/LinkSettings.h"
#include "link/PollingListener.h"
#include "params/VariableTable.h"
#include "shell/PageBase.h"
#include "shell/PageFileTypes.h"

namespace flowcfg {

// The common base of the pages that poll register blocks from the instrument (measurement,
// logger, battery gauge, test bench), without any window: its blocks in a parameter group read
// once and a measurement group read in a cycle, the start of polling, the handling of each
// polling notification with its guard against nesting, the communication indicator, recording
// complete cycles into a record file, and viewing a recorded file sample by sample.
//
// A window (or a command of flowcfg-cli, or a test) runs a page so:
//   1. construct it (the derived page registers its fields and groups);
//   2. setFramePoster: how a notification of the link's worker reaches the page's thread (a
//      queued call, CompletionQueue); setObserver for what the window shows;
//   3. Build(factory) once the window exists (nullptr: no controls);
//   4. Open() polls the instrument, Open(file) shows a recorded file; a failure asks the
//      window to close;
//   5. every posted notification: HandleNewFrame() on the page's thread; the window's buttons
//      call ToggleRecording, ShowFirst ... ShowLast; closing the window calls Close().
//
// Derived pages give the completion operation (which block came, what to request next) and
// may replace the whole handling of a notification (HandleNewFrame is virtual; the nesting
// guard and the helpers below are theirs to use).
class AcquisitionPage : public PageBase, public PollingListener, public SampleStore {
public:
    enum RecordingState { kIdle = 0, kStartRequested = 1, kRecording = 2 };
    enum Indicator { kIndicatorBlank = 0, kIndicatorTrying = 1, kIndicatorFailure = 2 };
    enum WriteMode { kCreate = 1, kAppend = 8 };
    // Completion results.
    static constexpr int kCycleComplete = 0;
    static constexpr int kChainGoesOn = 1;
    static constexpr int kUnknownCompletion = -1;

    static constexpr int kIdentification = 0xFF00;
    // The identification registers every page reads (the rest of the program reads as many).
    static constexpr int kIdentificationRegisters = 15;
    // Control ids of the identification fields (block 0xFF00).
    static constexpr int kIdSlave = 900, kIdType = 903, kIdSerial1 = 906, kIdSerial2 = 909,
                         kIdSerial3 = 912, kIdFirmware = 915;

    // "File Save" keys read at construction.
    static constexpr const char* kFileSaveSection = "File Save";
    static constexpr const char* kSamplePeriodKey = "Sample Record Time";
    static constexpr const char* kDurationKey = "Record Lap Time";

    // `fileTypeTextId` names the page's files ("Measurement File|mes").
    AcquisitionPage(Application& application, Prompts& prompts, InstrumentLink& link,
                    int fileTypeTextId);
    // Stops polling when it still runs.
    ~AcquisitionPage() override;

    // How a notification of the link's worker reaches the page's thread: called on the worker,
    // it must only post, never wait. Set before Open.
    void setFramePoster(std::function<void()> post) { poster_ = std::move(post); }
    void setObserver(AcquisitionObserver* observer) { observer_ = observer; }
    // The PC clock of file names and headers (tests fix it).
    void setPcClock(std::function<std::time_t()> clock) { pcClock_ = std::move(clock); }

    // Creates the fields (with controls from `factory`) and puts the blocks into the groups the
    // page declared. 0 or -1.
    virtual int Build(FieldControlFactory* factory);
    // Live: starts polling (StartAcquisition). With a file: shows it (LoadRecordedFile). 0, or -1
    // when the page is to close.
    int Open(const std::string& recordedFile = {});
    // Opens the link, reads the identification, checks the firmware and starts polling with the
    // page's first request. A failure has been shown, and the page closes. 0 or -1.
    int StartAcquisition();
    // Acknowledges, stops polling, closes the link (a modem connection stays up) and asks the
    // window to close. Nothing is told to the page after it returns.
    void Close();
    bool closed() const { return closed_; }
    bool polling() const { return polling_; }

    // Called by the link's worker after each exchange: posts the notification.
    void OnNewFrame() override;
    // The notification, on the page's thread: the completion operation, then on a complete
    // cycle the recording, the indicator, and the acknowledge that lets the worker go on.
    virtual void HandleNewFrame();

    // The record button: idle -> start requested; start requested or recording -> idle (an
    // automatic recording then closes the page).
    void ToggleRecording();
    // A recording by a caller with a fixed file: period (s), duration (min), path; the page
    // closes when it ends.
    void StartAutomaticRecording(int periodSeconds, double durationMinutes,
                                 const std::string& path);
    // One record of `payload` written to the record path: kCreate makes a new file with its
    // header (asking for the name in a save dialog when there is no path yet) and writes the
    // record if the payload is not empty; kAppend adds the record to the existing file. Failures
    // are shown. 0 or -1.
    int WriteOneBlock(std::span<const std::uint8_t> payload, WriteMode mode);
    RecordingState recordingState() const { return state_; }
    const std::string& recordPath() const { return recordPath_; }
    void setRecordPath(const std::string& path) { recordPath_ = path; }
    bool automaticRecording() const { return automatic_; }
    // The last automatic recording ran its whole duration; false while it runs and when a
    // failure or the person stopped it (its page closes in every case).
    bool automaticRecordingDone() const { return automaticDone_; }
    // Samples written to the current file; in file mode the measurement records of the file.
    int sampleCounter() const { return sampleCounter_; }
    RecordingClock& clock() { return clock_; }
    // The field whose date is the time base of recording (the instrument's clock).
    void setDateTimeField(int controlId) { dateTimeField_ = controlId; }
    std::int64_t InstrumentTime();

    // The text of the record file header: caption, "InternalName", the number of parameter
    // records, the identification read when polling started and the page's own last line.
    std::string DescriptionText();
    // The directory last chosen in a save dialog of any polling page during this run.
    static std::string& LastSaveDirectory();

    // Viewing a recorded file.
    int LoadRecordedFile(const std::string& path);
    bool fileMode() const { return fileMode_; }
    int ShowSample(int sample);
    void ShowFirst();
    void ShowPrevious();
    void ShowNext();
    void ShowLast();
    int currentSample() const { return currentSample_; }
    int sampleCount() const { return sampleCount_; }
    struct Navigation {
        bool first = false, previous = false, next = false, last = false;
        bool focusPrevious = false;  // the last sample is shown
    };
    const Navigation& navigation() const { return navigation_; }

    // What the window shows.
    int indicator() const { return indicator_; }
    std::string indicatorText();
    const std::string& statusText() const { return statusText_; }
    // The print and record buttons: shown from the first complete cycle (or a loaded file) on.
    bool controlsShown() const { return controlsShown_; }

    // The spreadsheet export (AcquisitionExport.cpp). The tools it shows and starts: the macro
    // dialog (none: the export goes on without a macro), the progress of a conversion, the
    // launcher of the program (posix_spawnp when none is set).
    void setExportTools(MacroDialog* macroDialog, ProgressView* progress,
                        ProgramLauncher* launcher);
    // The export button: the recorded file shown (file mode) converted to a text file and handed
    // to the spreadsheet program with the page's export columns. 0 or -1.
    int Export(bool automatic = false);
    // The export command as the pipeline takes it; pages that hand over a text file of their
    // own (the logger's ".log") call it directly. 0 or -1.
    int Export(const SpreadsheetExport::Request& request);
    // The page's three texts of the export; nullptr: the page does not export.
    virtual ExportColumns* exportColumns() { return nullptr; }
    // The recorded file a page in file mode shows.
    const std::string& recordedPath() const { return recorded_.path(); }
    // Lines of the description text of a record file, by number (from 0).
    static constexpr int kDescriptionTypeLine = 4, kDescriptionSerialLine = 5;
    // The value ("Type: 1 Pipes" gives "1 Pipes") of a line of the recorded file's description:
    // the identification the recording started with. Empty when the file has no such line.
    std::string RecordedDescriptionValue(int line) const;
    // SampleStore: a record of the page's recordings goes into its block.
    int parameterRecords() const override;
    int blocksPerSample() const override;
    bool storeRecord(int index, const std::vector<std::uint8_t>& payload) override;

    VariableTable& table() { return table_; }
    InstrumentLink& link() { return link_; }
    const LinkSettings& linkSettings() const { return settings_; }
    // The link settings the page opens its link with: the configuration file's, unless a
    // caller (a command's link options) gives others before Open.
    void setLinkSettings(const LinkSettings& settings) { settings_ = settings; }
    PageFileTypes::Type fileType();
    int parameterCount() const { return table_.CountGroup(kParameterOnceGroup); }
    int measurementCount() const { return table_.CountGroup(kMeasurementGroup); }

protected:
    // Where polling starts and how fast it goes.
    struct PollingStart {
        int start = -1;  // -1: the first parameter block (the first measurement block without)
        int count = 0;   // 0: the block's register count
        int intervalMs = 50;
    };
    virtual PollingStart FirstRequest() { return {}; }
    // The page's completion operation for one notification: kCycleComplete, kChainGoesOn, or
    // kUnknownCompletion (no data, or an address the page does not know).
    virtual int Completion(const JBusRequest& result) = 0;
    // The last line of the description text; the page's file type name unless a page says more.
    virtual std::string DescriptionPageText();
    // A recorded file's parameter blocks, then one of its samples, are in the fields.
    virtual void ParametersLoaded() {}
    virtual void SampleLoaded() {}

    // The groups of the page: parameter blocks read once, measurement blocks of a cycle, each in
    // order. Called by the derived constructor; applied by Build.
    void declareGroups(std::vector<int> parameterBlocks, std::vector<int> measurementBlocks);
    // Sets the link's next request to a function-3 read of the block at `address`.
    void RequestBlock(int address);
    // The nesting guard of the notification handling: false when a notification is being
    // handled already (message boxes let others in). leaveCompletion ends it.
    bool enterCompletion();
    void leaveCompletion() { handling_ = false; }
    void setIndicator(int state);
    void setStatusText(const std::string& text);
    void showControls() { controlsShown_ = true; }
    // A completion without data on a line whose device went away (an unplugged adapter) or
    // whose port could not be opened again yet: the port is opened again, so that polling goes
    // on as soon as the device is back.
    void RecoverLine();
    void notifyState();
    // Stops polling without asking the window to close (derived destructors call it first).
    void StopAcquisition();
    AcquisitionObserver* observer() { return observer_; }
    std::tm PcTime();

private:
    void RegisterIdentification();
    void RunRecording();
    void StartRecording();
    void RecordingStep();
    void StopRecording();
    int WriteBlocks(const std::vector<std::span<const std::uint8_t>>& payloads, WriteMode mode);
    bool ChooseRecordPath();
    void ReportFileFailure(RecordStatus status, bool creating, int systemError);
    void UpdateNavigation();
    void CloseLink();

    InstrumentLink& link_;
    LinkSettings settings_;
    VariableTable table_;
    int fileTypeTextId_;
    std::vector<int> parameterBlocks_, measurementBlocks_;
    std::function<void()> poster_;
    AcquisitionObserver* observer_ = nullptr;
    std::function<std::time_t()> pcClock_;

    bool polling_ = false;
    bool closed_ = false;
    bool handling_ = false;
    int indicator_ = kIndicatorBlank;
    std::string statusText_;
    bool controlsShown_ = false;

    // Recording.
    RecordingState state_ = kIdle;
    RecordingClock clock_;
    int defaultPeriod_ = 1;
    double defaultDuration_ = 0;
    int sampleCounter_ = 0;
    std::string recordPath_;
    bool automatic_ = false;
    bool automaticDone_ = false;
    bool splitting_ = false;  // the next start continues the recording in a new file
    int dateTimeField_ = 0;
    std::string description_;

    // Viewing.
    bool fileMode_ = false;
    RecordFile recorded_;
    int currentSample_ = -1;
    int sampleCount_ = 0;
    Navigation navigation_;

    // The spreadsheet export.
    MacroDialog* macroDialog_ = nullptr;
    ProgressView* exportProgress_ = nullptr;
    ProgramLauncher* launcher_ = nullptr;
};

}  // namespace flowcfg
