#pragma once

#include "params/FieldBuilder.h"

namespace flowcfg {

// The "Input-output" tab: one parameter block per slot (0x1600 + 16 k: at 0 the module word the
// parameters were made for, at 2 the operating mode, at 4 the flow an output follows (QA, QB,
// QT), at 6 and 10 the values at the low and high end of the range (signed 32 bits, tenths), at
// 14 the unit), and the module words the instrument reports (0xE050). A slot shows the fields
// its module needs, captioned for its kind (the layout's module words); an empty slot's fields
// have no window.
class ModuleFields {
public:
    // Module words.
    static constexpr int kCurrentOutput = 1, kRelayOutput = 2, kCurrentInput = 3, kVoltageInput = 4,
                         kPt100Input = 5;
    static bool isOutput(int word) { return word == kCurrentOutput || word == kRelayOutput; }
    // The caption of a module kind, 0 for an empty slot or an unknown module.
    static int kindCaption(int word);
    static void Register(FieldBuilder& builder);
};

}  // namespace flowcfg
