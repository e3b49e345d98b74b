#pragma once

#include "params/VariableTable.h"

namespace flowcfg {

// Registers every value of the measurement page in its variable table: the five views (General,
// Pipe A, Pipe B, Input-output, Function, on tabs 0 ... 4), the parameter-block values the views
// depend on, and the markers that give each block the length the instrument serves.
class MeasurementFields {
public:
    static void Register(VariableTable& table);
    // The caption text ids of the velocity profile V1 ... V16.
    static int profileCaption(int point);
};

}  // namespace flowcfg
