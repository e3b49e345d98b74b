#include "acquisition/LoggerPage.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "acquisition/NumberText.h"
#include "params/PrintedFields.h"
#include "shell/CFileDialogKV.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

constexpr int kTextNoRecordAfterDate = 23;
constexpr int kTextCannotCreate = 205;  // "Can not open destination file !"
constexpr int kTextIncorrectFile = 206;
constexpr int kTextError = 212;
constexpr int kTextCannotOpenSource = 216;  // "Couldn't open source file : "
constexpr int kTextNoLogger = 426;          // "No logger into flowmeter"
constexpr int kTextConverting = 576;        // "Please wait!\r\n Conversion in progress! "

}  // namespace

LoggerPage::LoggerPage(Application& application, Prompts& prompts, InstrumentLink& link)
    : AcquisitionPage(application, prompts, link, kFileTypeText),
      download_(language(), userDecimalSeparator(), *this),
      columns_(language(), userDecimalSeparator()) {
    setCaptionId(kCaptionText);
    declareGroups({}, {});
    RegisterFields();
}

LoggerPage::~LoggerPage() {
    download_.stop();
    StopAcquisition();
}

void LoggerPage::RegisterFields() {
    struct Field {
        int id, caption;
    };
    for (Field f : {Field{lctl::kParameters, 402}, Field{lctl::kWritten, 399},
                    Field{lctl::kCapacity, 397}, Field{lctl::kRange, 25}, Field{lctl::kToLoad, 396},
                    Field{lctl::kLoaded, 398}, Field{lctl::kLastRecord, 162}}) {
        VariableDescriptor d;
        d.controlId = f.id;
        d.captionText = f.caption;
        d.kind = VariableDescriptor::kDisplay;
        d.format = "%s";
        table().Register(d);
    }
}

void LoggerPage::setField(int controlId, const std::string& text) {
    if (BoundField* field = table().FindField(controlId)) field->setText(text);
}

std::string LoggerPage::fieldText(int controlId) {
    BoundField* field = table().FindField(controlId);
    return field ? field->text() : std::string();
}

PrintReport LoggerPage::Report(const std::string& title) {
    PrintReport report;
    report.title = title;
    struct Section {
        int title;
        std::vector<int> fields;
    };
    for (const Section& section :
         {Section{kStateText, {lctl::kParameters, lctl::kWritten, lctl::kCapacity, lctl::kRange}},
          Section{kLoadingText, {lctl::kToLoad, lctl::kLoaded, lctl::kLastRecord}}}) {
        report.addSection(text(section.title));
        for (int id : section.fields) {
            const BoundField* field = table().FindField(id);
            if (field && PrintedFields::Printed(*field))
                report.addField(text(field->descriptor().captionText), field->shownText());
        }
    }
    return report;
}

AcquisitionPage::PollingStart LoggerPage::FirstRequest() {
    PollingStart start;
    start.start = LoggerState::kAddress;
    start.count = LoggerState::kRegisters;
    start.intervalMs = 0;
    return start;
}

int LoggerPage::Completion(const JBusRequest&) {
    return kUnknownCompletion;
}

int LoggerPage::OpenPage(const std::string& logFile) {
    if (table().fields().empty() && Build(nullptr) != 0) return -1;
    if (!logFile.empty()) return ExportLogFile(logFile);
    return Open();
}

// ---- the chain -------------------------------------------------------------------------------

void LoggerPage::HandleNewFrame() {
    if (closed() || !enterCompletion()) return;
    JBusRequest completed;
    link().GetLastResult(completed);
    if (completed.data.empty()) RecoverLine();
    const LoggerDownload::Step step = download_.handle(completed);
    using Action = LoggerDownload::Action;
    switch (step.action) {
        case Action::Request:
            link().ChangeRequest(step.request);
            link().Acknowledge();
            break;
        case Action::Repeat:
            link().Acknowledge();
            break;
        case Action::Wait:
            // The link waits on the state read until a download is asked for.
            waiting_ = true;
            break;
        default:
            EndWith(step);
            break;
    }
    leaveCompletion();
    notifyState();
}

void LoggerPage::EndWith(LoggerDownload::Step step) {
    using Action = LoggerDownload::Action;
    lastAction_ = step.action;
    setStatusText("");
    switch (step.action) {
        case Action::NoRecordAfterDate:
            // Back to idle: the header-only file stays; the state read waits for the next
            // download.
            link().ChangeRequest(step.request);
            waiting_ = true;
            setIndicator(kIndicatorBlank);
            setRecordPath("");
            notifyState();
            showError(kTextNoRecordAfterDate, kTextError);
            return;
        case Action::NoLogger:
            showError(kTextNoLogger, kTextError);
            break;
        case Action::CommunicationFailure: {
            const std::string failure = item(textid::kListLinkState, kIndicatorFailure);
            setIndicator(kIndicatorFailure);
            prompts().showError(failure, failure);
            break;
        }
        case Action::WriteFailed:
            showErrorWith(textid::kTextCannotWriteFile,
                          "\n" + download_.path() + "\n" + std::strerror(download_.fileError()),
                          kTextError);
            break;
        default:  // Finished
            setIndicator(kIndicatorBlank);
            break;
    }
    Close();
}

// ---- commands --------------------------------------------------------------------------------

void LoggerPage::DownloadCommand() {
    if (download_.downloading()) {
        download_.stop();
        Close();
        return;
    }
    if (closed() || fileMode()) return;
    LoggerLoading loading;
    if (loadingDialog_) {
        auto chosen = loadingDialog_->chooseLoading();
        if (!chosen) return;
        loading = *chosen;
    }
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.filter = PageFileTypes::filterEntry(fileType()) + "|";
    request.defaultExtension = fileType().extension;
    const std::string& last = LastSaveDirectory();
    request.initialPath = (last.empty() ? settings().saveDirectory : last) + kDefaultFileName;
    auto chosen = CFileDialogKV(*this, request).run();
    if (!chosen) return;
    StartDownload(*chosen, loading.fromDate ? std::optional(loading.date) : std::nullopt);
}

int LoggerPage::StartDownload(const std::string& path, std::optional<InstrumentDate> from) {
    if (download_.downloading() || closed()) return -1;
    if (!download_.start(path, from)) {
        showErrorWith(kTextCannotCreate, "\n" + path, kTextError);
        return -1;
    }
    setRecordPath(path);
    const std::string directory = std::filesystem::path(path).parent_path().string();
    if (!directory.empty()) LastSaveDirectory() = directory + "/";
    setIndicator(kIndicatorTrying);
    setStatusText(text(kTextConverting));
    progressText_.clear();
    setField(lctl::kLoaded, "0");
    // The state read that waited is made again, and the chain begins with its answer. A state
    // read still on its way starts it as well.
    if (waiting_) {
        waiting_ = false;
        link().Acknowledge();
    }
    notifyState();
    return 0;
}

// ---- what the window shows -------------------------------------------------------------------

void LoggerPage::showState(const LoggerState& state, const std::string& rangeText) {
    stateShown_ = true;
    setField(lctl::kParameters, std::to_string(state.parameters));
    setField(lctl::kWritten, std::to_string(state.written));
    setField(lctl::kCapacity, std::to_string(state.capacity));
    setField(lctl::kRange, rangeText);
    if (!download_.downloading()) setField(lctl::kToLoad, std::to_string(state.written));
    columns_.setParameters(state.parameters);
}

void LoggerPage::showRecordsToLoad(long records) {
    setField(lctl::kToLoad, std::to_string(records));
}

void LoggerPage::showRecordsLoaded(long loaded, const std::string& lastRecord) {
    setField(lctl::kLoaded, std::to_string(loaded));
    setField(lctl::kLastRecord, lastRecord);
}

void LoggerPage::showProgressText(const std::string& text) {
    progressText_ = text;
}

// ---- a ".log" file in file mode --------------------------------------------------------------

int LoggerPage::ExportLogFile(const std::string& path, SpreadsheetExport::Request request) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        showErrorWith(kTextCannotOpenSource, std::strerror(errno), kTextError);
        Close();
        return -1;
    }
    std::string header;
    std::getline(file, header);
    const int parameters = LoggerExportColumns::parametersOfHeader(header);
    if (parameters < 0) {
        showError(kTextIncorrectFile, kTextError);
        Close();
        return -1;
    }
    columns_.setParameters(parameters);
    setCaptionFile(path);
    request.pageType = fileType().extension;
    request.recordPath = path;
    request.convert = false;
    const int result = Export(request);
    Close();
    return result;
}

}  // namespace flowcfg
