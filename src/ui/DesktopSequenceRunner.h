#pragma once

#include "params/PageSequences.h"

namespace flowcfg {

class InstrumentPageCommands;
class MeasurementCommands;
class ParameterCommands;

// Runs each step of a sequence through the commands the menu uses, so that every page opens
// its own window in the step's mode: the window shows while the page reads, saves, prints or
// sends, and closes itself with the page's result.
class DesktopSequenceRunner : public SequenceRunner {
public:
    DesktopSequenceRunner(ParameterCommands& settings, InstrumentPageCommands& instrumentPages,
                          MeasurementCommands& measurement);

    bool run(const SequenceStep& step) override;

private:
    ParameterCommands& settings_;
    InstrumentPageCommands& instrumentPages_;
    MeasurementCommands& measurement_;
};

}  // namespace flowcfg
