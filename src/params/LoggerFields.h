#pragma once

#include "params/FieldBuilder.h"

namespace flowcfg {

// The "Logger" tab: the logger settings (block 0x1040: "Period logger" at 0, "Logger Mode" at
// 2, "Nbr. of parameters" at 4, then per logged parameter i at 6 + 6 i its source, the value of
// that source and the statistic), "Reset logger" (0xE020), the logger state as last read
// (0x0200: parameters, written records, capacity, period in seconds), and, without window, the
// mode and count of block 0x1041 compared with the settings at transfer time.
class LoggerFields {
public:
    static constexpr int kSelections = 14;
    static void Register(FieldBuilder& builder);
};

}  // namespace flowcfg
