#include "params/ParameterPage.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "params/EncodingCode.h"
#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "params/ParameterTexts.h"
#include "params/ParameterTransfer.h"
#include "params/SettingsFile.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

using B = ParameterBlocks;

std::string serialOf(BoundField* a, BoundField* b, BoundField* c) {
    if (!a || !b || !c) return {};
    char text[64];
    std::snprintf(text, sizeof text, "%02.f/%02.f/%05.f", a->value(), b->value(), c->value());
    return text;
}

}  // namespace

ParameterPage::ParameterPage(const LayoutOptions& options, PageContext context, int mode,
                             const std::string& fileName)
    : table_(context.language),
      layout_(ParameterLayout::ApplyLayout(options, table_)),
      messages_(context.prompts, context.language),
      rules_(table_, layout_, catalogue_, context.language),
      progress_(context.progress),
      line_(context.line),
      exchange_(table_, context.line, messages_, context.progress),
      mode_(mode),
      fileName_(fileName),
      captionFile_(fileName) {
    exchange_.setAfterRead([this](int address) { afterStore(address); });
}

int ParameterPage::Build(FieldControlFactory* factory) {
    if (table_.Build(factory) != 0) return -1;
    // Initial values as the fields' formats show them ("0.9" as "0.90"), the way a value read
    // from the instrument is shown.
    for (BoundField& field : table_.fields()) {
        const VariableDescriptor& d = field.descriptor();
        if (d.isNumeric() && !d.showsListPosition() && !d.initialValue.empty())
            field.setValue(field.value());
    }
    for (int group : {int(kReadGroup), int(kSettingsFileGroup)}) {
        table_.ClearGroup(group);
        for (int address : kParameterSetOrder)
            table_.SetGroupIndex(address, group);
    }
    for (int p = 0; p < 2; ++p)
        if (RegisterBlock* curve = table_.FindBlock(B::profile(p))) curve->optional = true;
    std::array<int, 2> probes{};
    for (int p = 0; p < 2; ++p)
        if (BoundField* f = table_.FindField(ctl::pipeField(p, ctl::pipe::kProbeType)))
            probes[std::size_t(p)] =
                int(EncodingCode::leadingInteger(f->descriptor().initialValue));
    rules_.FillProbeLists(probes);
    syncChordLayout();
    rules_.UpdateAll();
    return 0;
}

int ParameterPage::fieldInteger(int controlId) {
    BoundField* field = table_.FindField(controlId);
    return field ? int(field->integer()) : 0;
}

void ParameterPage::syncChordLayout() {
    table_.SetChordLayout(std::clamp(fieldInteger(ctl::kPipes), 1, 2),
                          std::clamp(fieldInteger(ctl::pipeField(0, ctl::pipe::kChords)), 0, 8),
                          std::clamp(fieldInteger(ctl::pipeField(1, ctl::pipe::kChords)), 0, 8));
}

void ParameterPage::afterStore(int address) {
    if (address == B::kGeneral || address == B::kPipeA || address == B::kPipeB) syncChordLayout();
}

void ParameterPage::UpdateDependentFields(int pipe) {
    rules_.UpdateDependentFields(pipe);
}

std::string ParameterPage::rebuildPath() const {
    return (std::filesystem::path(rebuildDirectory_) / kRebuildFileName).string();
}

ParameterPage::Result ParameterPage::Start(FieldControlFactory* factory) {
    if (Build(factory) != 0) return result_ = kCancel;
    return Open();
}

ParameterPage::Result ParameterPage::Open() {
    if (mode_ & kModeWriteOnly) {
        sendToInstrument_ = true;
        noConfirmation_ = true;
        if (LoadParameterSet(fileName_) != 0 && result_ == kStayOpen) result_ = kCancel;
        return result_;
    }
    if (mode_ & kModeFile) {
        if (fromRebuild_) {
            int loaded = LoadParameterSet(fileName_);
            std::error_code ignored;
            std::filesystem::remove(fileName_, ignored);
            fileName_.clear();
            if (loaded != 0) result_ = kCancel;
            return result_;
        }
        if (LoadParameterSet(fileName_) != 0 && result_ == kStayOpen) result_ = kCancel;
        return result_;
    }
    if (mode_ & kModeRead) {
        if (readSource_) AdoptBlocks(*readSource_);
        if (!adopted_ && ReadParameterSet() != 0) return result_ = kCancel;
        if (mode_ & kModeSave)
            result_ = SaveParameterSet(saveStem_ + "eta") == 0 ? kOk : kCancel;
        else if (mode_ & kModePrint)
            result_ = print_ && print_(*this) == 0 ? kOk : kCancel;
    }
    return result_;
}

int ParameterPage::ReadParameterSet() {
    int status = exchange_.ReadParameterSet();
    rules_.MergeProbeSets();
    rules_.UpdateAll();
    return status;
}

void ParameterPage::AdoptBlocks(ParameterPage& source) {
    std::vector<int> addresses(kParameterSetOrder.begin(), kParameterSetOrder.end());
    addresses.insert(addresses.begin(), B::kIdentification);
    for (int address : addresses) {
        RegisterBlock* from = source.table().FindBlock(address);
        RegisterBlock* to = table_.FindBlock(address);
        if (!from || !to) continue;
        to->present = from->present;
        if (to->isRaw())
            to->data = from->data;
        else
            table_.Decode(address, from->data);
        afterStore(address);
    }
    adopted_ = true;
    rules_.MergeProbeSets();
    rules_.UpdateAll();
}

int ParameterPage::LoadParameterSet(const std::string& path) {
    SettingsFile::Status status =
        SettingsFile::Load(path, table_, [this](int address) { afterStore(address); });
    if (status == SettingsFile::Status::CannotOpen) {
        messages_.showError(216, paramtext::kError, path);  // "Couldn't open source file : "
        return -1;
    }
    if (status != SettingsFile::Status::Ok) {
        messages_.showError(paramtext::kIncorrectFile, paramtext::kError);
        return -1;
    }
    rules_.MergeProbeSets();
    rules_.UpdateAll();
    return sendToInstrument_ ? sendLoadedSet() : 0;
}

std::string ParameterPage::InstrumentSerial() {
    return serialOf(table_.FindField(ctl::kIdSerial1), table_.FindField(ctl::kIdSerial2),
                    table_.FindField(ctl::kIdSerial3));
}

std::string ParameterPage::SetSerial() {
    return serialOf(table_.FindField(ctl::kSerial1), table_.FindField(ctl::kSerial2),
                    table_.FindField(ctl::kSerial3));
}

// The file goes to the instrument it was made for: its serial number must be the instrument's,
// unless no confirmation is wanted. Otherwise the page closes without writing.
int ParameterPage::sendLoadedSet() {
    result_ = kCancel;
    int read = line_.open() == 0 ? exchange_.ReadBlock(B::kIdentification) : -1;
    line_.close();
    if (read != 0) return -1;
    if (InstrumentSerial() != SetSerial() && !noConfirmation_) return -1;
    if (TransferToInstrument() != 0) {
        result_ = kCancel;
        return -1;
    }
    return 0;
}

LayoutOptions ParameterPage::RequestedOptions() {
    LayoutOptions o = options();
    o.level = std::clamp(fieldInteger(ctl::kLevel), 0, 2);
    o.totalizers = std::clamp(fieldInteger(ctl::kTotalizersShown), 0, 1);
    o.logger = std::clamp(fieldInteger(ctl::kLoggerShown), 0, 1);
    o.inputsOutputs = std::clamp(fieldInteger(ctl::kInputOutputShown), 0, 1);
    o.pipes = std::clamp(fieldInteger(ctl::kPipes), 1, 2);
    o.chordsA = fieldInteger(ctl::pipeField(0, ctl::pipe::kChords));
    o.chordsB = fieldInteger(ctl::pipeField(1, ctl::pipe::kChords));
    return o;
}

int ParameterPage::SaveParameterSet(const std::string& path) {
    syncChordLayout();
    LayoutOptions header = options();
    LayoutOptions requested = RequestedOptions();
    header.chordsA = requested.chordsA;
    header.chordsB = requested.chordsB;
    SettingsFile::Status status = SettingsFile::Save(path, table_, header);
    if (status == SettingsFile::Status::CannotOpen) {
        messages_.showError(205, paramtext::kError);  // "Can not open destination file !"
        return -1;
    }
    if (status != SettingsFile::Status::Ok) {
        messages_.showError(textid::kTextCannotWriteFile, paramtext::kError);
        return -1;
    }
    fileName_ = path;
    captionFile_ = path;
    changed_ = false;
    return 0;
}

int ParameterPage::TransferToInstrument() {
    syncChordLayout();
    ParameterTransfer transfer(table_, options(), messages_, exchange_,
                               {noConfirmation_, synchronise_, resetLogger_});
    int result = transfer.TransferToInstrument();
    rules_.UpdateAll();  // a profile curve the instrument refused is now absent
    if (result == ParameterTransfer::kWritten) result_ = kOk;
    return result == ParameterTransfer::kWritten ? 0 : -1;
}

bool ParameterPage::LayoutChanged(int controlId) {
    const LayoutOptions& o = options();
    const LayoutOptions requested = RequestedOptions();
    switch (controlId) {
        case ctl::kLevel:
            return requested.level != o.level;
        case ctl::kLoggerShown:
            return requested.logger != o.logger;
        case ctl::kTotalizersShown:
            return requested.totalizers != o.totalizers;
        case ctl::kInputOutputShown:
            return requested.inputsOutputs != o.inputsOutputs;
        case ctl::kPipes:
            return requested.pipes != o.pipes;
        default:
            return false;
    }
}

ParameterPage::Result ParameterPage::FieldChanged(int controlId) {
    const int rules = FieldRules::RulesFor(controlId);
    if (rules >= -1) rules_.UpdateDependentFields(rules);
    if (rules >= 0) rules_.UpdateDependentFields(1 - rules);  // the chord limits of the other
    if (controlId >= ctl::kProbeSet && controlId < ctl::kProbeSet + 40) {
        rules_.MergeProbeSets();
        rules_.UpdateAll();
    }
    if (LayoutChanged(controlId)) SaveLayoutChangeAndRebuild();
    return result_;
}

int ParameterPage::SaveLayoutChangeAndRebuild() {
    syncChordLayout();
    const std::string path = rebuildPath();
    SettingsFile::Status status = SettingsFile::Save(path, table_, RequestedOptions());
    if (status != SettingsFile::Status::Ok) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        messages_.showError(textid::kTextCannotWriteFile, paramtext::kError);
        return -1;
    }
    fileName_ = path;
    mode_ = kModeFile;
    result_ = kRebuild;
    return 0;
}

void ParameterPage::RunCommand(int commandId) {
    const int p = commandId / 10;
    if (p < 0 || p > 1) return;
    switch (commandId % 10) {
        case ctl::command::kResetTable1:
            rules_.ResetCoefficients(p, 0);
            break;
        case ctl::command::kResetTable2:
            rules_.ResetCoefficients(p, 1);
            break;
        case ctl::command::kResetProfile:
            rules_.ResetProfile(p);
            break;
        case ctl::command::kDefaultProfile:
            rules_.DefaultProfile(p);
            break;
        default:
            break;
    }
}

int ParameterPage::SetLanguage(int language) {
    const std::array<int, 2> probes = rules_.ProbePositions();
    if (table_.SetLanguage(language) != 0) return -1;
    messages_.setLanguage(language);
    rules_.setLanguage(language);
    rules_.FillProbeLists(probes);
    rules_.UpdateAll();
    return 0;
}

std::string ParameterPage::captionExtra() {
    return changed_ ? messages_.text(paramtext::kChanged) : std::string();
}

void ParameterPage::setCaptionFile(const std::string& file, bool changed) {
    captionFile_ = file;
    changed_ = changed && !file.empty();
}

}  // namespace flowcfg
