#pragma once

#include <optional>
#include <string>

#include "acquisition/AcquisitionPage.h"
#include "acquisition/LoggerDownload.h"
#include "acquisition/LoggerExportColumns.h"
#include "params/InstrumentDate.h"
#include "shell/PrintReport.h"

namespace flowcfg {

// The choice of the download options dialog ("Loading": "All" or "From . . ." with a date and a
// time).
struct LoggerLoading {
    bool fromDate = false;
    InstrumentDate date;
};

class LoggerLoadingDialog {
public:
    virtual ~LoggerLoadingDialog() = default;
    // Nothing when the person cancelled.
    virtual std::optional<LoggerLoading> chooseLoading() = 0;
};

// Control ids of the logger page's fields (caption, value, unit).
namespace lctl {
inline constexpr int kParameters = 1100;  // "Nbr. of parameters"
inline constexpr int kWritten = 1103;     // "Nb. written record"
inline constexpr int kCapacity = 1106;    // "Max nbr. of record"
inline constexpr int kRange = 1109;       // "Logger range"
inline constexpr int kToLoad = 1112;      // "Nb. of record to load"
inline constexpr int kLoaded = 1115;      // "Nb. record loaded"
inline constexpr int kLastRecord = 1118;  // date and time of the last record written
}  // namespace lctl

// The logger page without its window: it shows the logger's state (block 0x0200, polled without
// acknowledging, so that the link waits on it), and downloads the logger's records, all of them
// or those from a date on, into a tab-separated ".log" file through its own chain
// (LoggerDownload), which replaces the polling pages' generic handling of notifications. Opened
// on a ".log" file it hands the file to the spreadsheet program at once and closes.
class LoggerPage : public AcquisitionPage, private LoggerDownloadView {
public:
    static constexpr int kFileTypeText = 227;  // "Logger File|log"
    static constexpr int kCaptionText = 511;   // "Logger"
    static constexpr const char* kDefaultFileName = "logger.log";
    static constexpr int kStateText = 142;   // "State"
    static constexpr int kLoadingText = 46;  // "Loading"

    LoggerPage(Application& application, Prompts& prompts, InstrumentLink& link);
    ~LoggerPage() override;

    void setLoadingDialog(LoggerLoadingDialog* dialog) { loadingDialog_ = dialog; }

    // Live: polls the logger state. With a ".log" file: exports it and closes. 0, or -1 when the
    // page is to close.
    int OpenPage(const std::string& logFile = {});
    // The record button: the download command when idle (options dialog, save dialog, then the
    // download); while downloading, the stop command (the file keeps its complete lines, the
    // page closes).
    void DownloadCommand();
    // The download into `path` without the dialogs (the command-line tool): 0, or -1 when the
    // file cannot be created ("Can not open destination file !" has been shown).
    int StartDownload(const std::string& path, std::optional<InstrumentDate> from = std::nullopt);
    bool downloading() const { return download_.downloading(); }
    // The logger state has been read at least once.
    bool stateShown() const { return stateShown_; }
    const LoggerDownload& download() const { return download_; }
    // The step that ended the last download or closed the page.
    LoggerDownload::Action lastAction() const { return lastAction_; }

    // The progress bar (0 ... records to load) and the text under it.
    long progressRange() const { return download_.recordsToLoad(); }
    long progressValue() const { return download_.recordsLoaded(); }
    const std::string& progressText() const { return progressText_; }
    std::string fieldText(int controlId);
    // What the page prints: the logger's state and the download's summary, as the page shows
    // them.
    PrintReport Report(const std::string& title);

    // A ".log" file handed to the spreadsheet pipeline: `request` as a caller sets it (the
    // command-line tool chooses the output, the macro, the format and whether to start the
    // program); its page type and record path are the page's and the file's. The page closes.
    // 0, or -1 when the file is not a logger file or the export failed (both shown).
    int ExportLogFile(const std::string& path, SpreadsheetExport::Request request = {});

    void HandleNewFrame() override;
    ExportColumns* exportColumns() override { return &columns_; }

protected:
    PollingStart FirstRequest() override;
    // Not used: HandleNewFrame runs the logger's own chain.
    int Completion(const JBusRequest& result) override;

private:
    // LoggerDownloadView.
    void showState(const LoggerState& state, const std::string& rangeText) override;
    void showRecordsToLoad(long records) override;
    void showRecordsLoaded(long loaded, const std::string& lastRecord) override;
    void showProgressText(const std::string& text) override;

    void RegisterFields();
    void setField(int controlId, const std::string& text);
    void EndWith(LoggerDownload::Step step);

    LoggerDownload download_;
    LoggerExportColumns columns_;
    LoggerLoadingDialog* loadingDialog_ = nullptr;
    std::string progressText_;
    bool stateShown_ = false;
    bool waiting_ = false;  // the state read is left unacknowledged
    LoggerDownload::Action lastAction_ = LoggerDownload::Action::Wait;
};

}  // namespace flowcfg
