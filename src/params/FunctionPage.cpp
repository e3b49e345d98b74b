#include "params/FunctionPage.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "params/GeneralFields.h"
#include "params/MarkerVariables.h"
#include "params/ParameterTexts.h"
#include "params/PrintedFields.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

using D = FunctionDefinitions;
constexpr int kNeverPrinted = VariableDescriptor::kWindowless | VariableDescriptor::kNeverPrinted;

VariableDescriptor list(int tab, int id, int listText, int offset, int block) {
    VariableDescriptor d;
    d.tab = tab;
    d.controlId = id;
    d.kind = VariableDescriptor::kList;
    d.listText = listText;
    d.initialValue = "0";
    d.format = "%l";
    d.encoding = offset >= 0 ? 0x3000 : 0;
    d.offset = offset;
    d.block = block;
    return d;
}

VariableDescriptor display(int tab, int id, const std::string& format, int encoding, int offset,
                           int block) {
    VariableDescriptor d;
    d.tab = tab;
    d.controlId = id;
    d.kind = VariableDescriptor::kDisplay;
    d.initialValue = format == "%s" ? "" : "0";
    d.format = format;
    d.encoding = encoding;
    d.offset = offset;
    d.block = block;
    return d;
}

std::string numbered(int n) {
    char text[16];
    std::snprintf(text, sizeof text, " %02d", n);
    return text;
}

// Neither keeps any state: every page that is only looked at shares them.
OfflineExchange offline;
NoProgress noProgress;

}  // namespace

int FunctionPage::functionOf(int id) {
    if (id < settingsButton(0) || id > summary(kFunctions - 1)) return -1;
    const int k = (id - settingsButton(0)) / 6;
    const int role = id - settingsButton(k);
    return role == 0 || role == 2 || role == 5 ? k : -1;
}

FunctionPage::FunctionPage(PageContext context, int mode, const std::string& fileName)
    : BlockPage(context, mode, fileName),
      wait_([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }) {}

std::string FunctionPage::functionCaption(int k) {
    char number[16];
    std::snprintf(number, sizeof number, " N°%0i", k + 1);
    return messages_.text(239) + number;
}

void FunctionPage::registerFields() {
    table_.RegisterTab(kConstantTab, 141);        // "Constant value"
    table_.RegisterTab(kFirstFunctionsTab, 240);  // "Function 01 -> 10"
    table_.RegisterTab(kLastFunctionsTab, 241);   // "Function 11 -> 20"
    table_.RegisterTab(kOutputTab, 486);          // "Output"
    table_.Register(display(kConstantTab, kMainValue, "%8h", 0x4000, 0, kCalculations));
    for (int k = 0; k < kRows; ++k) {
        table_.Register(list(kConstantTab, rowSource(k), textid::kListMeasuredQuantity, 4 + 6 * k,
                             kCalculations));
        table_.Register(list(kConstantTab, rowSource2(k), textid::kListMeasuredQuantity, 6 + 6 * k,
                             kCalculations));
        table_.Register(
            list(kConstantTab, rowUnit(k), textid::kListUnits, 8 + 6 * k, kCalculations));
    }
    for (int k = 0; k < kFunctions; ++k) {
        const int tab = k < 10 ? kFirstFunctionsTab : kLastFunctionsTab;
        VariableDescriptor type = list(tab, typeList(k), textid::kListFunctionType, -1, -1);
        type.captionText = 239;  // "Function", numbered once built
        table_.Register(type);
        if (online()) {
            table_.Register(display(tab, currentValue(k), "%f", 0x400, 8 * k, kValuesBlock));
            table_.Register(display(tab, defaultState(k), "%0.f", 0xF00, 8 * k + 4, kValuesBlock));
        }
        table_.Register(display(tab, summary(k), "%s", 0, -1, -1));
    }
    for (int k = 0; k < kOutputs; ++k) {
        table_.Register(
            list(kOutputTab, outputSource(k), textid::kListMeasuredQuantity, 8 * k, kOutputsBlock));
        table_.Register(list(kOutputTab, outputFunction(k), textid::kListFunctionNumber, 4 + 8 * k,
                             kOutputsBlock));
        table_.Register(
            list(kOutputTab, outputUnit(k), textid::kListUnits, 6 + 8 * k, kOutputsBlock));
    }
    // Kept as raw bytes: the definitions are binary, not text.
    table_.DeclareRawBlock(kDefinitionsBlock, D::kBlockBytes / 2);
    MarkerVariables::RegisterReboot(table_, kEndMarker);
    VariableDescriptor status = display(-1, kStatusWord, "%8h", 0x4000, 46, kStatusBlock);
    status.flags = kNeverPrinted;
    table_.Register(status);
    GeneralFields::RegisterIdentification(table_);
}

int FunctionPage::Build(FieldControlFactory* factory) {
    registerFields();
    if (table_.Build(factory) != 0) return -1;
    leaveWindowlessUnprinted();
    for (int k = 0; k < kFunctions; ++k)
        if (BoundField* type = table_.FindField(typeList(k)); type && type->captionControl())
            type->captionControl()->setText(functionCaption(k));
    for (int address : {kCalculations, kOutputsBlock, kDefinitionsBlock})
        table_.SetGroupIndex(address, kReadGroup);
    if (online()) table_.SetGroupIndex(kValuesBlock, kReadGroup);
    for (int address : {kCalculations, kOutputsBlock, kDefinitionsBlock})
        table_.SetGroupIndex(address, kSettingsFileGroup);
    table_.FindBlock(kDefinitionsBlock)->data = D::Encode(definitions_);
    return 0;
}

BlockPage::Result FunctionPage::Open() {
    if (mode_ & kModeWriteOnly) {
        noConfirmation_ = true;
        if (Load(fileName_) != 0 || TransferToInstrument() != 0) result_ = kCancel;
        return result_;
    }
    if (mode_ & kModeFile) {
        if (Load(fileName_) != 0) result_ = kCancel;
        return result_;
    }
    if (mode_ & kModeRead) {
        if (Read() != 0) return result_ = kCancel;
        finishSequence(kExtension, [this](const std::string& path) { return Save(path); });
    }
    return result_;
}

int FunctionPage::Read() {
    const int status = readGroup();
    if (status == 0) parseDefinitions();
    return status;
}

int FunctionPage::Load(const std::string& path) {
    const int status = loadFile(path, kFileTag);
    if (status == 0) parseDefinitions();
    return status;
}

int FunctionPage::Save(const std::string& path) {
    // Functions that were not readable are kept in the file as the instrument gave them.
    if (allReadable()) table_.FindBlock(kDefinitionsBlock)->data = D::Encode(definitions_);
    return saveFile(path, kFileTag);
}

void FunctionPage::parseDefinitions() {
    const D::Parsed parsed = D::Parse(table_.FindBlock(kDefinitionsBlock)->data);
    definitions_ = parsed.functions;
    for (int k = 0; k < kFunctions; ++k)
        readable_[std::size_t(k)] = k < parsed.parsed;
    for (int k = 0; k < kFunctions; ++k)
        showFunction(k);
}

void FunctionPage::showFunction(int k) {
    if (BoundField* type = table_.FindField(typeList(k))) type->setInteger(definition(k).type);
    if (BoundField* text = table_.FindField(summary(k)))
        text->setText(readable(k)
                          ? FunctionEditor::Summary(definition(k).type, definition(k).parameters,
                                                    messages_.language())
                          : messages_.text(kNotReadable));
}

bool FunctionPage::allReadable() const {
    for (bool r : readable_)
        if (!r) return false;
    return true;
}

int FunctionPage::TypeChanged(int k) {
    BoundField* list = table_.FindField(typeList(k));
    if (!list || k < 0 || k >= kFunctions) return -1;
    const int chosen = int(list->integer());
    if (chosen == definition(k).type && readable(k)) return 0;
    D::Set candidate = definitions_;
    candidate[std::size_t(k)] = {chosen, {}};
    if (!D::FitsInBlock(candidate)) {
        messages_.showError(kDoesNotFit, paramtext::kCaution);
        list->setInteger(definition(k).type);
        return -1;
    }
    definitions_ = candidate;
    readable_[std::size_t(k)] = true;  // defined anew by the user
    if (BoundField* text = table_.FindField(summary(k))) text->setText("");
    return 0;
}

int FunctionPage::SetType(int k, int type) {
    if (BoundField* list = table_.FindField(typeList(k))) list->setInteger(type);
    return TypeChanged(k);
}

void FunctionPage::ClearFunction(int k) {
    definitions_[std::size_t(k)].parameters.clear();
    if (BoundField* text = table_.FindField(summary(k))) text->setText("");
}

std::unique_ptr<FunctionEditor> FunctionPage::EditorFor(int k) {
    if (D::ParametersOf(definition(k).type).empty() || !readable(k)) return nullptr;
    auto editor = std::make_unique<FunctionEditor>(k, definition(k).type, definition(k).parameters,
                                                   messages_.language());
    return editor;
}

int FunctionPage::ApplyEditor(int k, FunctionEditor& editor) {
    if (editor.type() != definition(k).type) return -1;
    return ApplyParameters(k, editor.Parameters());
}

int FunctionPage::ApplyParameters(int k, const std::vector<std::uint8_t>& parameters) {
    D::Set candidate = definitions_;
    candidate[std::size_t(k)].parameters = parameters;
    if (!D::FitsInBlock(candidate) ||
        int(parameters.size()) > D::ParameterBytes(definition(k).type)) {
        messages_.showError(kDoesNotFit, paramtext::kCaution);
        return -1;
    }
    definitions_ = candidate;
    showFunction(k);
    return 0;
}

int FunctionPage::TransferToInstrument() {
    if (!allReadable()) {
        // Written back only with the user's consent, the unreadable functions as "Off".
        if (!messages_.askYesNo(kWriteUnreadable, paramtext::kCaution)) return -1;
        for (int k = 0; k < kFunctions; ++k)
            if (!readable(k)) definitions_[std::size_t(k)] = {};
        readable_ = filled(true);
        for (int k = 0; k < kFunctions; ++k)
            showFunction(k);
    }
    table_.FindBlock(kDefinitionsBlock)->data = D::Encode(definitions_);
    table_.ClearGroup(kWriteGroup);
    for (int address :
         {kDefinitionsBlock, kCalculations, kOutputsBlock, int(MarkerVariables::kRebootBlock)})
        table_.SetGroupIndex(address, kWriteGroup);
    if (!confirmTransfer()) return -1;
    if (exchange_.WriteGroup(1) != 0) return -1;
    if (waitState_) waitState_(true);
    wait_(kTransferWaitMs);
    mode_ = kModeRead;
    int read = line_.open() == 0 ? exchange_.ReadBlock(kStatusBlock) : linkresult::kCannotOpen;
    line_.close();
    if (waitState_) waitState_(false);
    if (read != 0) {
        messages_.showError(
            read == linkresult::kCannotOpen ? paramtext::kCannotOpenPort : paramtext::kNoAnswer,
            paramtext::kError);
        return -1;
    }
    BoundField* status = table_.FindField(kStatusWord);
    if (status && (std::uint32_t(status->integer()) & kFunctionErrorBit)) {
        messages_.showError(paramtext::kError, paramtext::kError);  // "Error"
        return -1;
    }
    result_ = kOk;
    return 0;
}

std::vector<ParameterRow> FunctionPage::Rows() {
    std::vector<ParameterRow> rows;
    auto add = [&](int tab, int id, const std::string& caption) {
        BoundField* field = table_.FindField(id);
        if (!field) return;
        ParameterRow row;
        row.controlId = id;
        row.tab = messages_.text(table_.TabTitleText(tab));
        row.caption = caption;
        row.value = field->shownText();
        row.printed = true;
        rows.push_back(row);
    };
    const std::string input = messages_.text(562), acquit = messages_.text(561),
                      unit = messages_.text(533), number = messages_.text(408);
    add(kConstantTab, kMainValue, messages_.text(141));
    for (int k = 0; k < kRows; ++k) {
        const std::string row = number + numbered(k + 1) + ": ";
        add(kConstantTab, rowSource(k), row + input);
        add(kConstantTab, rowSource2(k), row + acquit);
        add(kConstantTab, rowUnit(k), row + unit);
    }
    for (int k = 0; k < kFunctions; ++k) {
        const int tab = k < 10 ? kFirstFunctionsTab : kLastFunctionsTab;
        add(tab, typeList(k), functionCaption(k));
        add(tab, summary(k), functionCaption(k) + ": " + messages_.text(521));
        char value[16];
        std::snprintf(value, sizeof value, "V%0i:", k + 1);
        add(tab, currentValue(k), value);
    }
    const std::string output = messages_.text(486), function = messages_.text(239);
    for (int k = 0; k < kOutputs; ++k) {
        const std::string row = output + numbered(k + 1) + ": ";
        add(kOutputTab, outputSource(k), row + input);
        add(kOutputTab, outputFunction(k), row + function);
        add(kOutputTab, outputUnit(k), row + unit);
    }
    return rows;
}

PrintReport FunctionPage::Report(const std::string& title) {
    PrintReport report;
    report.title = title;
    std::string tab;
    for (const ParameterRow& row : Rows()) {
        const BoundField* field = table_.FindField(row.controlId);
        if (!field || !PrintedFields::Printed(*field)) continue;
        if (row.tab != tab) report.addSection(tab = row.tab);
        report.addField(row.caption, row.value);
    }
    return report;
}

std::unique_ptr<FunctionPage> FunctionPage::OpenFile(const std::string& path, Prompts& prompts,
                                                     int language) {
    auto page = std::make_unique<FunctionPage>(PageContext{prompts, noProgress, offline, language},
                                               kModeFile, path);
    if (page->Start(nullptr) != kStayOpen) return nullptr;
    return page;
}

}  // namespace flowcfg
