#include "params/ModuleFields.h"

#include <cstdio>

#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "params/ParameterTexts.h"
#include "texts/TextIds.h"

namespace flowcfg {

int ModuleFields::kindCaption(int word) {
    switch (word) {
        case kCurrentOutput:
            return 487;  // "Analog Output"
        case kRelayOutput:
            return 488;  // "Relay output"
        case kCurrentInput:
            return 198;  // "Input 4 - 20 mA"
        case kVoltageInput:
            return 197;  // "Input 0 - 10 V"
        case kPt100Input:
            return 200;  // "Input PT100"
        default:
            return 0;
    }
}

void ModuleFields::Register(FieldBuilder& b) {
    using namespace ctl::module;
    constexpr int kWindowless = VariableDescriptor::kWindowless | VariableDescriptor::kNeverPrinted;
    b.home(TabKind::InputOutput);
    for (int k = 0; k < ParameterBlocks::kModules; ++k) {
        auto id = [k](int field) { return ctl::moduleField(k, field); };
        const int word = b.options().modules[std::size_t(k)];
        const int caption = kindCaption(word);
        const int block = ParameterBlocks::module(k);
        char suffix[8];
        std::snprintf(suffix, sizeof suffix, " %02d", k + 1);
        b.onlyWhen(caption != 0);
        b.group(caption != 0 ? caption : 408, suffix);  // "N°" for an empty slot

        // Range ends and units by kind: outputs in the flow unit they follow, inputs in their
        // measured unit.
        int low = 362, high = 350, unitList = textid::kListUnits, unit = 12;      // °C
        if (word == kCurrentOutput || word == kCurrentInput) low = 11, high = 9;  // 4 / 20 mA
        if (word == kRelayOutput) low = 480, high = 481;          // low / high threshold
        if (word == kVoltageInput) low = 3, high = 5, unit = 14;  // 0 V / 10 V, V
        if (word == kCurrentInput) unit = 13;                     // mA
        if (isOutput(word)) unitList = textid::kListFlowUnits, unit = 4;

        b.add({.id = id(kWord),
               .caption = 528,
               .kind = VariableDescriptor::kDisplay,
               .initial = std::to_string(word),  // a new set is made for the module fitted
               .offset = 0,
               .block = block});
        b.add({.id = id(kMode),
               .caption = 142,
               .kind = VariableDescriptor::kSpin,
               .high = 15,
               .offset = 2,
               .block = block});
        b.add({.id = id(kSource),
               .caption = 446,
               .kind = VariableDescriptor::kList,
               .list = textid::kListTotalizerSource,
               .initial = "2",
               .high = 3,  // QA, QB, QT
               .format = "%l",
               .offset = 4,
               .block = block,
               .flags = isOutput(word) ? 0 : kWindowless});
        for (auto [field, text, initial, offset] :
             {std::tuple{kLow, low, "0.0", 6}, std::tuple{kHigh, high, "100.0", 10}})
            b.add({.id = id(field),
                   .caption = text,
                   .kind = VariableDescriptor::kEdit,
                   .initial = initial,
                   .unit = unitList,  // follows the slot's unit
                   .unitEntry = unit,
                   .low = -99999.9,
                   .high = 99999.9,
                   .format = "%0.1f",
                   .encoding = 0x8000,
                   .offset = offset,
                   .block = block});
        b.list(id(kUnit), 533, unitList, unit, 14, block);
        b.add({.id = ctl::installedModule(k),
               .caption = paramtext::kDeviceConnected,
               .kind = VariableDescriptor::kDisplay,
               .initial = std::to_string(word),
               .offset = 2 * k,
               .block = ParameterBlocks::kModuleList});
    }
}

}  // namespace flowcfg
