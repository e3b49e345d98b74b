#include "CliOptions.h"

#include <gtest/gtest.h>

namespace flowcfg::cli {
namespace {

TEST(CliOptionsTest, ValuedOptionsSwitchesAndPositionalWords) {
    CliOptions o({"write", "--port", "COM3", "--yes", "file.eta", "--slave=0x1F", "--fault", "a",
                  "--fault", "b"},
                 {"port", "slave", "fault"}, {"yes"});
    ASSERT_TRUE(o.ok()) << o.error();
    EXPECT_EQ(o.value("port"), "COM3");
    EXPECT_TRUE(o.has("yes"));
    EXPECT_FALSE(o.has("config"));
    EXPECT_EQ(o.positional(), (std::vector<std::string>{"write", "file.eta"}));
    std::string message;
    EXPECT_EQ(o.integer("slave", message), 0x1F);
    EXPECT_EQ(o.values("fault"), (std::vector<std::string>{"a", "b"}));
}

TEST(CliOptionsTest, UnknownOptionsAndMissingValuesAreReported) {
    EXPECT_EQ(CliOptions({"--bogus"}, {}, {}).error(), "unknown option --bogus");
    EXPECT_EQ(CliOptions({"--port"}, {"port"}, {}).error(), "option --port needs a value");
    EXPECT_EQ(CliOptions({"--yes=1"}, {}, {"yes"}).error(), "unknown option --yes");
}

TEST(CliOptionsTest, IntegersInDecimalAndHex) {
    EXPECT_EQ(CliOptions::parseInteger("65535"), 65535);
    EXPECT_EQ(CliOptions::parseInteger("0xFF00"), 0xFF00);
    EXPECT_EQ(CliOptions::parseInteger("0XeFfF"), 0xEFFF);
    EXPECT_EQ(CliOptions::parseInteger("-3"), -3);
    EXPECT_EQ(CliOptions::parseInteger(""), std::nullopt);
    EXPECT_EQ(CliOptions::parseInteger("12a"), std::nullopt);
    EXPECT_EQ(CliOptions::parseInteger("0x"), std::nullopt);
    EXPECT_EQ(CliOptions::parseInteger("99999999999999999999"), std::nullopt);
    CliOptions o({"--count", "ten"}, {"count"}, {});
    std::string message;
    EXPECT_EQ(o.integer("count", message), std::nullopt);
    EXPECT_EQ(message, "--count: not a number: ten");
}

}  // namespace
}  // namespace flowcfg::cli
