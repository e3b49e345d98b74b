#include "sim/InstrumentRegisters.h"

#include "sim/RegisterLayout.h"

namespace flowcfg {

namespace {

using Access = RegisterMap::Access;
constexpr Access kRO = Access::ReadOnly;
constexpr Access kRW = Access::ReadWrite;

void fillPipe(RegisterMap& m, std::uint16_t a, int chords) {
    using P = PipeBlock;
    m.setU16(a, P::kExternalDiameter, 3000);  // 300.0 mm
    const std::uint16_t materials[] = {4, 0, 0};
    const std::uint16_t speeds[] = {5900, 3000, 3000};
    const std::uint16_t thickness[] = {800, 0, 0};  // 8.00 mm of steel
    for (int k = 0; k < P::kLayers; ++k) {
        m.setU16(a, P::kLayerMaterial + P::kLayerBytes * k, materials[k]);
        m.setU16(a, P::kLayerSoundSpeed + P::kLayerBytes * k, speeds[k]);
        m.setU16(a, P::kLayerThickness + P::kLayerBytes * k, thickness[k]);
    }
    m.setU16(a, P::kProduct, 1);
    m.setU16(a, P::kC0, 1470);
    m.setU16(a, P::kDeltaC, 400);
    m.setU16(a, P::kKhType, 0);
    m.setU16(a, P::kViscosity, 10);
    m.setU16(a, P::kRoughness, 10);
    m.setU16(a, P::kKh, 1000);
    m.setU16(a, P::kCriticalReynolds, 2800);
    m.setU16(a, P::kLbr, 3000);
    m.setU16(a, P::kProfileMode, 0);
    m.setU16(a, P::kProfileValue, 70);
    m.setU16(a, P::kCutOff, 1);
    m.setU16(a, P::kFlowUnit, 4);
    m.setU16(a, P::kRefUnit, 4);
    for (int i = 0; i < 11; ++i) {
        m.setU16(a, P::kCoefficients1 + 2 * i, 1000);
        m.setU16(a, P::kCoefficients2 + 2 * i, 1000);
    }
    m.setU16(a, P::kQUnit, 4);
    m.setU16(a, P::kFilter, 10);
    m.setU16(a, P::kFilterDeltaV, 5000);
    m.setU16(a, P::kMemory, 10);
    m.setS32(a, P::kMin, 0);
    m.setS32(a, P::kMax, 1000);
    m.setU16(a, P::kNumberOfChords, static_cast<std::uint16_t>(chords));
    m.setU16(a, P::kFunction, 0);
    m.setU16(a, P::kSimulationFlow, 1000);
    m.setU16(a, P::kJitter, 10);
    m.setU16(a, P::kProbeType, 0);  // probe set A
}

void fillProfileCurve(RegisterMap& m, std::uint16_t a) {
    using C = ProfileCurveBlock;
    const std::uint16_t profile[C::kPoints] = {1600, 1417, 1261, 1154, 1084, 1039, 1005,
                                               978,  955,  936,  921,  908,  895,  883,
                                               871,  863,  858,  845,  837,  829};
    for (int i = 0; i < C::kPoints; ++i) {
        m.setU16(a, C::kAbscissas + 2 * i, static_cast<std::uint16_t>(95 - 5 * i));
        m.setU16(a, C::kCoefficients + 2 * i, profile[i]);
    }
}

}  // namespace

int InstrumentRegisters::baudIndexOf(int baud) {
    for (std::size_t i = 0; i < kBaudRates.size(); ++i) {
        if (kBaudRates[i] == baud) return static_cast<int>(i);
    }
    return 5;
}

void InstrumentRegisters::declare(RegisterMap& m, const SimOptions& o) {
    m.declare(IdentificationBlock::kAddress, IdentificationBlock::kRegisters, kRO,
              "identification");
    m.declare(SummaryBlock::kAddress, SummaryBlock::kRegisters, kRO, "summary");
    m.declare(PathBlock::kAddressA, PathBlock::kRegisters, kRO, "path A");
    m.declare(ChordValuesBlock::kAddressA, ChordValuesBlock::kRegisters, kRO, "chords A");
    m.declare(ChordSignalBlock::kAddressA, ChordSignalBlock::kRegisters, kRO, "signals A");
    m.declare(InputOutputValuesBlock::kAddress, InputOutputValuesBlock::kRegisters, kRO,
              "input-output values");
    m.declare(OutputValuesBlock::kAddress, OutputValuesBlock::kRegisters, kRO, "outputs");
    m.declare(FunctionValuesBlock::kAddress, FunctionValuesBlock::kRegisters, kRO, "functions");
    m.declare(PathBlock::kAddressB, PathBlock::kRegisters, kRO, "path B");
    m.declare(ChordValuesBlock::kAddressB, ChordValuesBlock::kRegisters, kRO, "chords B");
    m.declare(ChordSignalBlock::kAddressB, ChordSignalBlock::kRegisters, kRO, "signals B");

    m.declare(GeneralBlock::kAddress, GeneralBlock::kRegisters, kRW, "general");
    m.declare(SequencerBlock::kAddress, SequencerBlock::kRegisters, kRW, "sequencer");
    m.declare(LoggerSettingsBlock::kAddress, LoggerSettingsBlock::kRegisters, kRW, "logger");
    m.declare(TotalizerSettingsBlock::kAddress, TotalizerSettingsBlock::kRegisters, kRW,
              "totalizers");
    for (int h = 0; h < ChordBlock::kCount; ++h) {
        m.declare(ChordBlock::address(h), ChordBlock::kRegisters, kRW,
                  "chord " + std::to_string(h));
    }
    m.declare(PipeBlock::kAddressA, PipeBlock::kRegisters, kRW, "pipe A");
    m.declare(PipeBlock::kAddressB, PipeBlock::kRegisters, kRW, "pipe B");
    if (o.profileCurve) {
        m.declare(ProfileCurveBlock::kAddressA, ProfileCurveBlock::kRegisters, kRW,
                  "profile curve A");
        m.declare(ProfileCurveBlock::kAddressB, ProfileCurveBlock::kRegisters, kRW,
                  "profile curve B");
    }
    for (int k = 0; k < ModuleBlock::kCount; ++k) {
        m.declare(ModuleBlock::address(k), ModuleBlock::kRegisters, kRW,
                  "module " + std::to_string(k + 1));
    }
    m.declare(FunctionParameterBlock::kAddress, FunctionParameterBlock::kRegisters, kRW,
              "function parameters");
    m.declare(FunctionBlock::kAddress, FunctionBlock::kRegisters, kRW, "calculation");
    m.declare(FunctionOutputBlock::kAddress, FunctionOutputBlock::kRegisters, kRW,
              "function outputs");
    m.declare(FunctionDefinitionBlock::kAddress, FunctionDefinitionBlock::kRegisters, kRW,
              "function definitions");
    m.declare(ClockBlock::kAddress, ClockBlock::kRegisters, kRW, "clock");
    m.declare(LoggerResetBlock::kAddress, LoggerResetBlock::kRegisters, kRW, "logger reset");
    m.declare(TotalizerResetBlock::kAddress, TotalizerResetBlock::kRegisters, kRW,
              "totalizer reset");
    m.declare(LoggerWindowBlock::kAddress, LoggerWindowBlock::kRegisters, kRW, "logger window");
    m.declare(LoggerSearchDateBlock::kAddress, LoggerSearchDateBlock::kRegisters, kRW,
              "logger search date");
    m.declare(LoggerSearchResultBlock::kAddress, LoggerSearchResultBlock::kRegisters, kRO,
              "logger search result");
    m.declare(ModuleListBlock::kAddress, ModuleListBlock::kRegisters, kRO, "modules");
    m.declare(ProbeSetBlock::kAddress, ProbeSetBlock::kRegisters, kRW, "probe sets");
    m.declare(CommandRegisters::kUpgrade, CommandRegisters::kRegisters, kRW, "commands");
    m.declare(TimingFrameBlock::kAddress1, TimingFrameBlock::kRegisters, kRO, "timing frame 1");
    m.declare(TimingFrameBlock::kAddress2, TimingFrameBlock::kRegisters, kRO, "timing frame 2");
    m.declare(VersionBlock::kAddress, VersionBlock::kRegisters, kRO, "version");
    m.declare(IdentityBlock::kAddress, IdentityBlock::kRegisters, kRW, "identity");
    m.declare(BatteryBlock::kAddress, BatteryBlock::kRegisters, kRO, "battery");
}

void InstrumentRegisters::fillDefaults(RegisterMap& m, const SimOptions& o) {
    // Identity: serial numbers, board, application, type.
    using I = IdentityBlock;
    const std::uint16_t id = I::kAddress;
    m.setU16(id, I::kSerial1, 24);
    m.setU16(id, I::kSerial2, 7);
    m.setU32(id, I::kSerial3, 42);
    m.setU16(id, I::kBoardSerial1, 24);
    m.setU16(id, I::kBoardSerial2, 6);
    m.setU32(id, I::kBoardSerial3, 117);
    m.setU16(id, I::kHardware, 1);
    m.setU16(id, I::kApplication, 1);
    m.setU16(id, I::kInstrumentType, static_cast<std::uint16_t>(o.pipes - 1));
    for (int i = 0; i < 3; ++i)
        m.setU16(id, I::kMaxChords + 2 * i, 7);

    using F = IdentificationBlock;
    m.setU16(F::kAddress, F::kSlaveAddress, static_cast<std::uint16_t>(o.slave));
    m.setText(F::kAddress, F::kFirmwareText, F::kFirmwareTextLength, o.firmware);
    m.setU16(F::kAddress, F::kMaxChords, 8);
    m.setText(VersionBlock::kAddress, VersionBlock::kText, VersionBlock::kTextLength, "TDC-1.04");

    using G = GeneralBlock;
    const std::uint16_t g = G::kAddress;
    const int baudIndex = baudIndexOf(o.baud);
    m.setU16(g, G::kSlaveAddress, static_cast<std::uint16_t>(o.slave));
    m.setU16(g, G::kBaudIndex, static_cast<std::uint16_t>(baudIndex));
    m.setU16(g, G::kParameterLevel, 1);
    m.setU16(g, G::kLanguage, 1);
    m.setText(g, G::kUnitName, G::kUnitNameLength, "KV420-P", ' ');
    m.setU16(g, G::kBackLight, 1);
    m.setU16(g, G::kNumberOfPipes, static_cast<std::uint16_t>(o.pipes));
    m.setU16(g, G::kFlowUnit, 4);
    m.setS32(g, G::kMinimum, 0);
    m.setS32(g, G::kMaximum, 1000);
    m.setU16(g, G::kSlaveAddress2, static_cast<std::uint16_t>(o.slave));
    m.setU16(g, G::kBaudIndex2, 5);
    m.setU16(SequencerBlock::kAddress, SequencerBlock::kEnabled, 1);

    fillPipe(m, PipeBlock::kAddressA, o.chordsA);
    fillPipe(m, PipeBlock::kAddressB, o.chordsB);
    if (o.profileCurve) {
        fillProfileCurve(m, ProfileCurveBlock::kAddressA);
        fillProfileCurve(m, ProfileCurveBlock::kAddressB);
    }
    for (int h = 0; h < ChordBlock::kCount; ++h) {
        using C = ChordBlock;
        const std::uint16_t a = C::address(h);
        m.setU16(a, C::kPathShape, 3);
        m.setU16(a, C::kSecondPathShape, 1);
        m.setU32(a, C::kDistance, 4000);        // 400.0 mm between the probes
        m.setU32(a, C::kSecondDistance, 2828);  // 282.8 mm along the pipe: 45 degrees
        m.setU16(a, C::kFactor, 1000);
        m.setU16(a, C::kDb1, 30);
        m.setU16(a, C::kDb2, 102);
    }

    using L = LoggerSettingsBlock;
    m.setU16(L::kAddress, L::kPeriodIndex, 9);  // 10 minutes
    m.setU16(L::kAddress, L::kMode, 0);
    m.setU16(L::kAddress, L::kParameterCount, static_cast<std::uint16_t>(o.loggerParameters));
    // Flow A, flow B, velocity A, status A, then again.
    const std::uint16_t selections[4][3] = {{2, 1, 2}, {3, 1, 2}, {2, 2, 2}, {2, 0, 0}};
    for (int i = 0; i < L::kMaxParameters; ++i) {
        const int at = L::kSelections + L::kSelectionBytes * i;
        m.setU16(L::kAddress, at + L::kSelectionSource, selections[i % 4][0]);
        m.setU16(L::kAddress, at + L::kSelectionValue, selections[i % 4][1]);
        m.setU16(L::kAddress, at + L::kSelectionAverage, selections[i % 4][2]);
    }

    using T = TotalizerSettingsBlock;
    const std::uint16_t totalizers[4][3] = {{0, 1, 2}, {1, 1, 2}, {2, 1, 2}, {2, 1, 1}};
    for (int t = 0; t < T::kTotalizers; ++t) {
        m.setU16(T::kAddress, T::kEntryBytes * t + T::kSource, totalizers[t][0]);
        m.setU16(T::kAddress, T::kEntryBytes * t + T::kWeight, totalizers[t][1]);
        m.setU16(T::kAddress, T::kEntryBytes * t + T::kUnit, totalizers[t][2]);
    }

    for (int k = 0; k < ModuleListBlock::kSlots; ++k) {
        m.setU16(ModuleListBlock::kAddress, 2 * k, o.modules[k]);
        using M = ModuleBlock;
        m.setU16(M::address(k), M::kModuleWord, o.modules[k]);
        m.setU16(M::address(k), M::kSource, 2);
        m.setS32(M::address(k), M::kLow, 0);
        m.setS32(M::address(k), M::kHigh, 1000);
    }

    using P = FunctionParameterBlock;
    m.setF32(P::kAddress, P::kA, 1.0f);                   // function 1: QT
    m.setF32(P::kAddress, P::kEntryBytes + P::kA, 3.6f);  // function 2: QT in m3/h
    m.setU32(FunctionBlock::kAddress, FunctionBlock::kMainValue, 1);
    m.setU16(FunctionBlock::kAddress, FunctionBlock::kRowSource, 1);
    using O = FunctionOutputBlock;
    m.setU16(O::kAddress, O::kSource, 1);
    m.setU16(O::kAddress, O::kEntryBytes + O::kSource, 1);
    m.setU16(O::kAddress, O::kEntryBytes + O::kFunctionIndex, 1);

    m.setS32(LoggerSearchResultBlock::kAddress, 0, LoggerSearchResultBlock::kNotFound);

    using S = ProbeSetBlock;
    m.setU16(S::kAddress, S::kT0A, 50);
    m.setU16(S::kAddress, S::kAngleA, 4500);
    m.setU16(S::kAddress, S::kFrequencyA, 4);
    m.setText(S::kAddress, S::kNameA, S::kNameLength, "SIM01", ' ');
    m.setText(S::kAddress, S::kNameB, S::kNameLength, "----", ' ');
}

}  // namespace flowcfg
