#include "params/LayoutChooser.h"

#include <algorithm>

#include "params/FunctionFields.h"
#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "params/SettingsFile.h"

namespace flowcfg {
namespace {

int integer(ParameterPage& page, int controlId) {
    BoundField* field = page.table().FindField(controlId);
    return field ? int(field->integer()) : 0;
}

}  // namespace

LayoutChooser::LayoutChooser(const IniFile& config, PageContext context, StartDialog* dialog)
    : config_(config), context_(context), dialog_(dialog) {}

int LayoutChooser::FunctionsOption(ParameterPage& page) {
    bool sourceSet = false;
    for (int k = 0; k < FunctionFields::kRows; ++k)
        sourceSet = sourceSet || integer(page, ctl::functionRow(k, ctl::function::kSource)) != 0;
    BoundField* main = page.table().FindField(ctl::kFunctionMain);
    const bool mainSet = main && main->value() != 0;
    return mainSet && sourceSet ? 0 : 1;
}

LayoutOptions LayoutChooser::FromInstrument(ParameterPage& page, LayoutOptions o) {
    o.instrumentType = std::clamp(integer(page, ctl::kInstrumentType), 0, 1);
    o.level = std::clamp(integer(page, ctl::kLevel), 0, 2);
    o.totalizers = std::clamp(integer(page, ctl::kTotalizersShown), 0, 1);
    o.logger = std::clamp(integer(page, ctl::kLoggerShown), 0, 1);
    o.inputsOutputs = std::clamp(integer(page, ctl::kInputOutputShown), 0, 1);
    o.sequencer = 0;
    o.pipes = std::clamp(integer(page, ctl::kPipes), 1, 2);
    o.functions = FunctionsOption(page);
    // "Max number of chords" lists the counts from 2 on.
    o.maxChords = std::clamp(integer(page, ctl::kMaxChords) + 2, 2, 8);
    o.chordsA = std::clamp(integer(page, ctl::pipeField(0, ctl::pipe::kChords)), 0, 8);
    o.chordsB = std::clamp(integer(page, ctl::pipeField(1, ctl::pipe::kChords)), 0, 8);
    for (int k = 0; k < LayoutOptions::kModuleSlots; ++k)
        o.modules[std::size_t(k)] = integer(page, ctl::installedModule(k));
    return o;
}

int LayoutChooser::ChooseLayout(int mode, const std::string& source) {
    options_ = LayoutOptions::Load(config_);
    readPage_.reset();
    if (mode & (ParameterPage::kModeFile | ParameterPage::kModeWriteOnly)) {
        if (SettingsFile::ReadLayout(source, options_) != SettingsFile::Status::Ok)
            return kUnreadable;
        if ((mode & ParameterPage::kModeFile) && dialog_ && !dialog_->confirm(options_, mode))
            return kCancel;
        options_.SaveLayoutOptions(config_);
        return kOk;
    }
    readPage_ = std::make_unique<ParameterPage>(options_, context_, ParameterPage::kModeRead);
    if (readPage_->Build(nullptr) != 0 || readPage_->ReadParameterSet() != 0) {
        readPage_.reset();
        return kCancel;
    }
    if (mode & ParameterPage::kModeRead) {
        options_ = FromInstrument(*readPage_, options_);
    } else {
        options_.functions = FunctionsOption(*readPage_);
        if (dialog_ && !dialog_->confirm(options_, mode)) return kCancel;
    }
    options_.SaveLayoutOptions(config_, (mode & ParameterPage::kModeNew) == 0);
    return kOk;
}

}  // namespace flowcfg
