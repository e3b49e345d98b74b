#include "params/ChordFields.h"

#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "texts/TextIds.h"

namespace flowcfg {

void ChordFields::Register(FieldBuilder& b) {
    using namespace ctl::chord;
    constexpr int kMm = 368, kDb = 164, kNs = 405;
    for (int p = 0; p < 2; ++p) {
        b.home(TabKind::Chords, p);
        for (int k = 0; k < kChordsPerPipe; ++k) {
            auto id = [p, k](int field) { return ctl::chordField(p, k, field); };
            const int view = ParameterBlocks::chordView(p, k);
            b.group(143 + k);  // "Chord 1" ... "Chord 8"
            b.list(id(kShape), 379, textid::kListPathShape, 3, 0, view);
            b.list(id(kShape2), 0, textid::kListPathShape, 1, 2, view);
            b.number(id(kDistance), 340, "%0.1f", 20, 60000, "28", 4, view, kMm, 0x4000);
            b.number(id(kDistance2), 163, "%0.1f", 10, 40000, "22", 8, view, kMm, 0x4000);
            // Thousandths in a 16-bit register: at most 65.535.
            b.number(id(kFactor), 136, "%0.3f", 0, 65.535, "1", 12, view);
            b.list(id(kDbMode), 529, textid::kListAutomaticManual, 0, 14, view);
            b.number(id(kDb1), 247, "%0.f", 0, 102, "30", 16, view, kDb);
            b.number(id(kDb2), 246, "%0.f", 0, 102, "102", 18, view, kDb);
            b.number(id(kTimeOffset), 180, "%0.2f", -327.67, 327.67, "0.00", 20, view, kNs, 0x200);
        }
    }
    for (int h = 0; h < ParameterBlocks::kChords; ++h)
        b.addUnlisted({.id = ctl::chordMarker(h),
                       .initial = "",
                       .high = 26,
                       .format = "%s",
                       .encoding = 0x500,
                       .offset = 0,
                       .block = ParameterBlocks::chord(h),
                       .flags = VariableDescriptor::kWindowless});
}

}  // namespace flowcfg
