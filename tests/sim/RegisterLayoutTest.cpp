#include "sim/RegisterLayout.h"

#include <gtest/gtest.h>

#include "sim/InstrumentRegisters.h"
#include "sim/RegisterMap.h"

namespace flowcfg {
namespace {

RegisterMap declaredMap() {
    RegisterMap map;
    InstrumentRegisters::declare(map);
    return map;
}

int sizeOf(const RegisterMap& map, std::uint16_t address) {
    const RegisterMap::Block* b = map.findBlock(address);
    return b == nullptr ? -1 : b->registers;
}

TEST(RegisterLayoutTest, ParameterSetBlocksHaveThePagesSizesAndCanBeWritten) {
    const RegisterMap map = declaredMap();
    EXPECT_EQ(sizeOf(map, 0x1000), 23);
    for (int h = 0; h < 9; ++h)
        EXPECT_EQ(sizeOf(map, static_cast<std::uint16_t>(0x1100 + 16 * h)), 13);
    EXPECT_EQ(sizeOf(map, 0xFD00), 22);
    EXPECT_EQ(sizeOf(map, 0xF300), 5);  // a 10-character text
    EXPECT_EQ(sizeOf(map, 0xE050), 24);
    EXPECT_EQ(sizeOf(map, 0xFE00), 23);   // last field at byte 45
    EXPECT_EQ(sizeOf(map, 0xD200), 100);  // 200 bytes
    EXPECT_EQ(sizeOf(map, 0x1200), 62);   // pipe blocks end with the jitter
    EXPECT_EQ(sizeOf(map, 0x1400), 62);
    EXPECT_EQ(sizeOf(map, 0x1300), 40);  // profile curves: 20 abscissas, 20 coefficients
    EXPECT_EQ(sizeOf(map, 0x1500), 40);
    EXPECT_FALSE(map.mapped(0x1200, 63));

    // The 46 blocks of the parameter set, in their order: all present, all readable in one
    // request, and the ones the tool writes are writable.
    std::vector<std::uint16_t> set = {0x1000, 0xF300, 0x1200, 0x1400};
    for (int h = 0; h < 8; ++h)
        set.push_back(static_cast<std::uint16_t>(0x1100 + 16 * h));
    for (std::uint16_t a :
         {0x1080, 0x1040, 0x0200, 0x1030, 0xFD00, 0xE800, 0xD000, 0x1800, 0xE050, 0xD100}) {
        set.push_back(a);
    }
    for (int k = 0; k < 24; ++k)
        set.push_back(static_cast<std::uint16_t>(0x1600 + 16 * k));
    ASSERT_EQ(set.size(), 46u);
    for (std::uint16_t a : set) {
        const int n = sizeOf(map, a);
        ASSERT_GT(n, 0) << std::hex << a;
        EXPECT_LE(n, 125) << std::hex << a;
        EXPECT_TRUE(map.mapped(a, n)) << std::hex << a;
    }
    for (std::uint16_t a :
         {0x1000, 0x1200, 0x1400, 0x1100, 0x1170, 0x1080, 0x1040, 0xE800, 0xD000, 0x1800, 0xD100,
          0xD200, 0x1600, 0x1770, 0xFD00, 0xE010, 0xE020, 0xE030, 0xE040, 0xE048, 0x1300, 0x1500}) {
        EXPECT_TRUE(map.writable(a, sizeOf(map, a))) << std::hex << a;
    }
    EXPECT_TRUE(map.writable(0x1041, 2));
    EXPECT_TRUE(map.writable(0xEFFF, 1));
    EXPECT_TRUE(map.writable(0xEFFE, 2));
    EXPECT_TRUE(map.writable(0xEFFD, 6));
    EXPECT_FALSE(map.writable(0xFF00, 1));
    EXPECT_FALSE(map.writable(0x0200, 1));

    SimOptions withoutCurve;
    withoutCurve.profileCurve = false;
    RegisterMap older;
    InstrumentRegisters::declare(older, withoutCurve);
    EXPECT_FALSE(older.mapped(0x1300, 1) || older.mapped(0x1500, 1));
    EXPECT_TRUE(older.mapped(0x1200, 62) && older.mapped(0x1400, 62));
}

TEST(RegisterLayoutTest, MeasurementBlocksFitBetweenTheirNeighbours) {
    const RegisterMap map = declaredMap();
    // The polling cycle's blocks, each readable in one request.
    for (std::uint16_t a : {0x0325, 0x03CD, 0x03A5, 0x0225, 0x0265, 0x0625, 0x0665, 0x0200, 0x0600,
                            0x0100, 0xF100, 0xF200, 0xFF00, 0xE04C}) {
        const int n = sizeOf(map, a);
        ASSERT_GT(n, 0) << std::hex << a;
        EXPECT_LE(n, 125) << std::hex << a;
    }
    // Path blocks end where the chord blocks begin, chord values where the signals begin.
    EXPECT_EQ(PathBlock::kAddressA + PathBlock::kRegisters, ChordValuesBlock::kAddressA);
    EXPECT_EQ(ChordValuesBlock::kAddressA + ChordValuesBlock::kRegisters,
              ChordSignalBlock::kAddressA);
    EXPECT_EQ(OutputValuesBlock::kAddress + OutputValuesBlock::kRegisters,
              FunctionValuesBlock::kAddress);
    // Fields lie inside their blocks.
    EXPECT_LE(PathBlock::kChordsInUse + 2, 2 * PathBlock::kRegisters);
    EXPECT_LE(ChordSignalBlock::kProfile + 4 * 16, 2 * ChordSignalBlock::kRegisters);
    EXPECT_LE(TimingFrameBlock::kEchoSamples + TimingFrameBlock::kEchoSampleCount,
              2 * TimingFrameBlock::kRegisters);
    EXPECT_LE(LoggerSettingsBlock::kSelections + 14 * 6, 2 * LoggerSettingsBlock::kRegisters);
    EXPECT_EQ(PipeBlock::kJitter + 2, 2 * PipeBlock::kRegisters);
    EXPECT_EQ(ProfileCurveBlock::kCoefficients + 2 * ProfileCurveBlock::kPoints,
              2 * ProfileCurveBlock::kRegisters);
    EXPECT_LE(PipeBlock::kAddressA + PipeBlock::kRegisters, ProfileCurveBlock::kAddressA);
    EXPECT_LE(ProfileCurveBlock::kAddressA + ProfileCurveBlock::kRegisters, PipeBlock::kAddressB);
    EXPECT_LE(PipeBlock::kAddressB + PipeBlock::kRegisters, ProfileCurveBlock::kAddressB);
    EXPECT_LE(ProfileCurveBlock::kAddressB + ProfileCurveBlock::kRegisters,
              ModuleBlock::kFirstAddress);
    EXPECT_LE(IdentificationBlock::kFirmwareText + IdentificationBlock::kFirmwareTextLength,
              2 * IdentificationBlock::kRegisters);
    EXPECT_EQ(BatteryBlock::kCharger + 1, 2 * BatteryBlock::kRegisters);
    EXPECT_EQ(IdentityBlock::kConfigWords + 16, 2 * IdentityBlock::kRegisters);
    EXPECT_LE(ChordBlock::kTimeOffset + 2, 2 * ChordBlock::kRegisters);
}

TEST(RegisterLayoutTest, RegisterMapChecksRangesAndKeepsBigEndianFields) {
    RegisterMap map;
    map.declare(0x0010, 4, RegisterMap::Access::ReadWrite, "a");
    map.declare(0x0014, 2, RegisterMap::Access::ReadOnly, "b");
    EXPECT_TRUE(map.mapped(0x0010, 6));
    EXPECT_FALSE(map.mapped(0x0010, 7));
    EXPECT_FALSE(map.mapped(0x000F, 2));
    EXPECT_TRUE(map.writable(0x0011, 3));
    EXPECT_FALSE(map.writable(0x0011, 4));
    EXPECT_FALSE(map.mapped(0xFFFF, 2));
    map.setU32(0x0010, 0, 0x01020304);
    map.setF32(0x0010, 4, 1.5f);
    std::vector<std::uint8_t> out;
    map.read(0x0010, 4, out);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{1, 2, 3, 4, 0x3F, 0xC0, 0, 0}));
    EXPECT_FLOAT_EQ(map.f32(0x0012, 0), 1.5f);
    map.setText(0x0014, 0, 4, "AB", ' ');
    EXPECT_EQ(map.text(0x0014, 0, 4), "AB");
    map.setText(0x0014, 0, 4, "ABCDEF");
    EXPECT_EQ(map.text(0x0014, 0, 4), "ABCD");
}

}  // namespace
}  // namespace flowcfg
