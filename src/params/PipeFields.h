#pragma once

#include <array>

#include "params/FieldBuilder.h"

namespace flowcfg {

// The fields of a pipe block (0x1200 pipe A, 0x1400 pipe B, 62 registers) on the pipe's "Pipe"
// and "Linearization" tabs and on "Advanced", the pipe's profile curve (0x1300, 0x1500) on its
// "Linearization" tab, and the instrument's probe sets A and B (block 0xE800), which pipe A's
// "Pipe" tab shows.
class PipeFields {
public:
    static constexpr int kCoefficients = 11;
    static constexpr int kProfilePoints = 20;
    // Byte offsets in the profile curve block: the abscissas, then the coefficients.
    static constexpr int kProfileAbscissas = 0;
    static constexpr int kProfileCoefficients = 2 * kProfilePoints;
    // The captions of the 11 linearization coefficients ("Coef 0%" ... "Coef 100%") and of the
    // 20 profile points ("Coefficient 01" ... "Coefficient 20").
    static const std::array<int, kCoefficients> kCoefficientCaptions;
    static const std::array<int, kProfilePoints> kProfileCaptions;
    // The profile curve the default command loads: point i (i = 1 ... 20) at 100 - 5 i % of
    // the radius.
    static const std::array<double, kProfilePoints> kDefaultProfile;
    static constexpr int profileAbscissa(int point) { return 95 - 5 * point; }

    static void Register(FieldBuilder& builder, int pipe);
};

}  // namespace flowcfg
