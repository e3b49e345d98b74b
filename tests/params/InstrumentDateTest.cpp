#include "params/InstrumentDate.h"

#include <gtest/gtest.h>

#include <vector>

namespace flowcfg {
namespace {

using Bytes = std::vector<std::uint8_t>;

const InstrumentDate k1980{1980, 1, 1, 0, 0, 0};

InstrumentDate dateOf(int code, const Bytes& bytes, std::uint64_t* raw = nullptr) {
    std::uint64_t kept = 0;
    EXPECT_TRUE(InstrumentDate::readRaw(code, bytes.data(), bytes.size(), 0, kept));
    if (raw) *raw = kept;
    return InstrumentDate::fromRaw(code, kept);
}

Bytes writtenBack(int code, std::uint64_t raw, std::size_t size) {
    Bytes bytes(size, 0);
    InstrumentDate::writeRaw(code, raw, bytes.data(), bytes.size(), 0);
    return bytes;
}

// Each date encoding: a valid date reads as itself, an invalid one as 1980-01-01 00:00:00, and
// either way the bytes go back unchanged.
TEST(InstrumentDateTest, EveryEncodingReadsAndWritesItsBytesBack) {
    const InstrumentDate march{2024, 3, 7, 14, 5, 9};
    struct Case {
        int code;
        Bytes valid;
        Bytes invalid;
    };
    std::vector<Case> cases = {
        {0x5000, {3, 24, 14, 7, 9, 5}, {13, 24, 14, 7, 9, 5}},
        {0x6000, {3, 24, 7, 14, 5, 9}, {3, 24, 7, 24, 5, 9}},
        {0x7000, {24, 3, 7, 14, 5, 9}, {24, 2, 30, 14, 5, 9}},
        {0xC000, {0x24, 0x03, 0x07, 0x14, 0x05, 0x09}, {0x24, 0x03, 0x07, 0x14, 0x60, 0x09}},
        {0xD000,
         {0x07, 0xE8, 0, 3, 0, 7, 0, 14, 0, 5, 0, 9},
         {0x07, 0xE8, 0, 3, 0, 7, 0, 14, 0, 5, 0, 60}},
    };
    for (const auto& c : cases) {
        std::uint64_t raw = 0;
        EXPECT_EQ(dateOf(c.code, c.valid, &raw), march) << std::hex << c.code;
        Bytes back = writtenBack(c.code, raw, c.valid.size());
        if (c.code == 0xD000) {
            // The year register goes back less 2000: the instrument reads 24 as 2024.
            EXPECT_EQ(back, (Bytes{0, 24, 0, 3, 0, 7, 0, 14, 0, 5, 0, 9}));
            EXPECT_EQ(dateOf(c.code, back), march);
        } else {
            EXPECT_EQ(back, c.valid) << std::hex << c.code;
        }
        EXPECT_EQ(InstrumentDate::fromRaw(c.code, march.toRaw(c.code)), march) << c.code;

        EXPECT_EQ(dateOf(c.code, c.invalid, &raw), k1980) << std::hex << c.code;
        if (c.code != 0xD000)
            EXPECT_EQ(writtenBack(c.code, raw, c.invalid.size()), c.invalid) << std::hex << c.code;
        else
            EXPECT_EQ(writtenBack(c.code, raw, 12)[11], 60);
    }
}

TEST(InstrumentDateTest, YearRulesAndCalendar) {
    EXPECT_EQ(InstrumentDate::normalized(38, 12, 31, 23, 59, 59).year, 2038);
    EXPECT_EQ(InstrumentDate::normalized(39, 1, 1, 0, 0, 0), k1980);  // 1939
    EXPECT_EQ(InstrumentDate::normalized(99, 1, 1, 0, 0, 0).year, 1999);
    EXPECT_EQ(InstrumentDate::normalized(1985, 1, 1, 0, 0, 0).year, 1985);
    EXPECT_EQ(InstrumentDate::normalized(2100, 1, 1, 0, 0, 0), k1980);
    EXPECT_EQ(InstrumentDate::normalized(2099, 12, 31, 0, 0, 0).year, 2099);
    EXPECT_EQ(InstrumentDate::normalized(24, 2, 29, 0, 0, 0).day, 29);
    EXPECT_EQ(InstrumentDate::normalized(23, 2, 29, 0, 0, 0), k1980);
    EXPECT_EQ(InstrumentDate::normalized(23, 4, 31, 0, 0, 0), k1980);
    EXPECT_EQ(InstrumentDate::normalized(23, 0, 1, 0, 0, 0), k1980);
    EXPECT_EQ(InstrumentDate::normalized(23, 1, 0, 0, 0, 0), k1980);
    EXPECT_EQ(InstrumentDate::normalized(23, 1, 1, 0, 60, 0), k1980);

    EXPECT_EQ(k1980.secondsSince1980(), 0);
    EXPECT_EQ((InstrumentDate{1980, 1, 2, 0, 0, 1}).secondsSince1980(), 86401);
    EXPECT_EQ((InstrumentDate{2000, 3, 1, 0, 0, 0}).secondsSince1980(), 631152000 + 60 * 86400);
}

TEST(InstrumentDateTest, YearsBelow2000KeepTheirHighByteInWordDates) {
    Bytes bytes = {0x07, 0xCF, 0, 12, 0, 31, 0, 23, 0, 59, 0, 58};  // 1999-12-31 23:59:58
    std::uint64_t raw = 0;
    EXPECT_EQ(dateOf(0xD000, bytes, &raw), (InstrumentDate{1999, 12, 31, 23, 59, 58}));
    EXPECT_EQ(writtenBack(0xD000, raw, 12), bytes);
}

TEST(InstrumentDateTest, TextReadsBack) {
    InstrumentDate date{2024, 3, 7, 14, 5, 9};
    EXPECT_EQ(date.text(), "07/03/2024 - 14:05:09");
    InstrumentDate parsed;
    ASSERT_TRUE(InstrumentDate::parse(date.text(), parsed));
    EXPECT_EQ(parsed, date);
    EXPECT_FALSE(InstrumentDate::parse("07/03/2024 14:05:09", parsed));
    EXPECT_FALSE(InstrumentDate::parse("31/02/2024 - 14:05:09", parsed));
    EXPECT_FALSE(InstrumentDate::parse("07/03/2024 - 1a:05:09", parsed));
    EXPECT_EQ(parsed, date);
}

TEST(InstrumentDateTest, ShortBlocksAndOtherCodesAreNotDates) {
    Bytes five = {1, 2, 3, 4, 5};
    std::uint64_t raw = 7;
    EXPECT_FALSE(InstrumentDate::readRaw(0x7000, five.data(), five.size(), 0, raw));
    EXPECT_FALSE(InstrumentDate::readRaw(0x3000, five.data(), five.size(), 0, raw));
    Bytes eleven(11, 0);
    EXPECT_FALSE(InstrumentDate::readRaw(0xD000, eleven.data(), eleven.size(), 0, raw));
    EXPECT_EQ(raw, 7u);
    InstrumentDate::writeRaw(0x7000, 0xFFFFFFFFFFFF, five.data(), five.size(), 0);
    EXPECT_EQ(five, (Bytes{1, 2, 3, 4, 5}));
    // The high bits of the first byte of a 0x6000 date belong to someone else.
    Bytes shared = {0xA0, 0, 0, 0, 0, 0};
    InstrumentDate::writeRaw(0x6000, 0x3, shared.data(), shared.size(), 0);
    EXPECT_EQ(shared[0], 0xA3);
}

}  // namespace
}  // namespace flowcfg
