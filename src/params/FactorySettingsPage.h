#pragma once

#include "params/BlockPage.h"

namespace flowcfg {

// "Factory Settings" without its window: three Yes/No choices (reboot, reset, "Included file
// for upgrading (MAJ)") and the name of the upgrade file, and the transfer of the first chosen
// command: reboot (0x5A5A at 0xEFFF), else reset (0x55AA, 0xAA55 at 0xEFFE), else the upgrade
// name cut or padded with spaces to 12 characters at 0xEFFD. Nothing is written when no choice
// is Yes.
//
// The choices are kept in a block of the page's own (never sent), so that a ".rus" file holds
// them like any page file holds its blocks:
//   offset 0  u16 reboot (0 No, 1 Yes)    offset 2  u16 reset    offset 4  u16 upgrade
//   offset 6  text, 40 characters: the upgrade file name as typed
//
// Modes: 1 reads the identification at opening (a failed read closes the page), 4 a ".rus"
// file, 16 a ".rus" file sent without a question (the initialisation sequence).
class FactorySettingsPage : public BlockPage {
public:
    static constexpr int kTitleText = 525;     // "Factory Settings"
    static constexpr int kFileTypeText = 232;  // "Factory Settings File|rus"
    static constexpr const char* kExtension = "rus";
    static constexpr const char* kFileTag = "Factory Settings";
    static constexpr int kChoicesBlock = 0x20000;  // the page's own, never sent
    static constexpr int kNameLength = 40;

    // Control ids.
    static constexpr int kReboot = 1200;
    static constexpr int kReset = 1203;
    static constexpr int kUpgrade = 1206;
    static constexpr int kUpgradeName = 1209;
    static constexpr int kRebootMarker = 1197;
    static constexpr int kResetMarker = 1199;
    static constexpr int kUpgradeMarker = 1196;

    // Texts.
    static constexpr int kRebootText = 89;       // "Reboot"
    static constexpr int kUpgradeNameText = 90;  // "Upgrade file name"

    enum Command { kNone, kRebootCommand, kResetCommand, kUpgradeCommand };

    FactorySettingsPage(PageContext context, int mode, const std::string& fileName = {});

    int Build(FieldControlFactory* factory = nullptr);
    Result Open();
    Result Start(FieldControlFactory* factory) {
        return Build(factory) != 0 ? (result_ = kCancel) : Open();
    }

    int Load(const std::string& path);
    int Save(const std::string& path);
    // The command the choices ask for: the first of reboot, reset, upgrade that is Yes.
    Command ChosenCommand();
    // The upgrade name as sent: cut or padded with spaces to 12 characters.
    static std::string CommandName(const std::string& name);
    // The chosen command after the question; the page closes with OK once written. 0 written,
    // 1 nothing chosen (nothing written), -1 failed or declined.
    int TransferToInstrument();

    void setChoice(int controlId, bool yes);
    void setUpgradeName(const std::string& name);
};

}  // namespace flowcfg
