#include "params/SpecialSettingsPage.h"

#include <cstdio>

#include "params/GeneralFields.h"
#include "params/MarkerVariables.h"
#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "params/PrintedFields.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

constexpr int kIdentity = ParameterBlocks::kIdentity;

VariableDescriptor field(int id, int caption, int kind, int list, const std::string& initial,
                         double low, double high, const std::string& format, int encoding,
                         int offset) {
    VariableDescriptor d;
    d.controlId = id;
    d.captionText = caption;
    d.kind = kind;
    d.listText = list;
    d.initialValue = initial;
    d.low = low;
    d.high = high;
    d.format = format;
    d.encoding = encoding;
    d.offset = offset;
    d.block = offset >= 0 ? kIdentity : -1;
    return d;
}

std::string serialText(VariableTable& table, int first) {
    BoundField* a = table.FindField(first);
    BoundField* b = table.FindField(first + 3);
    BoundField* c = table.FindField(first + 6);
    if (!a || !b || !c) return {};
    char text[64];
    std::snprintf(text, sizeof text, "%02.f/%02.f/%05.f", a->value(), b->value(), c->value());
    return text;
}

}  // namespace

SpecialSettingsPage::SpecialSettingsPage(PageContext context, int mode, const std::string& fileName)
    : BlockPage(context, mode, fileName) {}

int SpecialSettingsPage::Build(FieldControlFactory* factory) {
    using namespace ctl;
    using namespace textid;
    constexpr int kEdit = VariableDescriptor::kEdit;
    constexpr int kList = VariableDescriptor::kList;
    constexpr int kDisplay = VariableDescriptor::kDisplay;
    // Serial number text, then its parts (the parts stand on the text's line).
    for (auto [text, caption, first, offset] :
         {std::tuple{kSerialText, 406, kSerial1, 0},
          std::tuple{kBoardSerialText, 407, kBoardSerial1, 8}}) {
        table_.Register(field(text, caption, kDisplay, 0, "", 0, 0, "%s", 0, -1));
        table_.Register(field(first, 0, kEdit, 0, "07", 0, 60, "%02.f", 0x3000, offset));
        table_.Register(field(first + 3, 0, kEdit, 0, "03", 0, 99, "%02.f", 0x3000, offset + 2));
        // Part 3 is 32 bits wide; its limit is 65635.
        table_.Register(
            field(first + 6, 0, kEdit, 0, "0001", 0, 65635, "%05.f", 0x4000, offset + 4));
    }
    table_.Register(field(kHardware, 38, kList, kListHardware, "0", 0, 0, "%l", 0x3000, 16));
    table_.Register(field(kApplication, 21, kList, kListApplication, "0", 0, 0, "%l", 0x3000, 18));
    table_.Register(
        field(kInstrumentType, 528, kList, kListInstrumentType, "0", 0, 0, "%l", 0x3000, 20));
    for (int i = 0; i < 3; ++i)
        table_.Register(field(kMaxChords + 3 * i, 395, kList, kListChordCount, "0", 0, 0, "%l",
                              0x3000, 22 + 2 * i));
    for (int i = 0; i < 8; ++i) {
        VariableDescriptor word = field(kConfigWord + 3 * i, 238, kEdit, 0, "0x0000", 0, 0xFFFF,
                                        "%4h", 0x3000, 28 + 2 * i);
        table_.Register(word);
    }
    MarkerVariables::RegisterReset(table_, kResetMarker);
    GeneralFields::RegisterIdentification(table_);
    if (table_.Build(factory) != 0) return -1;
    leaveWindowlessUnprinted();
    table_.SetGroupIndex(kIdentity, kReadGroup);
    table_.SetGroupIndex(kIdentity, kWriteGroup);
    table_.SetGroupIndex(MarkerVariables::kResetBlock, kWriteGroup);
    table_.SetGroupIndex(kIdentity, kSettingsFileGroup);
    for (BoundField& f : table_.fields())
        if (f.descriptor().isNumeric() && !f.descriptor().showsListPosition())
            f.setValue(f.value());  // "0001" shown as "00001", as a read value would be
    RefreshSerialTexts();
    return 0;
}

BlockPage::Result SpecialSettingsPage::Open() {
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

int SpecialSettingsPage::Read() {
    const int status = readGroup();
    RefreshSerialTexts();
    return status;
}

int SpecialSettingsPage::Load(const std::string& path) {
    const int status = loadFile(path, kFileTag);
    RefreshSerialTexts();
    return status;
}

int SpecialSettingsPage::Save(const std::string& path) {
    return saveFile(path, kFileTag);
}

int SpecialSettingsPage::TransferToInstrument() {
    if (!confirmTransfer()) return -1;
    if (exchange_.WriteGroup(1) != 0) return -1;
    result_ = kOk;
    return 0;
}

void SpecialSettingsPage::FieldChanged(int) {
    RefreshSerialTexts();
}

void SpecialSettingsPage::RefreshSerialTexts() {
    if (BoundField* text = table_.FindField(ctl::kSerialText)) text->setText(Serial());
    if (BoundField* text = table_.FindField(ctl::kBoardSerialText)) text->setText(BoardSerial());
}

std::string SpecialSettingsPage::Serial() {
    return serialText(table_, ctl::kSerial1);
}

std::string SpecialSettingsPage::BoardSerial() {
    return serialText(table_, ctl::kBoardSerial1);
}

PrintReport SpecialSettingsPage::Report(const std::string& title) {
    auto labels = [this](const BoundField& field) {
        PrintedFields::Label label;
        const int id = field.descriptor().controlId;
        const int text = field.descriptor().captionText;
        for (int part = 0; part < 3; ++part)
            if (id == ctl::kSerial1 + 3 * part || id == ctl::kBoardSerial1 + 3 * part)
                label.leftOut = true;
        for (int i = 0; i < 3; ++i)
            if (id == ctl::kMaxChords + 3 * i)
                label.caption = messages_.text(text) + " " + std::to_string(i + 1);
        for (int i = 0; i < 8; ++i)
            if (id == ctl::kConfigWord + 3 * i)
                label.caption = messages_.text(text) + " " + std::to_string(i + 1);
        return label;
    };
    return PrintedFields::Of(table_, title, labels);
}

}  // namespace flowcfg
