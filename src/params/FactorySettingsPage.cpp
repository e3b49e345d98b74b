#include "params/FactorySettingsPage.h"

#include "params/GeneralFields.h"
#include "params/MarkerVariables.h"
#include "texts/TextIds.h"

namespace flowcfg {

FactorySettingsPage::FactorySettingsPage(PageContext context, int mode, const std::string& fileName)
    : BlockPage(context, mode, fileName) {}

int FactorySettingsPage::Build(FieldControlFactory* factory) {
    for (auto [id, caption, offset] :
         {std::tuple{kReboot, kRebootText, 0}, std::tuple{kReset, 457, 2},  // "Reset"
          std::tuple{kUpgrade, 346, 4}}) {                                  // "Included file ..."
        VariableDescriptor d;
        d.controlId = id;
        d.captionText = caption;
        d.kind = VariableDescriptor::kList;
        d.listText = textid::kListNoYes;
        d.initialValue = "0";
        d.format = std::string("%l");
        d.encoding = 0x3000;
        d.offset = offset;
        d.block = kChoicesBlock;
        table_.Register(d);
    }
    VariableDescriptor name;
    name.controlId = kUpgradeName;
    name.captionText = kUpgradeNameText;
    name.kind = VariableDescriptor::kEdit;
    name.high = kNameLength;
    name.format = "%s";
    name.encoding = 0x500;
    name.offset = 6;
    name.block = kChoicesBlock;
    table_.Register(name);
    MarkerVariables::RegisterReboot(table_, kRebootMarker);
    MarkerVariables::RegisterReset(table_, kResetMarker);
    MarkerVariables::RegisterUpgrade(table_, kUpgradeMarker, std::string(12, ' '));
    GeneralFields::RegisterIdentification(table_);
    if (table_.Build(factory) != 0) return -1;
    leaveWindowlessUnprinted();
    table_.SetGroupIndex(kChoicesBlock, kSettingsFileGroup);
    return 0;
}

BlockPage::Result FactorySettingsPage::Open() {
    if (mode_ & (kModeFile | kModeWriteOnly)) {
        noConfirmation_ = noConfirmation_ || (mode_ & kModeWriteOnly) != 0;
        if (Load(fileName_) != 0) return result_ = kCancel;
        if ((mode_ & kModeWriteOnly) && TransferToInstrument() < 0) result_ = kCancel;
        if ((mode_ & kModeWriteOnly) && result_ == kStayOpen) result_ = kOk;
        return result_;
    }
    if (mode_ & kModeRead) {
        if (readGroup() != 0) return result_ = kCancel;
        finishSequence(kExtension, [this](const std::string& path) { return Save(path); });
    }
    return result_;
}

int FactorySettingsPage::Load(const std::string& path) {
    return loadFile(path, kFileTag);
}

int FactorySettingsPage::Save(const std::string& path) {
    return saveFile(path, kFileTag);
}

FactorySettingsPage::Command FactorySettingsPage::ChosenCommand() {
    auto yes = [this](int id) {
        BoundField* f = table_.FindField(id);
        return f && f->integer() == 1;
    };
    if (yes(kReboot)) return kRebootCommand;
    if (yes(kReset)) return kResetCommand;
    if (yes(kUpgrade)) return kUpgradeCommand;
    return kNone;
}

std::string FactorySettingsPage::CommandName(const std::string& name) {
    std::string text = name.substr(0, MarkerVariables::kUpgradeNameLength);
    text.resize(MarkerVariables::kUpgradeNameLength, ' ');
    return text;
}

int FactorySettingsPage::TransferToInstrument() {
    const Command command = ChosenCommand();
    if (command == kNone) return 1;
    table_.ClearGroup(kWriteGroup);
    if (command == kRebootCommand) table_.SetGroupIndex(MarkerVariables::kRebootBlock, kWriteGroup);
    if (command == kResetCommand) table_.SetGroupIndex(MarkerVariables::kResetBlock, kWriteGroup);
    if (command == kUpgradeCommand) {
        BoundField* typed = table_.FindField(kUpgradeName);
        table_.FindField(kUpgradeMarker)->setText(CommandName(typed ? typed->text() : ""));
        table_.SetGroupIndex(MarkerVariables::kUpgradeBlock, kWriteGroup);
    }
    if (!confirmTransfer()) return -1;
    if (exchange_.WriteGroup(1) != 0) return -1;
    result_ = kOk;
    return 0;
}

void FactorySettingsPage::setChoice(int controlId, bool yes) {
    if (BoundField* f = table_.FindField(controlId)) f->setInteger(yes ? 1 : 0);
}

void FactorySettingsPage::setUpgradeName(const std::string& name) {
    if (BoundField* f = table_.FindField(kUpgradeName)) f->setText(name);
}

}  // namespace flowcfg
