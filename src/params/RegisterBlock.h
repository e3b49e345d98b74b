#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "params/BlockGroup.h"

namespace flowcfg {

// One register block of a page: a run of the instrument's 16-bit registers exchanged whole.
struct RegisterBlock {
    int address = 0;                 // JBus start register; also the block's key
    std::vector<std::uint8_t> data;  // as last received or last encoded
    int registerCount = 0;           // from the block size rule
    int variableMarker = 0;          // -1: declared without variables (raw bytes only)
    std::array<int, kBlockGroupCount> groupIndex{-1, -1, -1, -1, -1};  // -1 = not in the group
    // A block some instruments do not have: a read answered with exception 2 (illegal data
    // address) marks it absent instead of failing.
    bool optional = false;
    // False while the instrument, or the file the set came from, has no such block: its fields
    // keep their values but are neither written nor saved.
    bool present = true;

    bool isRaw() const { return variableMarker < 0; }
};

}  // namespace flowcfg
