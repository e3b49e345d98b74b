#include "sim/Instrument.h"

#include <gtest/gtest.h>

#include "sim/BigEndian.h"
#include "sim/RegisterLayout.h"
#include "sim/SimDate.h"

namespace flowcfg {
namespace {

const std::int64_t kStart = SimDate::fromCalendar(2025, 3, 14, 9, 30, 0);

SlaveRequest read(std::uint16_t start, std::uint16_t count, std::uint8_t function = 3) {
    SlaveRequest q;
    q.slave = 1;
    q.function = function;
    q.start = start;
    q.count = count;
    return q;
}

SlaveRequest write(std::uint16_t start, std::vector<std::uint8_t> data) {
    SlaveRequest q;
    q.slave = 1;
    q.function = 16;
    q.start = start;
    q.count = static_cast<std::uint16_t>(data.size() / 2);
    q.byteCount = static_cast<int>(data.size()) & 0xFF;
    q.data = std::move(data);
    return q;
}

// The data bytes of a read reply (after the byte count).
std::vector<std::uint8_t> data(const SlaveReply& r) {
    return std::vector<std::uint8_t>(r.payload.begin() + 1, r.payload.end());
}

class InstrumentTest : public ::testing::Test {
protected:
    SimOptions options;
    std::unique_ptr<Instrument> instrument;
    void make() { instrument = std::make_unique<Instrument>(options, kStart); }
    void SetUp() override { make(); }
};

TEST_F(InstrumentTest, IdentificationCarriesAddressSerialNumberAndFirmwareText) {
    options.slave = 17;
    make();
    const SlaveReply r = instrument->handle(read(0xFF00, IdentificationBlock::kRegisters), 0.0);
    ASSERT_EQ(r.exception, 0);
    ASSERT_EQ(r.payload[0], 2 * IdentificationBlock::kRegisters);
    const auto d = data(r);
    EXPECT_EQ(d[1], 17);
    EXPECT_EQ(d[IdentificationBlock::kSerial1], 24);
    EXPECT_EQ(d[IdentificationBlock::kSerial2], 7);
    EXPECT_EQ(BigEndian::u32(&d[IdentificationBlock::kSerial3]), 42u);
    const std::string text(d.begin() + IdentificationBlock::kFirmwareText,
                           d.begin() + IdentificationBlock::kFirmwareText + 11);
    EXPECT_EQ(text, "03-12-B2.14");
    EXPECT_EQ(r.slave, 17);
}

TEST_F(InstrumentTest, RefusedRequestsGiveTheirExceptionCodes) {
    EXPECT_EQ(instrument->handle(read(0xFF00, 1, 6), 0).exception, 1);
    EXPECT_EQ(instrument->handle(read(0xFF00, 1, 6), 0).function, 0x86);
    EXPECT_EQ(instrument->handle(read(0x5000, 4), 0).exception, 2);
    // A read running past the end of a block into unmapped registers.
    EXPECT_EQ(instrument->handle(read(0x1000, GeneralBlock::kRegisters + 1), 0).exception, 2);
    EXPECT_EQ(instrument->handle(read(0x1000, 0), 0).exception, 3);
    EXPECT_EQ(instrument->handle(read(0x1000, 126), 0).exception, 3);
    EXPECT_EQ(instrument->handle(read(0x1000, 125), 0).exception, 2);
    // Writes: a read-only block, a byte count that disagrees with the count.
    EXPECT_EQ(instrument->handle(write(0xFF00, {0, 5}), 0).exception, 2);
    SlaveRequest bad = write(0x1000, {0, 5});
    bad.byteCount = 4;
    EXPECT_EQ(instrument->handle(bad, 0).exception, 3);
}

TEST_F(InstrumentTest, WrittenParameterBlockReadsBackAndOverlappingViewAgrees) {
    std::vector<std::uint8_t> block(2 * LoggerSettingsBlock::kRegisters, 0);
    BigEndian::putU16(&block[LoggerSettingsBlock::kMode], 1);
    BigEndian::putU16(&block[LoggerSettingsBlock::kParameterCount], 9);
    ASSERT_EQ(instrument->handle(write(0x1040, block), 1.0).exception, 0);
    EXPECT_EQ(data(instrument->handle(read(0x1040, LoggerSettingsBlock::kRegisters), 2.0)), block);
    // 0x1041 is the mode and the number of parameters seen from the mode on.
    const auto view = data(instrument->handle(read(0x1041, 2), 2.0));
    EXPECT_EQ(BigEndian::u16(&view[0]), 1);
    EXPECT_EQ(BigEndian::u16(&view[2]), 9);
}

TEST_F(InstrumentTest, ClockAdvancesWithTimeAndCanBeSet) {
    auto dateOf = [&](double t) {
        std::int64_t s = 0;
        const auto d = data(instrument->handle(read(ClockBlock::kAddress, 3), t));
        EXPECT_TRUE(SimDate::decode(d.data(), s));
        return s;
    };
    EXPECT_EQ(dateOf(0.0), kStart);
    EXPECT_EQ(dateOf(65.2), kStart + 65);
    std::vector<std::uint8_t> set(6);
    const std::int64_t wanted = SimDate::fromCalendar(2024, 12, 31, 23, 59, 50);
    SimDate::encode(wanted, set.data());
    ASSERT_EQ(instrument->handle(write(ClockBlock::kAddress, set), 100.0).exception, 0);
    EXPECT_EQ(dateOf(112.0), wanted + 12);
    // The path block's date is the same clock.
    const auto path = data(instrument->handle(read(PathBlock::kAddressA, 37), 112.0));
    std::int64_t s = 0;
    ASSERT_TRUE(SimDate::decode(&path[PathBlock::kDate], s));
    EXPECT_EQ(s, wanted + 12);
}

TEST_F(InstrumentTest, TotalizersCountAndResetToZero) {
    instrument->handle(read(0x0200, 37), 0.0);
    const auto before = data(instrument->handle(read(0x0200, 37), 3600.0));
    const std::int32_t t1 =
        static_cast<std::int32_t>(BigEndian::u32(&before[PathBlock::kTotalizers]));
    // About 45 l/s for an hour in m3.
    EXPECT_GT(t1, 120);
    EXPECT_LT(t1, 210);
    ASSERT_EQ(
        instrument->handle(write(TotalizerResetBlock::kAddress, {0, 1, 0, 0, 0, 0, 0, 0}), 3600.0)
            .exception,
        0);
    const auto after = data(instrument->handle(read(0x0200, 37), 3600.0));
    EXPECT_EQ(BigEndian::u32(&after[PathBlock::kTotalizers]), 0u);
    EXPECT_NE(BigEndian::u32(&after[PathBlock::kTotalizers + 8]), 0u);  // QT, not reset
    EXPECT_EQ(data(instrument->handle(read(TotalizerResetBlock::kAddress, 4), 3600.0)),
              std::vector<std::uint8_t>(8, 0));
}

TEST_F(InstrumentTest, CommandsAreRecognisedOnlyInTheirExactForm) {
    EXPECT_EQ(instrument->handle(write(0xEFFF, {0x5A, 0x5A}), 0).exception, 0);
    EXPECT_EQ(instrument->handle(write(0xEFFE, {0x55, 0xAA, 0xAA, 0x55}), 0).exception, 0);
    std::vector<std::uint8_t> name = {'K', 'V', '4', '2', '0', '.', 'b', 'i', 'n', ' ', ' ', ' '};
    EXPECT_EQ(instrument->handle(write(0xEFFD, name), 0).exception, 0);
    EXPECT_EQ(instrument->handle(write(0xEFFF, {0x12, 0x34}), 0).exception, 0);
    EXPECT_EQ(instrument->commands(),
              (std::vector<std::string>{"end-marker", "reset", "upgrade KV420.bin"}));
    // An upgrade name whose fifth and sixth characters land in 0xEFFF as 0x5A5A ("ZZ") is a
    // name, not an end marker: commands go by the register the write starts at.
    std::vector<std::uint8_t> zz = {'A', 'B', 'C', 'D', 'Z', 'Z', '.', 'b', 'i', 'n', ' ', ' '};
    EXPECT_EQ(instrument->handle(write(0xEFFD, zz), 0).exception, 0);
    EXPECT_EQ(instrument->commands().back(), "upgrade ABCDZZ.bin");
    EXPECT_EQ(instrument->commands().size(), 4u);
}

TEST_F(InstrumentTest, RestartAppliesNewAddressAndIdentityButAnswersFromTheOldAddress) {
    std::vector<std::uint8_t> general;
    general = data(instrument->handle(read(0x1000, GeneralBlock::kRegisters), 0));
    BigEndian::putU16(&general[GeneralBlock::kSlaveAddress], 9);
    ASSERT_EQ(instrument->handle(write(0x1000, general), 0).exception, 0);
    auto identity = data(instrument->handle(read(0xFD00, IdentityBlock::kRegisters), 0));
    BigEndian::putU16(&identity[IdentityBlock::kSerial1], 33);
    BigEndian::putU32(&identity[IdentityBlock::kSerial3], 65600);
    ASSERT_EQ(instrument->handle(write(0xFD00, identity), 0).exception, 0);
    EXPECT_EQ(instrument->slave(), 1);  // not before the restart

    const SlaveReply r = instrument->handle(write(0xEFFF, {0x5A, 0x5A}), 0);
    EXPECT_EQ(r.slave, 1);
    EXPECT_EQ(instrument->slave(), 9);
    EXPECT_TRUE(instrument->answersTo(9));
    EXPECT_TRUE(instrument->answersTo(0));
    EXPECT_FALSE(instrument->answersTo(1));
    const auto id = data(instrument->handle(read(0xFF00, 16), 0));
    EXPECT_EQ(id[1], 9);
    EXPECT_EQ(id[IdentificationBlock::kSerial1], 33);
    EXPECT_EQ(BigEndian::u32(&id[IdentificationBlock::kSerial3]), 65600u);
}

TEST_F(InstrumentTest, RestartWithAnUnchangedSpeedSettingKeepsAnUnlistedLineSpeed) {
    options.baud = 19200;
    make();
    instrument->handle(write(0xEFFF, {0x5A, 0x5A}), 0);
    EXPECT_EQ(instrument->lineBaud(), 19200);
    auto general = data(instrument->handle(read(0x1000, GeneralBlock::kRegisters), 0));
    BigEndian::putU16(&general[GeneralBlock::kBaudIndex], 7);
    instrument->handle(write(0x1000, general), 0);
    instrument->handle(write(0xEFFF, {0x5A, 0x5A}), 0);
    EXPECT_EQ(instrument->lineBaud(), 115200);
}

TEST_F(InstrumentTest, DateSearchAnswersSearchingOnceThenTheOffset) {
    const int recordRegisters = LoggerRecordLayout::recordBytes(4) / 2;
    // Record k is dated first + k x 600 s; ask for a time between records 10 and 11.
    std::int64_t first = 0;
    {
        std::vector<std::uint8_t> record;
        ASSERT_TRUE(instrument->logger().readMemory(0, recordRegisters, 0.0, record));
        ASSERT_TRUE(SimDate::decode(record.data(), first));
    }
    std::vector<std::uint8_t> date(6);
    SimDate::encode(first + 10 * 600 + 1, date.data());
    ASSERT_EQ(instrument->handle(write(0xE048, date), 0).exception, 0);
    auto result = [&] {
        return static_cast<std::int32_t>(
            BigEndian::u32(data(instrument->handle(read(0xE04C, 2), 0)).data()));
    };
    EXPECT_EQ(result(), -1);
    EXPECT_EQ(result(), 11 * recordRegisters);
    EXPECT_EQ(result(), 11 * recordRegisters);
    // A date after the newest record.
    SimDate::encode(kStart + 86400, date.data());
    instrument->handle(write(0xE048, date), 0);
    EXPECT_EQ(result(), -1);
    EXPECT_EQ(result(), -2);
}

TEST_F(InstrumentTest, LoggerMemoryIsReadThroughTheWindowBase) {
    const int recordRegisters = LoggerRecordLayout::recordBytes(4) / 2;  // 20
    const SlaveReply direct =
        instrument->handle(read(static_cast<std::uint16_t>(5 * recordRegisters), 20, 4), 0);
    ASSERT_EQ(direct.exception, 0);
    std::vector<std::uint8_t> base(4);
    BigEndian::putU32(base.data(), 5 * recordRegisters);
    ASSERT_EQ(instrument->handle(write(0xE040, base), 0).exception, 0);
    const SlaveReply windowed = instrument->handle(read(0, 20, 4), 0);
    EXPECT_EQ(windowed.payload, direct.payload);
    // Past the capacity (20000 records of 20 registers) the memory ends.
    BigEndian::putU32(base.data(), 20000u * recordRegisters - 10);
    instrument->handle(write(0xE040, base), 0);
    EXPECT_EQ(instrument->handle(read(0, 10, 4), 0).exception, 0);
    EXPECT_EQ(instrument->handle(read(0, 11, 4), 0).exception, 2);
}

TEST_F(InstrumentTest, ResetLoggerErasesAndAppliesNewSettings) {
    auto settings = data(instrument->handle(read(0x1040, LoggerSettingsBlock::kRegisters), 0));
    BigEndian::putU16(&settings[LoggerSettingsBlock::kParameterCount], 2);
    instrument->handle(write(0x1040, settings), 0);
    EXPECT_EQ(instrument->logger().parameters(), 4);  // taken at a reset or restart
    instrument->handle(write(0xE020, {0, 1}), 10.0);
    EXPECT_EQ(instrument->logger().parameters(), 2);
    EXPECT_EQ(instrument->logger().written(10.0), 0);
    const auto state = data(instrument->handle(read(0x0200, 7), 10.0));
    EXPECT_EQ(BigEndian::u16(&state[PathBlock::kLoggerParameters]), 2);
    EXPECT_EQ(BigEndian::u32(&state[PathBlock::kLoggerWritten]), 0u);
    EXPECT_EQ(BigEndian::u32(&state[PathBlock::kLoggerCapacity]), 20000u);
    EXPECT_EQ(BigEndian::u32(&state[PathBlock::kLoggerPeriod]), 600u);
}

TEST_F(InstrumentTest, TimingFramesChangeWithEveryRead) {
    const auto a = data(instrument->handle(read(0xF100, TimingFrameBlock::kRegisters), 1.0));
    const auto b = data(instrument->handle(read(0xF100, TimingFrameBlock::kRegisters), 1.0));
    EXPECT_EQ(static_cast<std::uint8_t>(a[TimingFrameBlock::kFrameNumber] + 1),
              b[TimingFrameBlock::kFrameNumber]);
    EXPECT_NE(a, b);
}

TEST_F(InstrumentTest, BatteryCounterAdvancesEveryFewSeconds) {
    auto counter = [&](double t) {
        return BigEndian::u16(
            &data(instrument->handle(read(0xFE00, 23), t))[BatteryBlock::kCounter]);
    };
    const std::uint16_t c0 = counter(0.5);
    EXPECT_EQ(counter(1.0), c0);
    EXPECT_EQ(counter(0.5 + BatteryGauge::kReadingSeconds), c0 + 1);
    EXPECT_EQ(BigEndian::u16(&data(instrument->handle(read(0xFE00, 23), 1.0))[BatteryBlock::kVsb]),
              400);
}

TEST_F(InstrumentTest, FunctionOutputsFollowTheirFunctionsAndFlagUnconfiguredOnes) {
    const auto functions = data(instrument->handle(read(0x03CD, 80), 5.0));
    const auto path = data(instrument->handle(read(0x0200, 37), 5.0));
    // Function 1 is QT (a = 1), function 3 is not configured.
    EXPECT_EQ(functions[FunctionValuesBlock::kFlags] & 0x80, 0);
    EXPECT_EQ(functions[2 * 8 + FunctionValuesBlock::kFlags] & 0x80, 0x80);
    EXPECT_EQ(BigEndian::u32(&path[PathBlock::kStatusWord]) & 0x40, 0u);
    // Output 3 pointing at unconfigured function 3: the status word reports the error.
    std::vector<std::uint8_t> outputs = data(instrument->handle(read(0xD100, 40), 5.0));
    BigEndian::putU16(&outputs[2 * 8 + FunctionOutputBlock::kSource], 1);
    BigEndian::putU16(&outputs[2 * 8 + FunctionOutputBlock::kFunctionIndex], 2);
    instrument->handle(write(0xD100, outputs), 5.0);
    const auto after = data(instrument->handle(read(0x0200, 37), 6.0));
    EXPECT_EQ(BigEndian::u32(&after[PathBlock::kStatusWord]) & 0x40, 0x40u);
    const auto out = data(instrument->handle(read(0x03A5, 40), 6.0));
    EXPECT_EQ(out[2 * 8 + OutputValuesBlock::kFlags] & 0x80, 0x80);
}

}  // namespace
}  // namespace flowcfg
