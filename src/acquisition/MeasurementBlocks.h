#pragma once

#include <array>

namespace flowcfg {

// The register blocks of the measurement page, in the order it reads them and in which a
// recording stores them, with the byte offsets of the values it shows (big-endian registers).
struct MeasurementBlocks {
    // Parameter blocks, read once when the page opens.
    static constexpr int kGeneral = 0x1000;
    static constexpr int kVersionText = 0xF300;
    static constexpr int kModuleList = 0xE050;
    static constexpr int kFirstModule = 0x1600;  // 0x1600 + 16 k, k = 0 ... 23
    static constexpr int kModules = 24;
    static constexpr int kPipeA = 0x1200;
    static constexpr int kPipeB = 0x1400;
    static constexpr int kLogger = 0x1040;
    static constexpr int kTotalizers = 0x1080;
    static constexpr int kProbeSets = 0xE800;
    static constexpr int kIdentity = 0xFD00;
    static constexpr int kFunctionDefinitions = 0xD200;
    static constexpr int kFunctionOutputs = 0xD100;
    static constexpr int kFunctions = 0xD000;

    // Measurement blocks, read in a cycle.
    static constexpr int kInputsOutputs = 0x0325;
    static constexpr int kFunctionValues = 0x03CD;
    static constexpr int kOutputValues = 0x03A5;
    static constexpr int kChordValuesA = 0x0225;
    static constexpr int kChordSignalsA = 0x0265;
    static constexpr int kChordValuesB = 0x0625;
    static constexpr int kChordSignalsB = 0x0665;
    static constexpr int kPathA = 0x0200;
    static constexpr int kPathB = 0x0600;

    // The identity summary; the chain handles it, no cycle reads it.
    static constexpr int kSummary = 0x0100;

    static constexpr int module(int k) { return kFirstModule + 16 * k; }
    static constexpr int pipe(int p) { return p == 0 ? kPipeA : kPipeB; }
    static constexpr int path(int p) { return p == 0 ? kPathA : kPathB; }
    static constexpr int chordValues(int p) { return p == 0 ? kChordValuesA : kChordValuesB; }
    static constexpr int chordSignals(int p) { return p == 0 ? kChordSignalsA : kChordSignalsB; }

    // Register counts of the blocks read without the values they hold being shown, and of those
    // whose shown values end before the block does.
    static constexpr int kGeneralRegisters = 23;
    static constexpr int kModuleRegisters = 8;
    static constexpr int kPipeRegisters = 62;
    static constexpr int kLoggerRegisters = 45;
    static constexpr int kIdentityRegisters = 22;
    static constexpr int kFunctionDefinitionRegisters = 100;
    static constexpr int kFunctionRegisters = 32;
    static constexpr int kFunctionValueRegisters = 80;
    static constexpr int kOutputValueRegisters = 40;
    static constexpr int kVersionRegisters = 5;
    static constexpr int kPathRegisters = 37;
    static constexpr int kInputOutputRegisters = 96;
    static constexpr int kChordBlockRegisters = 64;

    // Offsets in the general block 0x1000 and the pipe blocks.
    static constexpr int kGeneralPipes = 26;
    static constexpr int kGeneralFlowUnit = 28;
    static constexpr int kPipeProbeType = 96;
    static constexpr int kPipeChords = 116;

    // Offsets in the path blocks 0x0200 and 0x0600 (bytes 0 ... 49 are the same in both).
    static constexpr int kTotalizerValues = 14;  // four s32 at 14, 18, 22, 26
    static constexpr int kDate = 30;
    static constexpr int kIndicators = 36;  // bits: firmware, EEPROM, battery monitor, logger,
                                            // input-output, function
    static constexpr int kPathCount = 38;
    static constexpr int kFlowUnit = 40;
    static constexpr int kTotalFlow = 42;
    static constexpr int kStatusWord = 46;
    static constexpr int kFlow = 50;
    static constexpr int kVelocity = 54;
    static constexpr int kKCoefficient = 58;
    static constexpr int kKMode = 62;
    static constexpr int kSoundVelocity = 68;

    // Chord values 0x0225 / 0x0625: chord j at 16 j, four f32.
    static constexpr int kChordEntry = 16;
    static constexpr int kTransitTime = 0;
    static constexpr int kDeltaT = 4;
    static constexpr int kChordVelocity = 8;
    static constexpr int kChordSoundVelocity = 12;
    // Chord signals 0x0265 / 0x0665: chord j at 8 j, then the velocity profile.
    static constexpr int kSignalEntry = 8;
    static constexpr int kGainUp = 0;    // tenths of dB
    static constexpr int kGainDown = 2;  // tenths of dB
    static constexpr int kQuality = 4;   // %
    static constexpr int kProfile = 64;  // 16 f32, V1 ... V16
    static constexpr int kProfilePoints = 16;
    static constexpr int kChords = 8;

    // Input-output values 0x0325 and function outputs 0x03A5: entry k at 8 k.
    static constexpr int kEntry = 8;
    static constexpr int kEntryValue = 0;    // f32
    static constexpr int kEntryNotUsed = 4;  // 0x0325: u16, non-zero when not used
    static constexpr int kEntryFlags = 4;    // 0x03A5: bit 7 default
    static constexpr int kInputsOutputsShown = 24;
    static constexpr int kOutputs = 10;
    static constexpr int kOutputUnit = 6;  // 0xD100: u16 at 6 + 8 k

    // The identity summary 0x0100.
    static constexpr int kSummaryRegisters = 16;
};

// The parameter group of the measurement page: read once, in this order, before every cycle;
// a recording starts with these blocks.
inline constexpr std::array<int, 36> kMeasurementParameterOrder = [] {
    using B = MeasurementBlocks;
    std::array<int, 36> order{};
    int n = 0;
    for (int address : {B::kGeneral, B::kVersionText, B::kModuleList})
        order[n++] = address;
    for (int k = 0; k < B::kModules; ++k)
        order[n++] = B::module(k);
    for (int address : {B::kPipeA, B::kPipeB, B::kLogger, B::kTotalizers, B::kProbeSets,
                        B::kIdentity, B::kFunctionDefinitions, B::kFunctionOutputs, B::kFunctions})
        order[n++] = address;
    return order;
}();

// The measurement group: one cycle, and the blocks of one recorded sample, in this order.
inline constexpr std::array<int, 9> kMeasurementCycleOrder = {
    MeasurementBlocks::kInputsOutputs, MeasurementBlocks::kFunctionValues,
    MeasurementBlocks::kOutputValues,  MeasurementBlocks::kChordValuesA,
    MeasurementBlocks::kChordSignalsA, MeasurementBlocks::kChordValuesB,
    MeasurementBlocks::kChordSignalsB, MeasurementBlocks::kPathA,
    MeasurementBlocks::kPathB};

}  // namespace flowcfg
