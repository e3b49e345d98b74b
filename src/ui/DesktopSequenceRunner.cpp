#include "ui/DesktopSequenceRunner.h"

#include "params/BlockPage.h"
#include "params/ParameterPage.h"
#include "ui/InstrumentPageCommands.h"
#include "ui/MeasurementCommands.h"
#include "ui/ParameterCommands.h"

namespace flowcfg {

DesktopSequenceRunner::DesktopSequenceRunner(ParameterCommands& settings,
                                             InstrumentPageCommands& instrumentPages,
                                             MeasurementCommands& measurement)
    : settings_(settings), instrumentPages_(instrumentPages), measurement_(measurement) {}

bool DesktopSequenceRunner::run(const SequenceStep& step) {
    switch (step.page) {
        case SequencePage::Settings:
            return settings_.runSession(step.mode, step.file, step.stem) == ParameterPage::kOk;
        case SequencePage::SpecialSettings:
            return instrumentPages_.runSpecial(step.mode, step.file, step.stem) == BlockPage::kOk;
        case SequencePage::Function:
            return instrumentPages_.runFunctions(step.mode, step.file, step.stem) == BlockPage::kOk;
        case SequencePage::FactorySettings:
            return instrumentPages_.runFactory(step.mode, step.file, step.stem) == BlockPage::kOk;
        case SequencePage::Measurement:
            return measurement_.record(step.recordPeriod, step.recordDuration, step.stem + "mes");
    }
    return false;
}

}  // namespace flowcfg
