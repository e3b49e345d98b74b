#include "params/TotalizerFields.h"

#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "texts/TextIds.h"

namespace flowcfg {

void TotalizerFields::Register(FieldBuilder& b) {
    using namespace ctl::totalizer;
    b.home(TabKind::Totalizers);
    const int sources[kTotalizers] = {0, 1, 2, 2};  // QA, QB, QT, QT
    for (int t = 0; t < kTotalizers; ++t) {
        auto id = [t](int field) { return ctl::totalizerField(t, field); };
        const int block = ParameterBlocks::kTotalizers;
        b.group(519, " " + std::to_string(t + 1));  // "Totalizer"
        b.list(id(kSource), 446, textid::kListTotalizerSource, sources[t], 6 * t, block);
        b.number(id(kWeight), 438, "%0.f", 1, 65535, "1", 6 * t + 2, block);
        b.list(id(kUnit), 533, textid::kListTotalizerUnits, 2, 6 * t + 4, block);
        b.list(id(kReset), 457, textid::kListNoYes, 0, 2 * t, ParameterBlocks::kTotalizerReset);
    }
}

}  // namespace flowcfg
