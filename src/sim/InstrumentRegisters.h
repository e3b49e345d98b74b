#pragma once

#include "sim/RegisterMap.h"
#include "sim/SimOptions.h"

namespace flowcfg {

// Declares every block of the instrument's register map (RegisterLayout.h) and fills it with the
// settings a new instrument of the chosen shape (pipes, chords, modules, logger, profile curve)
// comes with.
class InstrumentRegisters {
public:
    static void declare(RegisterMap& map, const SimOptions& options = SimOptions());
    static void fillDefaults(RegisterMap& map, const SimOptions& options);
    // Index of `baud` in the baud list; 5 (9600) when the rate is not in it.
    static int baudIndexOf(int baud);
};

}  // namespace flowcfg
