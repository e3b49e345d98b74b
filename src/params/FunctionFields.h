#pragma once

#include "params/FieldBuilder.h"

namespace flowcfg {

// The "Function" tab: the calculation functions (block 0xD000: a 32-bit main value shown in
// hexadecimal, then ten rows of two measured quantities and a unit), the function outputs
// (0xD100, shown only: the function page writes them) and the function parameters (0x1800: per
// function three IEEE singles a, b, c).
class FunctionFields {
public:
    static constexpr int kRows = 10;
    static constexpr int kOutputs = 10;
    static constexpr int kFunctions = 20;
    static void Register(FieldBuilder& builder);
};

}  // namespace flowcfg
