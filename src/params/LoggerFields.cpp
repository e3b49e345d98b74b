#include "params/LoggerFields.h"

#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "texts/TextIds.h"

namespace flowcfg {

void LoggerFields::Register(FieldBuilder& b) {
    using namespace ctl;
    constexpr int kWindowless = VariableDescriptor::kWindowless | VariableDescriptor::kNeverPrinted;
    const int block = ParameterBlocks::kLogger;
    b.home(TabKind::Logger);
    b.list(kLoggerPeriod, 434, textid::kListLoggerPeriod, 9, 0, block);
    b.list(kLoggerMode, 531, textid::kListLoggerMode, 0, 2, block);
    b.add({.id = kLoggerCount,
           .caption = 402,
           .kind = VariableDescriptor::kSpin,
           .initial = "4",
           .low = 1,
           .high = 14,
           .offset = 4,
           .block = block});
    b.list(kResetLogger, 458, textid::kListNoYes, 0, 0, ParameterBlocks::kLoggerReset);

    // Flow A, flow B, velocity A and the status of path A, as a new instrument logs them.
    const int defaults[4][3] = {{2, 1, 1}, {3, 1, 1}, {2, 2, 1}, {2, 0, 3}};
    for (int i = 0; i < kSelections; ++i) {
        const int at = 6 + 6 * i;
        b.group(560, " " + std::to_string(i + 1));  // "Parameter"
        b.list(loggerSelection(i, selection::kSource), 528, textid::kListLoggerSource,
               defaults[i % 4][0], at, block);
        b.add({.id = loggerSelection(i, selection::kValue),
               .caption = 555,
               .kind = VariableDescriptor::kSpin,
               .initial = std::to_string(defaults[i % 4][1]),
               .high = 255,
               .offset = at + 2,
               .block = block});
        b.list(loggerSelection(i, selection::kStatistic), 0, textid::kListStatistic,
               defaults[i % 4][2], at + 4, block);
    }

    const int state = ParameterBlocks::kLoggerState;
    b.group(142);  // "State"
    b.display(kStateCount, 402, "%0.f", 0, state);
    b.display(kStateWritten, 399, "%0.f", 2, state, 0x4000);
    b.display(kStateCapacity, 397, "%0.f", 6, state, 0x4000);
    b.display(kStatePeriod, 434, "%0.f", 10, state, 0x4000, 0, 474);
    b.add({.id = kDeviceLoggerMode,
           .caption = 531,
           .kind = VariableDescriptor::kList,
           .list = textid::kListLoggerMode,
           .format = "%l",
           .offset = 0,
           .block = ParameterBlocks::kLoggerView,
           .flags = kWindowless});
    b.add({.id = kDeviceLoggerCount,
           .caption = 402,
           .kind = VariableDescriptor::kEdit,
           .high = 65535,
           .offset = 2,
           .block = ParameterBlocks::kLoggerView,
           .flags = kWindowless});
}

}  // namespace flowcfg
