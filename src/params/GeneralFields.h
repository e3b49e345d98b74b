#pragma once

#include "params/FieldBuilder.h"

namespace flowcfg {

// The fields of the "General" tab: the general settings (block 0x1000), the sequencer switch
// (0x1030), the instrument text (0xF300), the clock (0xE010) with its synchronisation choice,
// the identity (0xFD00) and the identification read before every read (0xFF00).
class GeneralFields {
public:
    static void Register(FieldBuilder& builder);
    // The identification (0xFF00) that the read engine reads and checks before every read of a
    // page's blocks: slave, the instrument's serial number parts, firmware version. Windowless,
    // never saved.
    static void RegisterIdentification(VariableTable& table);
};

}  // namespace flowcfg
