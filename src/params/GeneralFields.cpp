#include "params/GeneralFields.h"

#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

constexpr int kWindowless = VariableDescriptor::kWindowless | VariableDescriptor::kNeverPrinted;
constexpr int kGeneral = ParameterBlocks::kGeneral;
constexpr int kIdentity = ParameterBlocks::kIdentity;
constexpr int kIdentification = ParameterBlocks::kIdentification;

void generalBlock(FieldBuilder& b) {
    using namespace ctl;
    using namespace textid;
    b.group(336);  // "Serial Link 1"
    b.number(kSlave1, 306, "%0.f", 0, 255, "1", 0, kGeneral);
    b.list(kBauds1, 29, kListLinkSpeeds, 5, 2, kGeneral);
    b.group(0);
    b.add({.id = kFirstScreen,
           .caption = 6,
           .kind = VariableDescriptor::kEdit,
           .high = 255,
           .offset = 4,
           .block = kGeneral,
           .flags = kWindowless});
    b.list(kLevel, 476, kListParameterLevel, 0, 6, kGeneral);
    b.list(kTotalizersShown, 520, kListEnableDisable, 0, 8, kGeneral);
    b.list(kLoggerShown, 511, kListEnableDisable, 0, 10, kGeneral);
    b.list(kInputOutputShown, 201, kListEnableDisable, 0, 12, kGeneral);
    b.list(kLanguage, 310, kListLanguages, 1, 14, kGeneral);
    b.text(kUnitName, 392, 8, "KV420-P", 16, kGeneral, VariableDescriptor::kEdit);
    b.list(kBackLight, 464, kListBackLight, 1, 24, kGeneral);
    b.number(kPipes, 393, "%0.f", 1, 2, "1", 26, kGeneral);
    b.list(kQUnit, 536, kListFlowUnits, 4, 28, kGeneral);
    b.list(kStep, 433, kListStep, 0, 30, kGeneral);
    for (auto [id, caption, initial, offset] :
         {std::tuple{kMinimum, 362, "0.0", 32}, std::tuple{kMaximum, 350, "10.0", 36}})
        b.add({.id = id,
               .caption = caption,
               .kind = VariableDescriptor::kEdit,
               .initial = initial,
               .unit = kListFlowUnits,  // follows "Q Unit"
               .unitEntry = 4,
               .low = -99999.9,
               .high = 99999.9,
               .format = "%0.1f",
               .encoding = 0x8000,
               .offset = offset,
               .block = kGeneral});
    b.list(kCombination, 31, kListCombination, 0, 40, kGeneral);
    b.group(337);  // "Serial Link 2", kept as the instrument has it
    b.add({.id = kSlave2,
           .caption = 306,
           .kind = VariableDescriptor::kEdit,
           .initial = "1",
           .high = 255,
           .offset = 42,
           .block = kGeneral,
           .flags = kWindowless});
    b.add({.id = kBauds2,
           .caption = 29,
           .kind = VariableDescriptor::kList,
           .list = kListLinkSpeeds,
           .initial = "5",
           .format = "%l",
           .offset = 44,
           .block = kGeneral,
           .flags = kWindowless});
}

void instrumentFields(FieldBuilder& b) {
    using namespace ctl;
    using namespace textid;
    b.group(0);
    // Read and saved with the set but never written by it: shown, not edited.
    b.add({.id = kSequencer,
           .caption = 478,
           .kind = VariableDescriptor::kDisplay,
           .list = kListEnableDisable,
           .initial = "1",
           .format = "%l",
           .offset = 0,
           .block = ParameterBlocks::kSequencer,
           .flags = b.options().sequencerShown() ? 0 : kWindowless});
    b.text(kVersionText, 564, 10, "", 0, ParameterBlocks::kVersionText,
           VariableDescriptor::kDisplay);
    b.list(kSynchronise, 495, kListYesNo, 1, -1, -1);
    // Only ever written (set to the PC's time first): not part of the set shown.
    b.addUnlisted({.id = kClock,
                   .caption = 279,
                   .kind = VariableDescriptor::kDisplay,
                   .initial = "",
                   .format = "%s",
                   .encoding = 0x7000,
                   .offset = 0,
                   .block = ParameterBlocks::kClock,
                   .flags = kWindowless});
}

void identityFields(FieldBuilder& b) {
    using namespace ctl;
    using namespace textid;
    b.group(524);  // "Special Settings": shown here, edited on their own page
    b.add({.id = kSerialText,
           .caption = 406,
           .kind = VariableDescriptor::kDisplay,
           .initial = "",
           .format = "%s",
           .encoding = 0});
    b.add({.id = kBoardSerialText,
           .caption = 407,
           .kind = VariableDescriptor::kDisplay,
           .initial = "",
           .format = "%s",
           .encoding = 0});
    b.display(kHardware, 38, "%l", 16, kIdentity, 0x3000, kListHardware);
    b.display(kApplication, 21, "%l", 18, kIdentity, 0x3000, kListApplication);
    b.display(kInstrumentType, 528, "%l", 20, kIdentity, 0x3000, kListInstrumentType);
    for (int i = 0; i < 3; ++i)
        b.display(kMaxChords + 3 * i, 395, "%l", 22 + 2 * i, kIdentity, 0x3000, kListChordCount);
    struct Part {
        int id;
        const char* format;
        int encoding;
        int offset;
    };
    // The serial numbers' parts are shown through the two texts above.
    for (Part part :
         {Part{kSerial1, "%02.f", 0x3000, 0}, Part{kSerial2, "%02.f", 0x3000, 2},
          Part{kSerial3, "%05.f", 0x4000, 4}, Part{kBoardSerial1, "%02.f", 0x3000, 8},
          Part{kBoardSerial2, "%02.f", 0x3000, 10}, Part{kBoardSerial3, "%05.f", 0x4000, 12}})
        b.addUnlisted({.id = part.id,
                       .caption = part.id < kBoardSerial1 ? 406 : 407,
                       .kind = VariableDescriptor::kDisplay,
                       .format = part.format,
                       .encoding = part.encoding,
                       .offset = part.offset,
                       .block = kIdentity,
                       .flags = kWindowless});
    for (int i = 0; i < 8; ++i) {
        b.group(238, " " + std::to_string(i + 1));  // "Flag Array"
        b.add({.id = kConfigWord + 3 * i,
               .kind = VariableDescriptor::kDisplay,
               .initial = "0x0000",
               .format = "%4h",
               .offset = 28 + 2 * i,
               .block = kIdentity,
               .flags = kWindowless});
    }
}

}  // namespace

void GeneralFields::RegisterIdentification(VariableTable& table) {
    using namespace ctl;
    struct Part {
        int id;
        const char* format;
        int encoding;
        int offset;
    };
    auto add = [&table](int id, const char* format, int encoding, int offset, int high) {
        VariableDescriptor d;
        d.controlId = id;
        d.flags = kWindowless;
        d.captionText = id == kIdFirmware ? 237 : 406;
        d.kind = VariableDescriptor::kDisplay;
        d.initialValue = id == kIdFirmware ? "" : "0";
        d.high = high;
        d.format = format;
        d.encoding = encoding;
        d.offset = offset;
        d.block = kIdentification;
        table.Register(d);
    };
    for (Part part : {Part{kIdSlave, "%0.f", 0x3000, 0}, Part{kIdSerial1, "%02.f", 0xA000, 4},
                      Part{kIdSerial2, "%02.f", 0xA000, 5}, Part{kIdSerial3, "%05.f", 0x4000, 6}})
        add(part.id, part.format, part.encoding, part.offset, 0);
    add(kIdFirmware, "%s", 0x500, 10, 20);
}

void GeneralFields::Register(FieldBuilder& b) {
    b.home(TabKind::General);
    generalBlock(b);
    instrumentFields(b);
    identityFields(b);
    RegisterIdentification(b.table());
}

}  // namespace flowcfg
