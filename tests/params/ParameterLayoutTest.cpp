#include "params/ParameterLayout.h"

#include <gtest/gtest.h>

#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "sim/RegisterLayout.h"
#include "texts/LanguageTable.h"

namespace flowcfg {
namespace {

constexpr int kWindowless = VariableDescriptor::kWindowless;

struct Laid {
    VariableTable table{LanguageTable::English};
    ParameterLayout layout;
    explicit Laid(const LayoutOptions& options)
        : layout(ParameterLayout::ApplyLayout(options, table)) {
        table.Build(nullptr);
    }
    std::vector<std::string> tabTitles() {
        LanguageTable texts;
        std::vector<std::string> titles;
        for (const ParameterTab* tab : layout.shownTabs())
            titles.push_back(texts.text(tab->captionText, LanguageTable::English) +
                             tab->captionSuffix);
        return titles;
    }
    const VariableDescriptor& field(int id) { return table.FindField(id)->descriptor(); }
};

LayoutOptions options(int level, int pipes) {
    LayoutOptions o;
    o.level = level;
    o.pipes = pipes;
    return o;
}

TEST(ParameterLayoutTest, LevelSimpleWithOnePipeShowsTheBasicTabsOnly) {
    Laid laid(options(0, 1));
    EXPECT_EQ(laid.tabTitles(),
              (std::vector<std::string>{"General", "Pipe", "Definition of cords", "Logger",
                                        "Totalizer(s)", "Input-output", "Function"}));
    // The fields of the tabs not shown are there without windows.
    EXPECT_EQ(laid.field(ctl::pipeField(1, ctl::pipe::kDiameter)).flags, 6);
    EXPECT_EQ(laid.field(ctl::chordField(1, 3, ctl::chord::kFactor)).flags, 6);
    EXPECT_EQ(laid.field(ctl::pipeField(0, ctl::pipe::kKh)).flags, 6);
    // Linearization fields lie on "General", without windows.
    const VariableDescriptor& coefficient = laid.field(ctl::pipeField(0, ctl::pipe::kCoefficient1));
    EXPECT_EQ(coefficient.flags, 6);
    EXPECT_EQ(coefficient.tab, laid.layout.find(TabKind::General)->index);
    // Fields of shown tabs are on them.
    EXPECT_EQ(laid.field(ctl::pipeField(0, ctl::pipe::kDiameter)).tab,
              laid.layout.find(TabKind::Pipe, 0)->index);
    EXPECT_EQ(laid.field(ctl::pipeField(0, ctl::pipe::kDiameter)).flags, 0);
    EXPECT_EQ(laid.field(ctl::totalizerField(2, ctl::totalizer::kWeight)).tab,
              laid.layout.find(TabKind::Totalizers)->index);
}

TEST(ParameterLayoutTest, AdvancedWithTwoPipesShowsBothPipesAndTheirLinearization) {
    Laid laid(options(2, 2));
    EXPECT_EQ(laid.tabTitles(), (std::vector<std::string>{
                                    "General", "Pipe A", "Definition of cords A", "Linearization A",
                                    "Pipe B", "Definition of cords B", "Linearization B", "Logger",
                                    "Totalizer(s)", "Input-output", "Function", "Advanced"}));
    EXPECT_EQ(laid.field(ctl::pipeField(1, ctl::pipe::kCoefficient2 + 4)).tab,
              laid.layout.find(TabKind::Linearization, 1)->index);
    EXPECT_EQ(laid.field(ctl::pipeField(1, ctl::pipe::kKh)).tab,
              laid.layout.find(TabKind::Advanced)->index);
}

TEST(ParameterLayoutTest, HiddenGroupsAndLevelsPlaceTheirFieldsWithoutWindows) {
    LayoutOptions o = options(1, 1);
    o.logger = o.totalizers = o.inputsOutputs = o.functions = 1;
    Laid laid(o);
    EXPECT_EQ(laid.tabTitles(),
              (std::vector<std::string>{"General", "Pipe", "Definition of cords"}));
    EXPECT_EQ(laid.field(ctl::kLoggerPeriod).flags, 6);
    EXPECT_EQ(laid.field(ctl::totalizerField(0, ctl::totalizer::kSource)).flags, 7);
    EXPECT_EQ(laid.field(ctl::totalizerField(0, ctl::totalizer::kReset)).flags, 7);
    EXPECT_EQ(laid.field(ctl::moduleField(5, ctl::module::kHigh)).flags, 6);
    EXPECT_EQ(laid.field(ctl::functionParameter(3, ctl::function::kB)).flags, 6);
    // At level "Normal" the hydraulic part of "Advanced" lies hidden on "General".
    const VariableDescriptor& kh = laid.field(ctl::pipeField(0, ctl::pipe::kKh));
    EXPECT_EQ(kh.flags, VariableDescriptor::kHidden);
    EXPECT_EQ(kh.tab, laid.layout.find(TabKind::General)->index);
    EXPECT_TRUE(laid.field(ctl::pipeField(0, ctl::pipe::kJitter)).flags & kWindowless);
    // A sequencer the layout hides has no window either.
    EXPECT_EQ(laid.field(ctl::kSequencer).flags, 0);
    o.sequencer = 1;
    Laid hidden(o);
    EXPECT_EQ(hidden.field(ctl::kSequencer).flags, 6);
}

TEST(ParameterLayoutTest, ModuleSlotsAreCaptionedByTheirModule) {
    LayoutOptions o = options(0, 1);
    o.modules[0] = 1;
    o.modules[1] = 2;
    o.modules[2] = 4;
    Laid laid(o);
    const ParameterTab* io = laid.layout.find(TabKind::InputOutput);
    ASSERT_EQ(io->groups.size(), 24u);
    EXPECT_EQ(io->groups[0].titleText, 487);  // "Analog Output"
    EXPECT_EQ(io->groups[0].titleSuffix, " 01");
    EXPECT_EQ(io->groups[1].titleText, 488);  // "Relay output"
    EXPECT_EQ(io->groups[2].titleText, 197);  // "Input 0 - 10 V"
    EXPECT_EQ(io->groups[3].titleText, 408);  // empty slot
    EXPECT_EQ(laid.field(ctl::moduleField(0, ctl::module::kSource)).flags, 0);
    EXPECT_EQ(laid.field(ctl::moduleField(2, ctl::module::kSource)).flags, 6);  // an input
    EXPECT_EQ(laid.field(ctl::moduleField(3, ctl::module::kLow)).flags, 6);     // empty
    EXPECT_EQ(laid.field(ctl::moduleField(2, ctl::module::kUnit)).listText, 101);
    EXPECT_EQ(laid.field(ctl::moduleField(0, ctl::module::kUnit)).listText, 47);
}

// The parameter page describes the instrument once; flowsim builds its registers from
// RegisterLayout.h. The two must agree block by block and field by field.
TEST(ParameterLayoutTest, BlocksAndOffsetsAgreeWithTheSimulatorsRegisterMap) {
    Laid laid(options(2, 2));
    VariableTable& t = laid.table;
    EXPECT_EQ(t.RegisterCount(0x1000), GeneralBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0xF300), VersionBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0x1200), PipeBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0x1400), PipeBlock::kRegisters);
    for (int h = 0; h < 8; ++h)
        EXPECT_EQ(t.RegisterCount(ChordBlock::address(h)), ChordBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0x1080), TotalizerSettingsBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0x1040), LoggerSettingsBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0x1041), LoggerSettingsBlock::kModeViewRegisters);
    EXPECT_EQ(t.RegisterCount(0x1030), SequencerBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0xFD00), IdentityBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0xE800), ProbeSetBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0xD000), FunctionBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0x1800), FunctionParameterBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0xE050), ModuleListBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0xD100), FunctionOutputBlock::kRegisters);
    for (int k = 0; k < 24; ++k)
        EXPECT_EQ(t.RegisterCount(ModuleBlock::address(k)), ModuleBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0xE010), ClockBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0xE020), LoggerResetBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0xE030), TotalizerResetBlock::kRegisters);
    EXPECT_EQ(t.RegisterCount(0xEFFF), 1);
    // The logger state the page keeps is the head of the path block; the identification the
    // head of 0xFF00.
    EXPECT_EQ(t.BlockBytes(0x0200), PathBlock::kLoggerPeriod + 4);
    EXPECT_EQ(t.BlockBytes(0xFF00),
              IdentificationBlock::kFirmwareText + IdentificationBlock::kFirmwareTextLength);

    auto offset = [&](int id) { return laid.field(id).offset; };
    using P = PipeBlock;
    for (int p = 0; p < 2; ++p) {
        auto f = [p](int field) { return ctl::pipeField(p, field); };
        EXPECT_EQ(offset(f(ctl::pipe::kDiameter)), P::kExternalDiameter);
        EXPECT_EQ(offset(f(ctl::pipe::kLayerThickness + 6)),
                  P::kLayerThickness + 2 * P::kLayerBytes);
        EXPECT_EQ(offset(f(ctl::pipe::kProbeType)), P::kProbeType);
        EXPECT_EQ(offset(f(ctl::pipe::kCoefficient2 + 10)), P::kCoefficients2 + 20);
        EXPECT_EQ(offset(f(ctl::pipe::kQUnit)), P::kQUnit);
        EXPECT_EQ(offset(f(ctl::pipe::kChords)), P::kNumberOfChords);
        EXPECT_EQ(offset(f(ctl::pipe::kSimulationFlow)), P::kSimulationFlow);
        EXPECT_EQ(laid.field(f(ctl::pipe::kSimulationFlow)).encoding, 0x200);  // s16
        using C = ProfileCurveBlock;
        const int curve = p == 0 ? C::kAddressA : C::kAddressB;
        EXPECT_EQ(laid.field(f(ctl::pipe::kProfileAbscissa + 19)).block, curve);
        EXPECT_EQ(offset(f(ctl::pipe::kProfileAbscissa + 19)), C::kAbscissas + 38);
        EXPECT_EQ(laid.field(f(ctl::pipe::kProfileCoefficient)).block, curve);
        EXPECT_EQ(offset(f(ctl::pipe::kProfileCoefficient)), C::kCoefficients);
        EXPECT_EQ(t.RegisterCount(curve), C::kRegisters);
    }
    EXPECT_EQ(offset(ctl::chordField(1, 2, ctl::chord::kTimeOffset)), ChordBlock::kTimeOffset);
    EXPECT_EQ(offset(ctl::chordField(0, 0, ctl::chord::kDistance2)), ChordBlock::kSecondDistance);
    using L = LoggerSettingsBlock;
    EXPECT_EQ(offset(ctl::kLoggerCount), L::kParameterCount);
    EXPECT_EQ(offset(ctl::loggerSelection(13, ctl::selection::kStatistic)),
              L::kSelections + 13 * L::kSelectionBytes + L::kSelectionAverage);
    using T = TotalizerSettingsBlock;
    EXPECT_EQ(offset(ctl::totalizerField(3, ctl::totalizer::kUnit)), 3 * T::kEntryBytes + T::kUnit);
    EXPECT_EQ(offset(ctl::totalizerField(3, ctl::totalizer::kReset)), 6);
    using M = ModuleBlock;
    EXPECT_EQ(offset(ctl::moduleField(7, ctl::module::kHigh)), M::kHigh);
    EXPECT_EQ(offset(ctl::moduleField(7, ctl::module::kUnit)), M::kUnit);
    using S = ProbeSetBlock;
    EXPECT_EQ(offset(ctl::probeSet(1, ctl::kProbeName)), S::kNameB);
    EXPECT_EQ(offset(ctl::probeSet(0, ctl::kProbeT0)), S::kT0A);
    using I = IdentityBlock;
    EXPECT_EQ(offset(ctl::kInstrumentType), I::kInstrumentType);
    EXPECT_EQ(offset(ctl::kConfigWord + 21), I::kConfigWords + 14);
    using F = IdentificationBlock;
    EXPECT_EQ(offset(ctl::kIdSerial3), F::kSerial3);
    EXPECT_EQ(offset(ctl::kIdFirmware), F::kFirmwareText);
    EXPECT_EQ(offset(ctl::functionParameter(19, ctl::function::kC)), 19 * 12 + 8);
    EXPECT_EQ(offset(ctl::functionOutput(9, ctl::function::kOutputUnit)), 9 * 8 + 6);
}

TEST(ParameterLayoutTest, TheParameterSetIsFortySixBlocksInItsOrderThenTheProfileCurves) {
    ASSERT_EQ(kParameterSetOrder.size(), 48u);
    EXPECT_EQ(kParameterSetOrder[0], 0x1000);
    EXPECT_EQ(kParameterSetOrder[1], 0xF300);
    EXPECT_EQ(kParameterSetOrder[4], 0x1100);
    EXPECT_EQ(kParameterSetOrder[11], 0x1170);
    EXPECT_EQ(kParameterSetOrder[12], 0x1080);
    EXPECT_EQ(kParameterSetOrder[20], 0xE050);
    EXPECT_EQ(kParameterSetOrder[21], 0xD100);
    EXPECT_EQ(kParameterSetOrder[22], 0x1600);
    EXPECT_EQ(kParameterSetOrder[45], 0x1770);
    EXPECT_EQ(kParameterSetOrder[46], 0x1300);
    EXPECT_EQ(kParameterSetOrder[47], 0x1500);
    Laid laid(options(0, 1));
    for (int address : kParameterSetOrder)
        EXPECT_NE(laid.table.FindBlock(address), nullptr) << std::hex << address;
}

}  // namespace
}  // namespace flowcfg
