#include "sim/Plant.h"

#include <gtest/gtest.h>

#include <cmath>

#include "sim/InstrumentRegisters.h"
#include "sim/RegisterLayout.h"

namespace flowcfg {
namespace {

class PlantTest : public ::testing::Test {
protected:
    RegisterMap map;
    SimOptions options;
    void build() {
        InstrumentRegisters::declare(map);
        InstrumentRegisters::fillDefaults(map, options);
    }
    float chord(std::uint16_t block, int j, int field) {
        return map.f32(block, ChordValuesBlock::kEntryBytes * j + field);
    }
};

TEST_F(PlantTest, ChordValuesAgreeWithEachOtherAndWithTheFlow) {
    options.pipes = 2;
    options.chordsA = 4;
    options.chordsB = 2;
    build();
    Plant plant(3);
    plant.update(map, 10.0);
    // Water near 20 °C.
    EXPECT_NEAR(plant.soundVelocity(), Plant::waterSoundSpeed(20.0), 2.0);
    EXPECT_NEAR(Plant::waterSoundSpeed(20.0), 1482.3, 0.1);
    const double length = 0.4, cosine = 0.2828 / 0.4;
    double sum = 0.0;
    for (int j = 0; j < 4; ++j) {
        const double t =
            chord(ChordValuesBlock::kAddressA, j, ChordValuesBlock::kTransitTime) * 1e-6;
        const double dt = chord(ChordValuesBlock::kAddressA, j, ChordValuesBlock::kDeltaT) * 1e-9;
        const double v = chord(ChordValuesBlock::kAddressA, j, ChordValuesBlock::kVelocity);
        const double c = chord(ChordValuesBlock::kAddressA, j, ChordValuesBlock::kSoundVelocity);
        EXPECT_NEAR(t, length / c, 1e-8);
        // delta-T = 2 L v cos / c^2 for v << c.
        EXPECT_NEAR(dt, 2.0 * length * v * cosine / (c * c), 0.02 * dt);
        EXPECT_NEAR(c, plant.soundVelocity(), 0.5);
        const std::uint16_t gain =
            map.u16(ChordSignalBlock::kAddressA, 8 * j + ChordSignalBlock::kGainUp);
        EXPECT_GT(gain, 300);
        EXPECT_LT(gain, 600);
        sum += v;
    }
    // Chords beyond the pipe's count are marked unused.
    EXPECT_EQ(map.u16(ChordSignalBlock::kAddressA, 8 * 4 + ChordSignalBlock::kStatus), 1);
    EXPECT_EQ(map.u16(ChordSignalBlock::kAddressB, 8 * 2 + ChordSignalBlock::kStatus), 1);
    // Mean velocity times the inner section (284 mm) is the flow.
    const double area = 3.14159265 * 0.284 * 0.284 / 4.0;
    EXPECT_NEAR(map.f32(PathBlock::kAddressA, PathBlock::kVelocity), sum / 4, 1e-4);
    EXPECT_NEAR(plant.flow(0), sum / 4 * area * 1000.0, 1e-3);
    EXPECT_NEAR(plant.flow(0), 45.0, 45.0 * 0.15);
    EXPECT_NEAR(plant.flow(1), 30.0, 30.0 * 0.15);
    // Flows in m3/h (the default unit): QT = QA + QB.
    EXPECT_NEAR(map.f32(PathBlock::kAddressA, PathBlock::kTotalFlow),
                (plant.flow(0) + plant.flow(1)) * 3.6, 1e-2);
    EXPECT_NEAR(map.f32(PathBlock::kAddressB, PathBlock::kFlow), plant.flow(1) * 3.6, 1e-2);
}

TEST_F(PlantTest, OnePipeInstrumentHasNoFlowInPipeB) {
    build();
    Plant plant(3);
    plant.update(map, 1.0);
    EXPECT_EQ(plant.flow(1), 0.0);
    EXPECT_EQ(map.u16(PathBlock::kAddressB, PathBlock::kChordsInUse), 0);
    EXPECT_NEAR(plant.totalFlow(), plant.flow(0), 1e-9);
}

TEST_F(PlantTest, SimulatedFlowFollowsTheSetFlowWithinItsJitter) {
    build();
    map.setU16(PipeBlock::kAddressA, PipeBlock::kFunction, 1);
    map.setU16(PipeBlock::kAddressA, PipeBlock::kSimulationFlow, static_cast<std::uint16_t>(-2500));
    map.setU16(PipeBlock::kAddressA, PipeBlock::kJitter, 4);
    Plant plant(5);
    for (int i = 0; i < 20; ++i) {
        plant.update(map, i);
        EXPECT_NEAR(plant.flow(0), -25.0, 25.0 * 0.04 + 0.3);
        EXPECT_LT(map.f32(ChordValuesBlock::kAddressA, ChordValuesBlock::kDeltaT), 0.0f);
    }
}

TEST_F(PlantTest, TotalizersIntegrateTheirSourceInTheirUnit) {
    build();
    Plant plant(7);
    double litres = 0.0;
    plant.update(map, 0.0);
    for (int i = 1; i <= 600; ++i) {
        plant.update(map, i);
        litres += plant.flow(0);
    }
    EXPECT_NEAR(plant.totalizerLitres(0), litres, litres * 0.01);
    // Totalizer 1 counts m3, totalizer 4 litres.
    EXPECT_EQ(map.s32(PathBlock::kAddressA, PathBlock::kTotalizers),
              static_cast<std::int32_t>(plant.totalizerLitres(0) / 1000.0));
    EXPECT_EQ(map.s32(PathBlock::kAddressA, PathBlock::kTotalizers + 12),
              static_cast<std::int32_t>(plant.totalizerLitres(3)));
    // The 4-20 mA output of slot 1 spans 0 ... 100 l/s of QT.
    EXPECT_NEAR(map.f32(InputOutputValuesBlock::kAddress, 0),
                4.0 + 16.0 * plant.totalFlow() / 100.0, 1e-3);
    EXPECT_EQ(map.u16(InputOutputValuesBlock::kAddress, 8 * 10 + InputOutputValuesBlock::kNotUsed),
              1);
}

}  // namespace
}  // namespace flowcfg
