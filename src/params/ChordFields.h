#pragma once

#include "params/FieldBuilder.h"

namespace flowcfg {

// The chords of pipes A and B on their "Definition of cords" tabs, registered against the pipes'
// chord views (0x10100 + 16 k, 0x10200 + 16 k) that the variable table maps onto the
// instrument's chord blocks, and for each of the eight chord blocks 0x1100 ... 0x1170 the
// windowless 26-character marker that gives it its 13 registers whatever the chord pages show.
class ChordFields {
public:
    static constexpr int kChordsPerPipe = 8;
    static void Register(FieldBuilder& builder);
};

}  // namespace flowcfg
