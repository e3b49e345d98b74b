#pragma once

namespace flowcfg {

// The lists of blocks a page works through, each in its own order.
enum BlockGroup : int {
    kMeasurementGroup = 0,    // measurement blocks polled in a cycle
    kReadGroup = 1,           // blocks read from the instrument
    kWriteGroup = 2,          // blocks written to the instrument
    kSettingsFileGroup = 3,   // blocks saved to and loaded from a settings file
    kParameterOnceGroup = 4,  // parameter blocks read once when a measurement page opens
};

inline constexpr int kBlockGroupCount = 5;

}  // namespace flowcfg
