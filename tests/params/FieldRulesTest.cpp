#include "params/FieldRules.h"

#include <gtest/gtest.h>

#include "params/FakeControls.h"
#include "params/ParameterControls.h"
#include "params/ParamsTestSupport.h"
#include "params/PipeFields.h"

namespace flowcfg {
namespace {

using testing::FakeFactory;
using testing::OfflinePage;

LayoutOptions twoPipesAdvanced() {
    LayoutOptions o;
    o.level = 2;
    o.pipes = 2;
    o.maxChords = 6;
    o.modules[0] = 1;
    return o;
}

struct FieldRulesTest : ::testing::Test {
    FakeFactory factory;
    OfflinePage offline{twoPipesAdvanced(), &factory};
    ParameterPage& page = offline.page;

    BoundField& field(int id) { return *page.table().FindField(id); }
    void set(int id, long long value) {
        field(id).setInteger(value);
        page.FieldChanged(id);
    }
};

TEST_F(FieldRulesTest, ChordFieldsFollowTheNumberOfChords) {
    set(ctl::pipeField(0, ctl::pipe::kChords), 3);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(field(ctl::chordField(0, k, ctl::chord::kFactor)).isEnabled(), k < 3) << k;
        EXPECT_EQ(field(ctl::chordField(0, k, ctl::chord::kTimeOffset)).isEnabled(), k < 3) << k;
    }
    // Pipe B keeps its own count (1 initially); a disabled chord keeps its value.
    EXPECT_TRUE(field(ctl::chordField(1, 0, ctl::chord::kShape)).isEnabled());
    EXPECT_FALSE(field(ctl::chordField(1, 1, ctl::chord::kShape)).isEnabled());
    field(ctl::chordField(0, 5, ctl::chord::kDb1)).setValue(44);
    set(ctl::pipeField(0, ctl::pipe::kChords), 1);
    EXPECT_EQ(field(ctl::chordField(0, 5, ctl::chord::kDb1)).integer(), 44);
    // The chord counts of both pipes share the maximum (6 here).
    set(ctl::pipeField(1, ctl::pipe::kChords), 4);
    EXPECT_EQ(factory.at(ctl::pipeField(0, ctl::pipe::kChords) + 1).high, 2);
    EXPECT_EQ(factory.at(ctl::pipeField(1, ctl::pipe::kChords) + 1).high, 5);
}

TEST_F(FieldRulesTest, TheProbeFlagDecidesWhichProbeFieldsAreShown) {
    auto layerShown = [&] {
        return field(ctl::pipeField(0, ctl::pipe::kLayerThickness)).isVisible();
    };
    auto distanceShown = [&] {
        return field(ctl::chordField(0, 0, ctl::chord::kDistance)).isVisible();
    };
    set(ctl::pipeField(0, ctl::pipe::kChords), 1);
    set(ctl::pipeField(0, ctl::pipe::kProbeType), 4);  // PX2103, 55°
    EXPECT_TRUE(layerShown());
    EXPECT_FALSE(distanceShown());
    set(ctl::pipeField(0, ctl::pipe::kChords), 2);
    EXPECT_TRUE(distanceShown());
    set(ctl::pipeField(0, ctl::pipe::kChords), 1);
    set(ctl::pipeField(0, ctl::pipe::kProbeType), 16);  // QW-K10, no angle
    EXPECT_FALSE(layerShown());
    EXPECT_TRUE(distanceShown());
    EXPECT_EQ(factory.at(ctl::pipeField(0, ctl::pipe::kProbeType) + 1).shown, "QW-K10");
    // The other pipe keeps its own probe.
    EXPECT_TRUE(field(ctl::pipeField(1, ctl::pipe::kLayerThickness)).isVisible());
}

TEST_F(FieldRulesTest, ProbeSetsRenameTheirEntriesAndSetTheirFlag) {
    field(ctl::probeSet(0, ctl::kProbeName)).setText("1234");
    field(ctl::probeSet(0, ctl::kProbeT0)).setValue(5.0);
    field(ctl::probeSet(0, ctl::kProbeAngle)).setValue(45.0);
    page.FieldChanged(ctl::probeSet(0, ctl::kProbeAngle));
    EXPECT_EQ(page.catalogue().ProbeName(0), "SA1234");
    EXPECT_EQ(page.catalogue().NoAngleFlag(0), 0);
    set(ctl::pipeField(1, ctl::pipe::kProbeType), 0);
    EXPECT_EQ(testing::shown(page, ctl::pipeField(1, ctl::pipe::kProbeType)), "SA1234");
    EXPECT_EQ(factory.at(ctl::pipeField(1, ctl::pipe::kProbeType) + 1).items.front(), "SA1234");
    EXPECT_TRUE(field(ctl::pipeField(1, ctl::pipe::kLayerThickness)).isVisible());
}

TEST_F(FieldRulesTest, FlowUnitsFollowTheirUnitList) {
    set(ctl::pipeField(0, ctl::pipe::kQUnit), 2);  // l/h
    EXPECT_EQ(factory.at(ctl::pipeField(0, ctl::pipe::kMax) + 2).shown, "l/h");
    EXPECT_EQ(factory.at(ctl::pipeField(0, ctl::pipe::kSimulationFlow) + 2).shown, "l/h");
    EXPECT_EQ(factory.at(ctl::pipeField(1, ctl::pipe::kMax) + 2).shown, "m3/h");
    set(ctl::pipeField(0, ctl::pipe::kRefUnit), 0);
    EXPECT_EQ(factory.at(ctl::pipeField(0, ctl::pipe::kRefFlow2) + 2).shown, "l/s");
    set(ctl::pipeField(0, ctl::pipe::kCutOffUnit), 3);
    EXPECT_EQ(factory.at(ctl::pipeField(0, ctl::pipe::kCutOff) + 2).shown, "m3/s");
    set(ctl::kQUnit, 1);
    EXPECT_EQ(factory.at(ctl::kMinimum + 2).shown, "l/mn");
    EXPECT_EQ(page.rules().UnitText(field(ctl::kMaximum)), "l/mn");
    set(ctl::moduleField(0, ctl::module::kUnit), 0);
    EXPECT_EQ(factory.at(ctl::moduleField(0, ctl::module::kHigh) + 2).shown, "l/s");
}

TEST_F(FieldRulesTest, CoefficientCommandsSetTheirTablesOnly) {
    for (int i = 0; i < 11; ++i) {
        field(ctl::pipeField(0, ctl::pipe::kCoefficient1 + i)).setValue(2.5);
        field(ctl::pipeField(0, ctl::pipe::kCoefficient2 + i)).setValue(2.5);
    }
    page.RunCommand(ctl::command::forPipe(0, ctl::command::kResetTable2));
    EXPECT_EQ(field(ctl::pipeField(0, ctl::pipe::kCoefficient1 + 3)).text(), "2.500");
    EXPECT_EQ(field(ctl::pipeField(0, ctl::pipe::kCoefficient2 + 3)).text(), "1.000");

    page.RunCommand(ctl::command::forPipe(1, ctl::command::kResetProfile));
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(field(ctl::pipeField(1, ctl::pipe::kProfileCoefficient + i)).text(), "1.000");
    field(ctl::pipeField(1, ctl::pipe::kProfileAbscissa + 4)).setValue(33);
    page.RunCommand(ctl::command::forPipe(1, ctl::command::kDefaultProfile));
    const char* curve[20] = {"1.600", "1.417", "1.261", "1.154", "1.084", "1.039", "1.005",
                             "0.978", "0.955", "0.936", "0.921", "0.908", "0.895", "0.883",
                             "0.871", "0.863", "0.858", "0.845", "0.837", "0.829"};
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(field(ctl::pipeField(1, ctl::pipe::kProfileCoefficient + i)).text(), curve[i]);
        EXPECT_EQ(field(ctl::pipeField(1, ctl::pipe::kProfileAbscissa + i)).integer(), 95 - 5 * i);
    }
    // Pipe A's curve was not touched.
    EXPECT_EQ(field(ctl::pipeField(0, ctl::pipe::kProfileCoefficient + 19)).text(), "0.829");
}

TEST_F(FieldRulesTest, LoggedParametersAndSerialNumbersFollowTheirFields) {
    set(ctl::kLoggerCount, 2);
    EXPECT_TRUE(field(ctl::loggerSelection(1, ctl::selection::kValue)).isEnabled());
    EXPECT_FALSE(field(ctl::loggerSelection(2, ctl::selection::kSource)).isEnabled());
    field(ctl::kSerial1).setValue(7);
    field(ctl::kSerial2).setValue(3);
    field(ctl::kSerial3).setValue(42);
    page.FieldChanged(ctl::kSerial3);
    EXPECT_EQ(field(ctl::kSerialText).text(), "07/03/00042");
}

}  // namespace
}  // namespace flowcfg
