#include <gtest/gtest.h>

#include "params/InstrumentDate.h"
#include "sim/RegisterLayout.h"
#include "sim/SimDate.h"

namespace flowcfg {
namespace {

// The simulator's clock bytes and the tool's date encoding are two types that live side by side
// in one program: what one writes, the other reads as the same date.
TEST(SimulatorDateTest, TheToolReadsTheSimulatorsDateBytesAsTheSameDate) {
    const int code = InstrumentDateLayout::kDescriptorEncoding;
    struct Case {
        int year, month, day, hour, minute, second;
    } cases[] = {{2024, 2, 29, 23, 59, 58}, {2000, 1, 1, 0, 0, 0}, {2038, 12, 31, 12, 30, 5}};
    for (const Case& c : cases) {
        std::uint8_t bytes[InstrumentDateLayout::kBytes] = {};
        SimDate::encode(SimDate::fromCalendar(c.year, c.month, c.day, c.hour, c.minute, c.second),
                        bytes);
        std::uint64_t raw = 0;
        ASSERT_TRUE(InstrumentDate::readRaw(code, bytes, sizeof bytes, 0, raw));
        EXPECT_EQ(InstrumentDate::fromRaw(code, raw),
                  (InstrumentDate{c.year, c.month, c.day, c.hour, c.minute, c.second}))
            << c.year;
    }
}

}  // namespace
}  // namespace flowcfg
