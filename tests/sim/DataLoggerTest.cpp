#include "sim/DataLogger.h"

#include <gtest/gtest.h>

#include "sim/BigEndian.h"
#include "sim/InstrumentRegisters.h"
#include "sim/RegisterLayout.h"
#include "sim/SimDate.h"

namespace flowcfg {
namespace {

const std::int64_t kNow = SimDate::fromCalendar(2025, 6, 1, 12, 0, 0);

class DataLoggerTest : public ::testing::Test {
protected:
    RegisterMap map;
    void SetUp() override {
        InstrumentRegisters::declare(map);
        SimOptions o;
        o.loggerParameters = 2;
        InstrumentRegisters::fillDefaults(map, o);
        map.setU16(LoggerSettingsBlock::kAddress, LoggerSettingsBlock::kPeriodIndex, 6);  // 60 s
    }
    std::int64_t dateOf(const DataLogger& logger, std::uint32_t offset, double elapsed) {
        std::vector<std::uint8_t> out;
        EXPECT_TRUE(logger.readMemory(offset, 3, elapsed, out));
        std::int64_t s = 0;
        EXPECT_TRUE(SimDate::decode(out.data(), s));
        return s;
    }
};

TEST_F(DataLoggerTest, RecordsAreOnePeriodApartAndEndAtTheLastPeriodBoundary) {
    DataLogger logger(100, 1000);
    logger.configure(map, false, kNow + 25, 0.0);
    ASSERT_EQ(logger.recordBytes(), 24);  // N = 2
    EXPECT_EQ(logger.written(0.0), 100);
    EXPECT_EQ(dateOf(logger, 99 * 12, 0.0), kNow);
    EXPECT_EQ(dateOf(logger, 98 * 12, 0.0), kNow - 60);
    EXPECT_EQ(dateOf(logger, 0, 0.0), kNow - 99 * 60);
    // Past the written records the memory reads as erased; past the capacity it ends.
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(logger.readMemory(100 * 12, 2, 0.0, out));
    EXPECT_EQ(out, std::vector<std::uint8_t>(4, 0xFF));
    EXPECT_FALSE(logger.readMemory(1000 * 12 - 1, 2, 0.0, out));
}

TEST_F(DataLoggerTest, EntriesCarryCategoryStatisticNameTypeAndQuality) {
    DataLogger logger(10, 100);
    logger.configure(map, false, kNow, 0.0);
    std::vector<std::uint8_t> r(static_cast<std::size_t>(logger.recordBytes()));
    logger.recordBytes(3, r.data());
    // Entry 0: pipe A, average, "Q", float; entry 1: pipe B "Q".
    const std::uint8_t* e0 = &r[LoggerRecordLayout::kEntries];
    EXPECT_EQ(e0[4] & 0x0F, LoggerCategory::kPipeA);
    EXPECT_EQ(e0[4] >> 4, 2);
    EXPECT_EQ(e0[5], 1);
    EXPECT_EQ(e0[6] & 0x03, LoggerRecordLayout::kTypeFloat);
    EXPECT_GE(e0[7] & 0x7F, 90);
    EXPECT_LE(e0[7] & 0x7F, 100);
    const float q = BigEndian::f32(e0);
    EXPECT_GT(q, 35.0f);
    EXPECT_LT(q, 55.0f);
    const std::uint8_t* e1 = e0 + 8;
    EXPECT_EQ(e1[4] & 0x0F, LoggerCategory::kPipeB);
    // The same record always has the same bytes.
    std::vector<std::uint8_t> again(r.size());
    logger.recordBytes(3, again.data());
    EXPECT_EQ(r, again);
}

TEST_F(DataLoggerTest, LoggersOfMoreThan14ParametersRepeatTheSelections) {
    map.setU16(LoggerSettingsBlock::kAddress, LoggerSettingsBlock::kParameterCount, 51);
    DataLogger logger(10, 100);
    logger.configure(map, false, kNow, 0.0);
    ASSERT_EQ(logger.parameters(), 51);
    ASSERT_EQ(logger.recordBytes(), 8 * 51 + 8);
    std::vector<std::uint8_t> r(static_cast<std::size_t>(logger.recordBytes()));
    logger.recordBytes(3, r.data());
    const std::uint8_t* e0 = &r[LoggerRecordLayout::kEntries];
    const std::uint8_t* e14 = e0 + 14 * LoggerRecordLayout::kEntryBytes;
    EXPECT_EQ(std::vector<std::uint8_t>(e14 + 4, e14 + 7),
              std::vector<std::uint8_t>(e0 + 4, e0 + 7));
    map.setU16(LoggerSettingsBlock::kAddress, LoggerSettingsBlock::kParameterCount, 60);
    logger.configure(map, false, kNow, 0.0);
    EXPECT_EQ(logger.parameters(), 51);
}

TEST_F(DataLoggerTest, SearchFindsTheFirstRecordAtOrAfterTheDate) {
    DataLogger logger(100, 1000);
    logger.configure(map, false, kNow, 0.0);
    const std::int64_t first = kNow - 99 * 60;
    EXPECT_EQ(logger.search(first - 3600, 0.0), 0);
    EXPECT_EQ(logger.search(first, 0.0), 0);
    EXPECT_EQ(logger.search(first + 1, 0.0), 12);
    EXPECT_EQ(logger.search(first + 60 * 50, 0.0), 50 * 12);
    EXPECT_EQ(logger.search(kNow, 0.0), 99 * 12);
    EXPECT_EQ(logger.search(kNow + 1, 0.0), -2);
}

TEST_F(DataLoggerTest, NewRecordsAppearWithTimeAndCyclicLoggerDropsItsOldest) {
    DataLogger logger(998, 1000);
    logger.configure(map, false, kNow + 30, 0.0);
    EXPECT_EQ(logger.written(29.0), 998);
    EXPECT_EQ(logger.written(30.0), 999);
    EXPECT_EQ(logger.written(90.0), 1000);
    EXPECT_EQ(logger.written(150.0), 1000);
    EXPECT_EQ(logger.total(150.0), 1001);
    // The oldest record now is the former second one.
    EXPECT_EQ(dateOf(logger, 0, 150.0), kNow - 997 * 60 + 60);
    EXPECT_EQ(dateOf(logger, 999 * 12, 150.0), kNow + 180);
}

TEST_F(DataLoggerTest, LoggerThatStopsWhenFullStops) {
    map.setU16(LoggerSettingsBlock::kAddress, LoggerSettingsBlock::kMode, 1);
    DataLogger logger(998, 1000);
    logger.configure(map, false, kNow, 0.0);
    EXPECT_EQ(logger.written(600.0), 1000);
    EXPECT_EQ(logger.total(600.0), 1000);
    EXPECT_EQ(dateOf(logger, 0, 600.0), kNow - 997 * 60);
}

TEST_F(DataLoggerTest, EraseStartsAgainAtTheNextPeriod) {
    DataLogger logger(500, 1000);
    logger.configure(map, false, kNow, 0.0);
    logger.configure(map, true, kNow + 10, 100.0);
    EXPECT_EQ(logger.written(100.0), 0);
    EXPECT_EQ(logger.search(kNow - 1000, 100.0), -2);
    EXPECT_EQ(logger.written(149.0), 0);
    EXPECT_EQ(logger.written(150.0), 1);
    EXPECT_EQ(dateOf(logger, 0, 150.0), kNow + 60);
    EXPECT_TRUE(logger.settingsDiffer(map) == false);
    map.setU16(LoggerSettingsBlock::kAddress, LoggerSettingsBlock::kParameterCount, 3);
    EXPECT_TRUE(logger.settingsDiffer(map));
}

TEST(SimDateTest, EncodesYearMonthDayTimeAndRejectsImpossibleDates) {
    std::uint8_t b[6];
    const std::int64_t t = SimDate::fromCalendar(2024, 2, 29, 23, 59, 58);
    SimDate::encode(t, b);
    EXPECT_EQ(std::vector<std::uint8_t>(b, b + 6),
              (std::vector<std::uint8_t>{24, 2, 29, 23, 59, 58}));
    std::int64_t back = 0;
    ASSERT_TRUE(SimDate::decode(b, back));
    EXPECT_EQ(back, t);
    EXPECT_EQ(t + 2 - SimDate::fromCalendar(2024, 3, 1, 0, 0, 0), 0);
    const std::uint8_t bad[][6] = {{23, 2, 29, 0, 0, 0},
                                   {24, 13, 1, 0, 0, 0},
                                   {24, 1, 0, 0, 0, 0},
                                   {24, 1, 1, 24, 0, 0},
                                   {24, 1, 1, 0, 60, 0}};
    for (const auto& d : bad)
        EXPECT_FALSE(SimDate::decode(d, back));
}

}  // namespace
}  // namespace flowcfg
