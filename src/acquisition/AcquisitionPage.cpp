#include "acquisition/AcquisitionPage.h"

#include <cmath>
#include <cstring>
#include <filesystem>

#include "acquisition/RecordFileName.h"
#include "shell/CFileDialogKV.h"
#include "shell/VersionInfo.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

// Messages and titles.
constexpr int kTextCannotCreate = 205;  // "Can not open destination file !"
constexpr int kTextIncorrectFile = 206;
constexpr int kTextNoAnswer = 211;  // "connection failure! The unit does not answer! "
constexpr int kTextError = 212;
constexpr int kTextFirmwareMismatch = 213;
constexpr int kTextCannotOpenSource = 216;  // "Couldn't open source file : "
constexpr int kTextCannotOpenPort = 217;
constexpr int kTextRecord = 196;
constexpr int kTextLeftTime = 506;

constexpr int kReadFunction = 3;
constexpr int kElementSize = 2;

}  // namespace

AcquisitionPage::AcquisitionPage(Application& application, Prompts& prompts, InstrumentLink& link,
                                 int fileTypeTextId)
    : PageBase(application, prompts),
      link_(link),
      settings_(LinkSettings::Load(config())),
      table_(language()),
      fileTypeTextId_(fileTypeTextId),
      pcClock_([] { return std::time(nullptr); }) {
    // Whole seconds, as the options page stores them; minutes as they stand.
    const double period = readReal(kFileSaveSection, kSamplePeriodKey, 1.0);
    defaultPeriod_ = std::isfinite(period) && period >= 1 && period < 1e9 ? int(period) : 1;
    defaultDuration_ = readReal(kFileSaveSection, kDurationKey, 0.0);
    clock_.configure(defaultPeriod_, defaultDuration_);
    RegisterIdentification();
}

AcquisitionPage::~AcquisitionPage() {
    StopAcquisition();
}

void AcquisitionPage::RegisterIdentification() {
    constexpr int kWindowless = VariableDescriptor::kWindowless | VariableDescriptor::kNeverPrinted;
    struct Part {
        int id, caption, list;
        const char* format;
        int encoding, offset;
    };
    for (Part part : {Part{kIdSlave, 306, 0, "%0.f", 0x3000, 0},
                      Part{kIdType, 528, textid::kListInstrumentType, "%l", 0x3000, 2},
                      Part{kIdSerial1, 406, 0, "%02.f", 0xA000, 4},
                      Part{kIdSerial2, 406, 0, "%02.f", 0xA000, 5},
                      Part{kIdSerial3, 406, 0, "%05.f", 0x4000, 6}}) {
        VariableDescriptor d;
        d.controlId = part.id;
        d.flags = kWindowless;
        d.captionText = part.caption;
        d.kind = VariableDescriptor::kDisplay;
        d.listText = part.list;
        d.initialValue = "0";
        d.format = part.format;
        d.encoding = part.encoding;
        d.offset = part.offset;
        d.block = kIdentification;
        table_.Register(d);
    }
    VariableDescriptor firmware;
    firmware.controlId = kIdFirmware;
    firmware.flags = kWindowless;
    firmware.captionText = 237;  // "Firmware"
    firmware.kind = VariableDescriptor::kDisplay;
    firmware.high = 2 * kIdentificationRegisters - 10;
    firmware.format = "%s";
    firmware.encoding = 0x500;
    firmware.offset = 10;
    firmware.block = kIdentification;
    table_.Register(firmware);
}

void AcquisitionPage::declareGroups(std::vector<int> parameterBlocks,
                                    std::vector<int> measurementBlocks) {
    parameterBlocks_ = std::move(parameterBlocks);
    measurementBlocks_ = std::move(measurementBlocks);
}

int AcquisitionPage::Build(FieldControlFactory* factory) {
    if (table_.Build(factory) != 0) return -1;
    table_.ClearGroup(kParameterOnceGroup);
    table_.ClearGroup(kMeasurementGroup);
    for (int address : parameterBlocks_)
        if (table_.SetGroupIndex(address, kParameterOnceGroup) < 0) return -1;
    for (int address : measurementBlocks_)
        if (table_.SetGroupIndex(address, kMeasurementGroup) < 0) return -1;
    return 0;
}

int AcquisitionPage::Open(const std::string& recordedFile) {
    return recordedFile.empty() ? StartAcquisition() : LoadRecordedFile(recordedFile);
}

PageFileTypes::Type AcquisitionPage::fileType() {
    return PageFileTypes(language()).type(fileTypeTextId_);
}

std::tm AcquisitionPage::PcTime() {
    std::time_t now = pcClock_();
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// ---- polling ---------------------------------------------------------------------------------

int AcquisitionPage::StartAcquisition() {
    closed_ = false;
    auto fail = [this] {
        link_.Acknowledge();
        link_.StopPolling();
        CloseLink();
        Close();
        return -1;
    };
    if (link_.Open(settings_.portNumber, settings_.baudIndex, 'N', 8, 1, settings_.useModem,
                   &application().modemConnected) != 0) {
        showError(kTextCannotOpenPort, kTextError);
        return fail();
    }
    const int saved = link_.GetAnswerTimeout();
    link_.SetAnswerTimeout(settings_.answerTimeoutMs());
    Bytes identification;
    const int result =
        link_.Exchange(settings_.slaveAddress, kReadFunction, kIdentification,
                       table_.RegisterCount(kIdentification), identification, kElementSize);
    link_.SetAnswerTimeout(saved);
    if (result != 0) {
        showError(kTextNoAnswer, kTextError);
        return fail();
    }
    table_.Decode(kIdentification, identification);
    const BoundField* version = table_.FindField(kIdFirmware);
    const std::string firmware = version ? version->text() : std::string();
    if (!firmwareCompatible(firmware)) {
        showErrorWith(kTextFirmwareMismatch, " " + firmware.substr(0, 2) + "\n" + firmware,
                      kTextError);
        return fail();
    }
    PollingStart first = FirstRequest();
    if (first.start < 0) {
        const RegisterBlock* block = table_.BlockAt(kParameterOnceGroup, 0);
        if (!block) block = table_.BlockAt(kMeasurementGroup, 0);
        if (!block) return fail();
        first.start = block->address;
    }
    if (first.count <= 0) {
        const RegisterBlock* block = table_.FindBlock(first.start);
        first.count = block ? block->registerCount : table_.RegisterCount(first.start);
    }
    if (link_.StartPolling(this, settings_.slaveAddress, kReadFunction, first.start, first.count,
                           first.intervalMs, kElementSize, {}) != 0)
        return fail();
    polling_ = true;
    notifyState();
    return 0;
}

void AcquisitionPage::OnNewFrame() {
    if (poster_) poster_();
}

bool AcquisitionPage::enterCompletion() {
    if (handling_) return false;
    handling_ = true;
    return true;
}

void AcquisitionPage::HandleNewFrame() {
    // A notification still queued when the page closed finds nothing to do.
    if (closed_ || !enterCompletion()) return;
    JBusRequest result;
    link_.GetLastResult(result);
    if (result.data.empty()) RecoverLine();
    const int completion = Completion(result);
    if (completion == kCycleComplete && !closed_) {
        controlsShown_ = true;
        RunRecording();
        indicator_ = kIndicatorBlank;
    }
    if (indicator_ == kIndicatorBlank && completion == kUnknownCompletion)
        indicator_ = kIndicatorFailure;
    link_.Acknowledge();
    leaveCompletion();
    notifyState();
}

void AcquisitionPage::RequestBlock(int address) {
    JBusRequest request;
    request.slave = settings_.slaveAddress;
    request.function = kReadFunction;
    request.start = address;
    const RegisterBlock* block = table_.FindBlock(address);
    request.count = block ? block->registerCount : table_.RegisterCount(address);
    request.elementSize = kElementSize;
    link_.ChangeRequest(request);
}

void AcquisitionPage::RecoverLine() {
    if (settings_.useModem || (link_.IsOpen() && !link_.Channel().DeviceLost())) return;
    link_.Open(settings_.portNumber, settings_.baudIndex, 'N', 8, 1, false, nullptr);
}

void AcquisitionPage::StopAcquisition() {
    if (!polling_) return;
    polling_ = false;
    link_.Acknowledge();
    link_.StopPolling();
    CloseLink();
}

// A modem connection stays up between pages: closing the port would end the call.
void AcquisitionPage::CloseLink() {
    if (!(settings_.useModem && application().modemConnected)) link_.Close();
}

void AcquisitionPage::Close() {
    StopAcquisition();
    recorded_.close();
    const bool already = closed_;
    closed_ = true;
    if (!already && observer_) observer_->closeRequested();
}

void AcquisitionPage::setIndicator(int state) {
    indicator_ = state;
}

void AcquisitionPage::setStatusText(const std::string& text) {
    statusText_ = text;
}

std::string AcquisitionPage::indicatorText() {
    return item(textid::kListLinkState, indicator_);
}

void AcquisitionPage::notifyState() {
    if (observer_) observer_->pageStateChanged();
}

// ---- recording -------------------------------------------------------------------------------

std::string& AcquisitionPage::LastSaveDirectory() {
    static std::string directory;
    return directory;
}

std::string AcquisitionPage::DescriptionPageText() {
    return fileType().name;
}

std::string AcquisitionPage::DescriptionText() {
    std::string text = caption() + "\n";
    text += versionString("InternalName") + "\n";
    text += std::to_string(parameterCount()) + "\n";
    auto shown = [this](int id) {
        BoundField* field = table_.FindField(id);
        return field ? field->shownText() : std::string();
    };
    text += this->text(306) + ": " + shown(kIdSlave) + "\n";
    text += this->text(528) + ": " + shown(kIdType) + "\n";
    text += this->text(406) + ": " + shown(kIdSerial1) + "/" + shown(kIdSerial2) + "/" +
            shown(kIdSerial3) + "\n";
    text += this->text(237) + ": " + shown(kIdFirmware) + "\n";
    text += DescriptionPageText() + "\n";
    return text;
}

std::string AcquisitionPage::RecordedDescriptionValue(int line) const {
    if (!fileMode_ || !recorded_.isOpen()) return {};
    const std::string& description = recorded_.header().description;
    std::size_t start = 0;
    for (int k = 0; k < line && start != std::string::npos; ++k) {
        start = description.find('\n', start);
        if (start != std::string::npos) ++start;
    }
    if (start == std::string::npos || start >= description.size()) return {};
    const std::string text = description.substr(start, description.find('\n', start) - start);
    const std::size_t colon = text.find(": ");
    return colon == std::string::npos ? std::string() : text.substr(colon + 2);
}

std::int64_t AcquisitionPage::InstrumentTime() {
    BoundField* field = dateTimeField_ ? table_.FindField(dateTimeField_) : nullptr;
    return field ? std::int64_t(field->value()) : 0;
}

void AcquisitionPage::ToggleRecording() {
    if (state_ == kIdle) {
        clock_.configure(defaultPeriod_, defaultDuration_);
        state_ = kStartRequested;
        notifyState();
        return;
    }
    StopRecording();
}

void AcquisitionPage::StartAutomaticRecording(int periodSeconds, double durationMinutes,
                                              const std::string& path) {
    clock_.configure(periodSeconds, durationMinutes);
    recordPath_ = path;
    automatic_ = true;
    automaticDone_ = false;
    state_ = kStartRequested;
    notifyState();
}

void AcquisitionPage::StopRecording() {
    state_ = kIdle;
    splitting_ = false;
    recordPath_.clear();
    statusText_.clear();
    if (automatic_) {
        automatic_ = false;
        Close();
    }
    notifyState();
}

void AcquisitionPage::RunRecording() {
    if (state_ == kStartRequested) StartRecording();
    if (state_ == kRecording) RecordingStep();
}

void AcquisitionPage::StartRecording() {
    description_ = DescriptionText();
    if (splitting_)
        clock_.continueInNewFile();
    else
        clock_.restart();
    splitting_ = false;
    sampleCounter_ = 0;
    currentSample_ = -1;
    std::vector<std::span<const std::uint8_t>> blocks;
    for (int i = 0; i < parameterCount(); ++i)
        blocks.emplace_back(table_.BlockAt(kParameterOnceGroup, i)->data);
    if (WriteBlocks(blocks, kCreate) != 0) {
        StopRecording();
        return;
    }
    state_ = kRecording;
}

void AcquisitionPage::RecordingStep() {
    const std::int64_t now = InstrumentTime();
    if (clock_.takeSample(now)) {
        ++sampleCounter_;
        std::string status = text(kTextRecord) + " " + std::to_string(sampleCounter_);
        if (clock_.durationMinutes() > 0) {
            const std::int64_t left = clock_.secondsLeft(now);
            status += " (" + text(kTextLeftTime) + " " + std::to_string(left / 60) + " " +
                      text(textid::kTextMinute) + " " + std::to_string(left % 60) + " " +
                      text(textid::kTextSecond) + ")";
        }
        statusText_ = status;
        std::vector<std::span<const std::uint8_t>> blocks;
        for (int j = 0; j < measurementCount(); ++j)
            blocks.emplace_back(table_.BlockAt(kMeasurementGroup, j)->data);
        if (WriteBlocks(blocks, recordPath_.empty() ? kCreate : kAppend) != 0) {
            StopRecording();
            return;
        }
        const std::int64_t limit = settings().maxRecordsPerFile;
        if (limit > 0 && sampleCounter_ >= limit) {
            recordPath_ =
                RecordFileName::unusedPath(RecordFileName::splitPath(recordPath_, PcTime()));
            state_ = kStartRequested;
            splitting_ = true;
        }
    }
    if (clock_.durationElapsed(now)) {
        automaticDone_ = automatic_;
        StopRecording();
    }
}

int AcquisitionPage::WriteOneBlock(std::span<const std::uint8_t> payload, WriteMode mode) {
    return WriteBlocks({payload}, mode);
}

bool AcquisitionPage::ChooseRecordPath() {
    PageFileTypes::Type type = fileType();
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.filter = PageFileTypes::filterEntry(type) + "|";
    request.defaultExtension = type.extension;
    request.initialPath =
        LastSaveDirectory().empty() ? settings().saveDirectory : LastSaveDirectory();
    auto chosen = CFileDialogKV(*this, request).run();
    if (!chosen) return false;
    recordPath_ = *chosen;
    const std::string directory = std::filesystem::path(*chosen).parent_path().string();
    if (!directory.empty()) LastSaveDirectory() = directory + "/";
    return true;
}

// The records go into one opening of the file: the first in `mode` (a new file with its header
// for kCreate), the others appended. Empty payloads write nothing (a header-only file).
int AcquisitionPage::WriteBlocks(const std::vector<std::span<const std::uint8_t>>& payloads,
                                 WriteMode mode) {
    if (mode == kAppend && recordPath_.empty()) return -1;
    if (recordPath_.empty() && !ChooseRecordPath()) return -1;
    if (description_.empty()) description_ = DescriptionText();
    RecordFile file(4096);
    RecordStatus status = mode == kCreate ? file.create(recordPath_, description_, PcTime())
                                          : file.open(recordPath_, RecordFile::Mode::Append);
    if (status != RecordStatus::Ok) {
        ReportFileFailure(status, mode == kCreate, file.systemError());
        return -1;
    }
    for (std::span<const std::uint8_t> payload : payloads) {
        if (payload.empty()) continue;
        if ((status = file.append(payload)) != RecordStatus::Ok) {
            ReportFileFailure(status, false, file.systemError());
            return -1;
        }
    }
    return 0;
}

void AcquisitionPage::ReportFileFailure(RecordStatus status, bool creating, int systemError) {
    switch (status) {
        case RecordStatus::CannotOpen:
            if (creating)
                showErrorWith(kTextCannotCreate, "\n" + recordPath_, kTextError);
            else
                showErrorWith(kTextCannotOpenSource, recordPath_, kTextError);
            break;
        case RecordStatus::IncorrectFile:
            showError(kTextIncorrectFile, kTextError);
            break;
        default: {
            // A full disk, a refused write: what was written before stays readable.
            std::string detail = "\n" + recordPath_;
            if (systemError) detail += "\n" + std::string(std::strerror(systemError));
            showErrorWith(textid::kTextCannotWriteFile, detail, kTextError);
            break;
        }
    }
}

// ---- viewing a recorded file -----------------------------------------------------------------

int AcquisitionPage::LoadRecordedFile(const std::string& path) {
    fileMode_ = true;
    closed_ = false;
    indicator_ = kIndicatorBlank;
    auto refuse = [this] {
        showError(kTextIncorrectFile, kTextError);
        Close();
        return -1;
    };
    RecordStatus status = recorded_.open(path, RecordFile::Mode::Read);
    if (status == RecordStatus::CannotOpen) {
        showErrorWith(kTextCannotOpenSource, path, kTextError);
        Close();
        return -1;
    }
    if (status != RecordStatus::Ok) return refuse();
    const RecordFileHeader& header = recorded_.header();
    setCaptionFile(path);
    setCaptionExtra(" (" + header.dateText() + " - " + header.timeText() + ")");
    const int parameters = parameterCount();
    const int records = recorded_.count() - parameters;
    sampleCounter_ = records;
    if (records < 1 || measurementCount() < 1) return refuse();
    std::vector<std::uint8_t> payload;
    for (int i = 0; i < parameters; ++i) {
        if (recorded_.read(i, payload) != RecordStatus::Ok) return refuse();
        table_.Decode(table_.BlockAt(kParameterOnceGroup, i)->address, payload);
    }
    ParametersLoaded();
    sampleCount_ = records / measurementCount();
    if (ShowSample(0) != 0) return refuse();
    controlsShown_ = true;
    notifyState();
    return 0;
}

int AcquisitionPage::ShowSample(int sample) {
    if (!fileMode_ || !recorded_.isOpen() || sample < 0 || sample >= sampleCount_) return -1;
    const int parameters = parameterCount();
    const int blocks = measurementCount();
    std::vector<std::uint8_t> payload;
    for (int j = 0; j < blocks; ++j) {
        const int index = parameters + blocks * sample + j;
        if (recorded_.readRepeating(index, parameters, blocks, payload) != RecordStatus::Ok)
            return -1;
        table_.Decode(table_.BlockAt(kMeasurementGroup, j)->address, payload);
    }
    currentSample_ = sample;
    SampleLoaded();
    statusText_ =
        text(kTextRecord) + " " + std::to_string(sample + 1) + " / " + std::to_string(sampleCount_);
    UpdateNavigation();
    if (observer_) observer_->sampleShown();
    notifyState();
    return 0;
}

void AcquisitionPage::UpdateNavigation() {
    navigation_ = Navigation{true, true, true, true, false};
    if (currentSample_ >= sampleCount_ - 1) {
        navigation_.next = navigation_.last = false;
        navigation_.focusPrevious = true;
    }
    if (currentSample_ <= 0) navigation_.previous = navigation_.first = false;
}

void AcquisitionPage::ShowFirst() {
    ShowSample(0);
}

void AcquisitionPage::ShowPrevious() {
    ShowSample(currentSample_ - 1);
}

void AcquisitionPage::ShowNext() {
    ShowSample(currentSample_ + 1);
}

void AcquisitionPage::ShowLast() {
    ShowSample(sampleCount_ - 1);
}

}  // namespace flowcfg
