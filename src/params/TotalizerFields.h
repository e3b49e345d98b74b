#pragma once

#include "params/FieldBuilder.h"

namespace flowcfg {

// The four totalizers (block 0x1080: per totalizer t at 6 t a source, a weight and a unit) and
// their "Reset" choices (block 0xE030, one register each), on the "Totalizer(s)" tab.
class TotalizerFields {
public:
    static constexpr int kTotalizers = 4;
    static void Register(FieldBuilder& builder);
};

}  // namespace flowcfg
