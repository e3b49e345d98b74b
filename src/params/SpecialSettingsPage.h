#pragma once

#include "params/BlockPage.h"

namespace flowcfg {

// "Special Settings" without its window: the instrument's identity block 0xFD00 (both serial
// numbers in three parts, "Hardware", "Application", instrument type, the three chord limits,
// eight configuration words in hexadecimal), the two serial-number texts made from the parts,
// and the transfer: 0xFD00, then the reset command at 0xEFFE (0x55AA, 0xAA55).
//
// Modes: 1 reads 0xFD00 at once (a failed read closes the page), 2 a new set of initial
// values, 4 a ".rsp" file, 16 a ".rsp" file sent without a question, 65 and 129 read, then
// save or print and close.
class SpecialSettingsPage : public BlockPage {
public:
    static constexpr int kTitleText = 524;     // "Special Settings"
    static constexpr int kFileTypeText = 231;  // "Special Settings File|rsp"
    static constexpr const char* kExtension = "rsp";
    static constexpr const char* kFileTag = "Special Settings";
    static constexpr int kResetMarker = 1199;
    static constexpr int kTransferButton = 5041;
    static constexpr int kSaveButton = 5040;

    SpecialSettingsPage(PageContext context, int mode, const std::string& fileName = {});

    // Registers the fields and the groups (read {0xFD00}, write {0xFD00, 0xEFFE}, file
    // {0xFD00}) and makes their controls. 0 or -1.
    int Build(FieldControlFactory* factory = nullptr);
    // Fills the set as the mode says; anything but kStayOpen closes the page.
    Result Open();
    Result Start(FieldControlFactory* factory) {
        return Build(factory) != 0 ? (result_ = kCancel) : Open();
    }

    int Read();
    int Load(const std::string& path);
    int Save(const std::string& path);
    // The question, then 0xFD00 and 0xEFFE, one attempt each; the page closes with OK once
    // written. 0 written, -1 failed or declined.
    int TransferToInstrument();
    // The person changed a field: the serial-number texts follow.
    void FieldChanged(int controlId);
    // "%02.f/%02.f/%05.f" of the three parts into the two serial-number texts.
    void RefreshSerialTexts();

    std::string Serial();
    std::string BoardSerial();

    // The printed fields, the serial numbers as their texts (the parts say it again), the
    // chord limits and configuration words numbered.
    PrintReport Report(const std::string& title) override;
};

}  // namespace flowcfg
