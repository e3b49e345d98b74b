#include "shell/EditValueRules.h"

#include <gtest/gtest.h>

namespace flowcfg {
namespace {

TEST(EditValueRulesTest, TextsAreReadAsRealsOrAsHexadecimal) {
    EXPECT_DOUBLE_EQ(editTextValue("12", "%0.f"), 12);
    EXPECT_DOUBLE_EQ(editTextValue(" -2.5 mm", "%0.1f"), -2.5);
    EXPECT_FLOAT_EQ(static_cast<float>(editTextValue("0.1", "%0.3f")), 0.1f);
    EXPECT_EQ(editTextValue("abc", "%0.f"), 0);
    EXPECT_EQ(editTextValue("", "%0.f"), 0);
    EXPECT_EQ(editTextValue("nan", "%0.f"), 0);
    EXPECT_GT(editTextValue("1e300", "%0.f"), 3e38);  // saturates to the largest single
    EXPECT_EQ(editTextValue("0x5A5A", "%4h"), 0x5A5A);
    EXPECT_EQ(editTextValue("0xffffffffff", "%4h"), 0xFFFFFFFFu);
    EXPECT_EQ(editTextValue("5A", "%4h"), 5);  // without "0x": a decimal number
}

TEST(EditValueRulesTest, LimitsReplaceValuesOutsideThem) {
    EXPECT_EQ(limitedEditText("12", "%0.f", 0, 10), "10");
    EXPECT_EQ(limitedEditText("-1", "%0.f", 0, 10), "0");
    EXPECT_EQ(limitedEditText("7", "%0.f", 0, 10), std::nullopt);
    EXPECT_EQ(limitedEditText("12", "%0.f", 5, 5), "5");            // equal limits hold
    EXPECT_EQ(limitedEditText("12", "%0.f", 10, 0), std::nullopt);  // none
    EXPECT_EQ(limitedEditText("abc", "%s", 0, 1), std::nullopt);
    EXPECT_EQ(limitedEditText("0xFFFF", "%4h", 0, 0x100), "0x0100");
}

TEST(EditValueRulesTest, LeavingTheBoxShowsTheValueWithTheFieldsRules) {
    EXPECT_EQ(reformattedEditText("12", "%0.f", 0, 10), "10");
    EXPECT_EQ(reformattedEditText("3.14159", "%0.2f", 0, 10), "3.14");
    EXPECT_EQ(reformattedEditText("12.3456", "auto4", 0, 0), "12.35");
    EXPECT_EQ(reformattedEditText("-0.5", "auto4", 0, 0), "-0.500");
    EXPECT_EQ(reformattedEditText("12345", "auto4", 0, 0), "12350");
    EXPECT_EQ(reformattedEditText("0x1f", "%4h", 0, 0), "0x001F");
    EXPECT_EQ(reformattedEditText("H0 E1", "%s", 0, 0), "H0 E1");
    EXPECT_EQ(reformattedEditText("free", "", 0, 0), "free");
}

}  // namespace
}  // namespace flowcfg
