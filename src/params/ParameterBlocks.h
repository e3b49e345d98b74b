#pragma once

#include <array>

namespace flowcfg {

// The register blocks of the parameter set, by the role the settings page gives them.
struct ParameterBlocks {
    static constexpr int kIdentification = 0xFF00;
    static constexpr int kGeneral = 0x1000;
    static constexpr int kVersionText = 0xF300;
    static constexpr int kPipeA = 0x1200;
    static constexpr int kPipeB = 0x1400;
    // The profile curves of pipe A and B, in blocks of their own. An instrument without a curve
    // answers them with exception 2 (illegal data address).
    static constexpr int kProfileA = 0x1300;
    static constexpr int kProfileB = 0x1500;
    static constexpr int kFirstChord = 0x1100;  // 0x1100 + 16 h, h = 0 ... 7
    static constexpr int kChords = 8;
    static constexpr int kTotalizers = 0x1080;
    static constexpr int kLogger = 0x1040;
    static constexpr int kLoggerView = 0x1041;  // logger mode and count as the instrument has them
    static constexpr int kLoggerState = 0x0200;
    static constexpr int kSequencer = 0x1030;
    static constexpr int kIdentity = 0xFD00;
    static constexpr int kProbeSets = 0xE800;
    static constexpr int kFunctions = 0xD000;
    static constexpr int kFunctionParameters = 0x1800;
    static constexpr int kModuleList = 0xE050;
    static constexpr int kFunctionOutputs = 0xD100;
    static constexpr int kFirstModule = 0x1600;  // 0x1600 + 16 k, k = 0 ... 23
    static constexpr int kModules = 24;
    static constexpr int kClock = 0xE010;
    static constexpr int kLoggerReset = 0xE020;
    static constexpr int kTotalizerReset = 0xE030;
    static constexpr int kEndMarker = 0xEFFF;

    // The chord views of pipe A and B (virtual blocks, never sent as such).
    static constexpr int kPipeAChordView = 0x10100;
    static constexpr int kPipeBChordView = 0x10200;

    static constexpr int chord(int h) { return kFirstChord + 16 * h; }
    static constexpr int module(int k) { return kFirstModule + 16 * k; }
    static constexpr int pipe(int p) { return p == 0 ? kPipeA : kPipeB; }
    static constexpr int profile(int p) { return p == 0 ? kProfileA : kProfileB; }
    static constexpr int chordView(int p, int k) {
        return (p == 0 ? kPipeAChordView : kPipeBChordView) + 16 * k;
    }
    // The set: the 46 blocks every instrument has, then the two profile curves.
    static constexpr int kRequiredBlocks = 46;
    static constexpr int kSetSize = kRequiredBlocks + 2;
};

// The parameter set: the blocks read from the instrument (group 1) and saved to and loaded from
// a settings file (group 3), both in this order. The profile curves come last, so that a file
// without them holds the other blocks at their usual places.
inline constexpr std::array<int, ParameterBlocks::kSetSize> kParameterSetOrder = [] {
    using B = ParameterBlocks;
    std::array<int, B::kSetSize> order{};
    int n = 0;
    for (int address : {B::kGeneral, B::kVersionText, B::kPipeA, B::kPipeB})
        order[n++] = address;
    for (int h = 0; h < B::kChords; ++h)
        order[n++] = B::chord(h);
    for (int address :
         {B::kTotalizers, B::kLogger, B::kLoggerState, B::kSequencer, B::kIdentity, B::kProbeSets,
          B::kFunctions, B::kFunctionParameters, B::kModuleList, B::kFunctionOutputs})
        order[n++] = address;
    for (int k = 0; k < B::kModules; ++k)
        order[n++] = B::module(k);
    order[n++] = B::kProfileA;
    order[n++] = B::kProfileB;
    return order;
}();

}  // namespace flowcfg
