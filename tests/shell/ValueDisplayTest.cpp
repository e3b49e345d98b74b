#include "shell/ValueDisplay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace flowcfg {
namespace {

TEST(ValueDisplayTest, SignificantDigits) {
    EXPECT_EQ(displayValue(12.3456, "auto4", 0, 0), "12.35");
    EXPECT_EQ(displayValue(-0.5, "auto4", 0, 0), "-0.500");
    EXPECT_EQ(displayValue(12345, "auto4", 0, 0), "12350");
    EXPECT_EQ(displayValue(-12345, "auto4", 0, 0), "-12350");
    EXPECT_EQ(displayValue(1234, "auto4", 0, 0), "1234");
    EXPECT_EQ(displayValue(999.96, "auto4", 0, 0), "1000.0");
    EXPECT_EQ(displayValue(0.0, "auto3", 0, 0), "0.00");
    EXPECT_EQ(displayValue(2.5, "auto1", 0, 0), "3");
    EXPECT_EQ(formatSignificant(-2.5, 1), "-3");
    EXPECT_EQ(formatSignificant(1.0e12, 4), "1000000000000");
}

TEST(ValueDisplayTest, LimitsClampUnlessSwitchedOffOrEmpty) {
    EXPECT_EQ(displayValue(12, "%0.f", 0, 10), "10");
    EXPECT_EQ(displayValue(-3, "%0.f", 0, 10), "0");
    EXPECT_EQ(displayValue(12, "%0.f", 0, 10, false), "12");
    EXPECT_EQ(displayValue(12, "%0.f", 5, 5), "12");  // max not above min: no limits
    EXPECT_EQ(displayValue(12, "%0.f", 10, 0), "12");
}

TEST(ValueDisplayTest, HexadecimalWidthsFromTheFormat) {
    EXPECT_EQ(displayValue(0x5A5A, "%4h", 0, 0), "0x5A5A");
    EXPECT_EQ(displayValue(0x1F, "%4h", 0, 0), "0x001F");
    EXPECT_EQ(displayValue(0x1F, "%h", 0, 0), "0x001F");
    EXPECT_EQ(displayValue(0x1F, "%8h", 0, 0), "0x0000001F");
    EXPECT_EQ(displayValue(0x55AAAA55, "%8h", 0, 0), "0x55AAAA55");
    EXPECT_EQ(displayValue(0x12345, "%2h", 0, 0), "0x12345");
}

TEST(ValueDisplayTest, PrintfFormatsWithTheirClasses) {
    EXPECT_EQ(displayValue(12.34, "%0.2f", 0, 0), "12.34");
    EXPECT_EQ(displayValue(7, "%02.f", 0, 0), "07");
    EXPECT_EQ(displayValue(3.7, "%d", 0, 0), "3");
    EXPECT_EQ(displayValue(-3.7, "%d", 0, 0), "-3");
    EXPECT_EQ(displayValue(2, "%0.l", 0, 0), "2");
    EXPECT_EQ(displayValue(65, "%c", 0, 0), "65");
    EXPECT_EQ(displayValue(5, "%0.1f %%", 0, 0), "5.0 %");
    EXPECT_EQ(displayValue(5, "x=%0.1f m", 0, 0), "x=5.0 m");
}

TEST(ValueDisplayTest, FormatsThatCouldMisbehaveArePrintedSafely) {
    EXPECT_EQ(displayValue(1.5, "%s", 0, 0), "1.500000");
    EXPECT_EQ(displayValue(1.5, "%n", 0, 0), "1.500000");
    EXPECT_EQ(displayValue(1.5, "", 0, 0), "1.500000");
    EXPECT_EQ(displayValue(1.5, "%0.1f %s", 0, 0), "1.5 %s");
    EXPECT_EQ(displayValue(1.5, "%99999999999.1f", 0, 0), "1.500000");
    EXPECT_EQ(displayValue(1e300, "%d", 0, 0), "9000000000000000000");
    EXPECT_EQ(displayValue(std::nan(""), "%d", 0, 0), "0");
    EXPECT_EQ(displayValue(1e300, "%0.f", 0, 0).size(), 301u);
}

TEST(ValueDisplayTest, DecimalsOfAFormat) {
    EXPECT_EQ(formatDecimals("%0.3f"), 3);
    EXPECT_EQ(formatDecimals("%0.f"), 0);
    EXPECT_EQ(formatDecimals("%05.f"), 0);
    EXPECT_EQ(formatDecimals("%f"), 0);
    EXPECT_EQ(formatDecimals("%0.12f"), 12);
    EXPECT_TRUE(isAutoFormat("auto4"));
    EXPECT_FALSE(isAutoFormat("%0.3f"));
}

}  // namespace
}  // namespace flowcfg
