#pragma once

#include <cstdint>

#include "sim/RegisterMap.h"

namespace flowcfg {

// The battery gauge chip as the instrument mirrors it into block 0xFE00: a new reading every few
// seconds, each with its date and a reading counter, the charge slowly going down.
class BatteryGauge {
public:
    static constexpr int kReadingSeconds = 4;

    // Writes the reading current at `elapsed` seconds; `now` is the instrument's date.
    void write(RegisterMap& map, double elapsed, std::int64_t now) const;
};

}  // namespace flowcfg
