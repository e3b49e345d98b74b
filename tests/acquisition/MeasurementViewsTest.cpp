// The measurement page's views, traces and blocks, fed with blocks made by the test.
#include <gtest/gtest.h>

#include <cstring>

#include "acquisition/ChordSignalTrace.h"
#include "acquisition/MeasurementBlocks.h"
#include "acquisition/MeasurementControls.h"
#include "acquisition/MeasurementPage.h"
#include "acquisition/TrendHistory.h"
#include "acquisition/WaterTemperature.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "sim/RegisterLayout.h"

namespace flowcfg {
namespace {

using namespace flowcfg::testing;
using B = MeasurementBlocks;

TEST(WaterTemperatureTest, InvertsThePureWaterSoundSpeed) {
    EXPECT_NEAR(WaterTemperatureFromSoundSpeed(1482.0), 19.88, 0.01);
    EXPECT_NEAR(PureWaterSoundSpeed(WaterTemperatureFromSoundSpeed(1500.0)), 1500.0, 0.001);
    EXPECT_EQ(WaterTemperatureFromSoundSpeed(1555.2), 99);   // above f(74) = 1555.146...
    EXPECT_EQ(WaterTemperatureFromSoundSpeed(1402.3), -99);  // below f(0) = 1402.38744
    EXPECT_EQ(WaterTemperatureFromSoundSpeed(0.0 / 0.0), -99);
}

TEST(ChordSignalTraceTest, KeepsTheLastPointsWithTheirMeanAndTenthRange) {
    ChordSignalTrace trace(3);
    for (double dt : {-12.34, 5.0, 12.3, 7.1})
        trace.add({dt, 270.0 + dt, 38, 38.4, 1482.0});
    EXPECT_EQ(trace.deltaT(), (std::deque<double>{5.0, 12.3, 7.1}));
    EXPECT_DOUBLE_EQ(trace.meanDeltaT(), (5.0 + 12.3 + 7.1) / 3);
    const auto range = trace.deltaTRange();
    EXPECT_DOUBLE_EQ(range.low, 5.0);
    EXPECT_DOUBLE_EQ(range.high, 12.3);
    const auto transit = trace.transitTimeRange();
    EXPECT_DOUBLE_EQ(transit.low, 275.0);
    EXPECT_DOUBLE_EQ(transit.high, 282.3);
    EXPECT_DOUBLE_EQ(ChordSignalTrace::rangeOf({-0.04, 0.26}).low, -0.1);
    EXPECT_DOUBLE_EQ(ChordSignalTrace::rangeOf({-0.04, 0.26}).high, 0.3);
    EXPECT_NEAR(trace.waterTemperature(), 19.88, 0.01);
}

TEST(TrendHistoryTest, KeepsTheSpanAndRestartsWhenTheClockStepsBack) {
    TrendHistory trend(60);
    for (std::int64_t t = 0; t <= 100; t += 10)
        trend.add({t, {}});
    EXPECT_EQ(trend.points().front().time, 40);
    EXPECT_EQ(trend.points().size(), 7u);
    trend.add({50, {}});
    EXPECT_EQ(trend.points().size(), 1u);
}

class MeasurementViewsTest : public ::testing::Test {
protected:
    struct Page : MeasurementPage {
        using MeasurementPage::Completion;
        using MeasurementPage::MeasurementPage;
    };

    TestApplication t;
    ScriptedPrompts prompts;
    InstrumentLink link;
    Page page{t.app, prompts, link, MeasurementLayout{2, true, true}};

    void SetUp() override { ASSERT_EQ(page.Build(nullptr), 0); }

    static void putFloat(std::vector<std::uint8_t>& block, int offset, float value) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, 4);
        for (int i = 0; i < 4; ++i)
            block[std::size_t(offset + i)] = std::uint8_t(bits >> (24 - 8 * i));
    }
    void put16(std::vector<std::uint8_t>& block, int offset, int value) {
        block[std::size_t(offset)] = std::uint8_t(value >> 8);
        block[std::size_t(offset) + 1] = std::uint8_t(value);
    }
    int complete(int address, const std::vector<std::uint8_t>& data) {
        JBusRequest r;
        r.start = address;
        r.count = int(data.size() / 2);
        r.data = data;
        return page.Completion(r);
    }
    std::string shown(int id) { return page.table().FindField(id)->text(); }
};

TEST_F(MeasurementViewsTest, BlocksHaveTheLengthsTheInstrumentServes) {
    const std::pair<int, int> blocks[] = {
        {GeneralBlock::kAddress, GeneralBlock::kRegisters},
        {VersionBlock::kAddress, VersionBlock::kRegisters},
        {ModuleListBlock::kAddress, ModuleListBlock::kRegisters},
        {ModuleBlock::address(23), ModuleBlock::kRegisters},
        {LoggerSettingsBlock::kAddress, LoggerSettingsBlock::kRegisters},
        {TotalizerSettingsBlock::kAddress, TotalizerSettingsBlock::kRegisters},
        {ProbeSetBlock::kAddress, ProbeSetBlock::kRegisters},
        {IdentityBlock::kAddress, IdentityBlock::kRegisters},
        {FunctionDefinitionBlock::kAddress, FunctionDefinitionBlock::kRegisters},
        {FunctionOutputBlock::kAddress, FunctionOutputBlock::kRegisters},
        {FunctionBlock::kAddress, FunctionBlock::kRegisters},
        {InputOutputValuesBlock::kAddress, InputOutputValuesBlock::kRegisters},
        {FunctionValuesBlock::kAddress, FunctionValuesBlock::kRegisters},
        {OutputValuesBlock::kAddress, OutputValuesBlock::kRegisters},
        {ChordValuesBlock::kAddressA, ChordValuesBlock::kRegisters},
        {ChordSignalBlock::kAddressB, ChordSignalBlock::kRegisters},
        {PathBlock::kAddressA, PathBlock::kRegisters},
        {PathBlock::kAddressB, PathBlock::kRegisters},
        {0x1200, 62},  // the pipe blocks end with "Jitter"
        {0x1400, 62},
    };
    for (auto [address, registers] : blocks) {
        const RegisterBlock* block = page.table().FindBlock(address);
        ASSERT_NE(block, nullptr) << std::hex << address;
        EXPECT_EQ(block->registerCount, registers) << std::hex << address;
    }
    EXPECT_EQ(page.parameterCount(), 36);
    EXPECT_EQ(page.measurementCount(), 9);
}

TEST_F(MeasurementViewsTest, NotUsedAndDefaultValuesShowDashes) {
    std::vector<std::uint8_t> modules(48, 0);
    put16(modules, 0, 1);  // slot 1: a 4-20 mA output; slot 2 empty
    complete(B::kModuleList, modules);
    std::vector<std::uint8_t> io(192, 0);
    putFloat(io, 0, 12.5f);
    putFloat(io, 8, 3.0f);
    put16(io, 12, 1);  // slot 2 not used, though it holds a number
    complete(B::kInputsOutputs, io);
    EXPECT_EQ(shown(mctl::inputOutputField(0)), "12.500");
    EXPECT_EQ(shown(mctl::inputOutputField(1)), "---");
    EXPECT_EQ(page.InputOutputCaption(0), "01 Sortie analogique");

    std::vector<std::uint8_t> outputs(80, 0);
    putFloat(outputs, 0, 42.125f);
    putFloat(outputs, 8, 7.5f);
    outputs[12] = 0x80;  // output 2 in default, though it holds a number
    EXPECT_EQ(complete(B::kOutputValues, outputs), AcquisitionPage::kChainGoesOn);
    EXPECT_EQ(shown(mctl::functionField(0)), "42.13");
    EXPECT_EQ(shown(mctl::functionField(1)), "---");
}

TEST_F(MeasurementViewsTest, ChainFollowsTheInstrumentsPaths) {
    // The last parameter block leads to the first measurement block.
    EXPECT_EQ(complete(B::kFunctions, std::vector<std::uint8_t>(64, 0)),
              AcquisitionPage::kChainGoesOn);
    JBusRequest next;
    link.GetLastResult(next);
    EXPECT_EQ(next.start, B::kInputsOutputs);
    EXPECT_EQ(next.count, 96);

    std::vector<std::uint8_t> path(74, 0);
    put16(path, B::kPathCount, 2);
    EXPECT_EQ(complete(B::kPathA, path), AcquisitionPage::kChainGoesOn);
    link.GetLastResult(next);
    EXPECT_EQ(next.start, B::kPathB);
    EXPECT_EQ(complete(B::kPathB, path), AcquisitionPage::kCycleComplete);
    put16(path, B::kPathCount, 1);
    EXPECT_EQ(complete(B::kPathA, path), AcquisitionPage::kCycleComplete);
    link.GetLastResult(next);
    EXPECT_EQ(next.start, B::kInputsOutputs);
    EXPECT_EQ(page.cycles(), 2);

    EXPECT_EQ(complete(B::kPathA, {}), AcquisitionPage::kUnknownCompletion);
    EXPECT_EQ(complete(0x4321, std::vector<std::uint8_t>(2, 0)),
              AcquisitionPage::kUnknownCompletion);
}

TEST_F(MeasurementViewsTest, ChordValuesGiveProbeDistanceTracesAndWindows) {
    std::vector<std::uint8_t> pipe(124, 0);
    put16(pipe, B::kPipeChords, 3);
    complete(B::kPipeA, pipe);
    put16(pipe, B::kPipeChords, 1);
    complete(B::kPipeB, pipe);
    std::vector<std::uint8_t> values(128, 0);
    putFloat(values, 16 + B::kTransitTime, 270.0f);
    putFloat(values, 16 + B::kDeltaT, 1.5f);
    putFloat(values, 16 + B::kChordSoundVelocity, 1482.0f);
    complete(B::kChordValuesA, values);
    std::vector<std::uint8_t> signals(128, 0);
    put16(signals, 8 + B::kGainUp, 385);
    put16(signals, 8 + B::kGainDown, 391);
    complete(B::kChordSignalsA, signals);
    std::vector<std::uint8_t> path(74, 0);
    put16(path, B::kPathCount, 2);
    complete(B::kPathA, path);

    EXPECT_EQ(shown(mctl::chordField(0, 1, mctl::chord::kDistance)), "400.1");
    EXPECT_EQ(shown(mctl::chordField(0, 1, mctl::chord::kGainUp)), "38.5");
    const ChordSignalTrace& c2 = page.trace(0, 1);
    ASSERT_EQ(c2.deltaT().size(), 1u);
    EXPECT_DOUBLE_EQ(c2.latest().gainDown, 39.1);
    EXPECT_NEAR(c2.waterTemperature(), 19.88, 0.01);
    // QA C1 and C2 (three chords), QB C1 only (one chord).
    std::vector<std::string> titles;
    for (auto [p, c] : page.ChordWindows())
        titles.push_back(MeasurementPage::ChordWindowTitle(p, c));
    EXPECT_EQ(titles, (std::vector<std::string>{"QA C1", "QA C2", "QB C1"}));
}

}  // namespace
}  // namespace flowcfg
