#include "params/MarkerVariables.h"

#include <gtest/gtest.h>

namespace flowcfg {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(MarkerVariablesTest, CommandsEncodeAsTheInstrumentExpects) {
    VariableTable table;
    MarkerVariables::RegisterReboot(table, 1);
    MarkerVariables::RegisterReset(table, 2);
    MarkerVariables::RegisterUpgrade(table, 3, "RT7_0312.maj");
    ASSERT_EQ(table.Build(nullptr), 0);
    EXPECT_EQ(table.RegisterCount(0xEFFF), 1);
    EXPECT_EQ(table.RegisterCount(0xEFFE), 2);
    EXPECT_EQ(table.RegisterCount(0xEFFD), 6);

    Bytes bytes;
    table.Encode(0xEFFF, bytes, 2);
    EXPECT_EQ(bytes, (Bytes{0x5A, 0x5A}));
    table.Encode(0xEFFE, bytes, 4);
    EXPECT_EQ(bytes, (Bytes{0x55, 0xAA, 0xAA, 0x55}));
    table.Encode(0xEFFD, bytes, 12);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "RT7_0312.maj");

    // A shorter name is padded, a longer one cut to 12 characters.
    table.FindField(3)->setText("up.maj");
    table.Encode(0xEFFD, bytes, 12);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "up.maj      ");
    table.FindField(3)->setText("a_much_longer_name.maj");
    table.Encode(0xEFFD, bytes, 12);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "a_much_longe");
}

}  // namespace
}  // namespace flowcfg
