#pragma once

namespace flowcfg {

// Where the fields of a timing-circuit frame lie and the control ids the test bench page gives
// them (caption at the id, value at id + 1, unit at id + 2).
//
// The frame block (0xF100 or 0xF200) is read whole; the page copies its bytes from byte 4 on
// into the block after it (frame + 1), followed by the PC's date and time when the frame came,
// so that a recording keeps the time of every frame. Offsets below are those of the frame.
namespace tbctl {

inline constexpr int kFrameBytes = 128;  // the frame block: 64 registers
inline constexpr int kDataStart = 4;     // the second block holds the frame from here on
inline constexpr int kDateOffset = kFrameBytes - kDataStart;  // in the second block
inline constexpr int kDataBytes = kDateOffset + 6;

// The ten one-byte fields at bytes 0 ... 9.
inline constexpr int kByteFields = 10;
inline constexpr int kByteField = 1200;  // field i: 1200 + 3 i
inline constexpr int kVersionByte = 0, kFlagArrayByte = 1, kConfigByte = 2, kPhaseByte = 3,
                     kNumberByte = 4;
// The flag byte pair at bytes 10 and 11, bit 0 first.
inline constexpr int kFlagOffset = 10;
inline constexpr int kFlagWord = 1230;
inline constexpr int kFlags = 1233;  // the ten characters "a" ... "j" / "_"
// The two 32-bit values at bytes 14 and 18, in hundredths.
inline constexpr int kLongOffset = 14;
inline constexpr int kLongValues = 2;
inline constexpr int kLongValue = 1236;  // value j: 1236 + 3 j
// The 16-bit values at bytes 28, 30 ... 72: three per chord (delta-T, transit time upstream to
// downstream, downstream to upstream) for six chords, then five more.
inline constexpr int kWordOffset = 28;
inline constexpr int kWordValues = 23;
inline constexpr int kWordValue = 1242;  // value k: 1242 + 3 k
inline constexpr int kChords = 6;
inline constexpr int kChordWords = 3;
// The PC clock when the frame came (the recording's time base).
inline constexpr int kDateTime = 1311;
// Identity: the timing software's version (block 0xF300; the instrument's own is the base's).
inline constexpr int kTimingSoftware = 1314;

inline constexpr int byteField(int i) {
    return kByteField + 3 * i;
}
inline constexpr int longValue(int j) {
    return kLongValue + 3 * j;
}
inline constexpr int wordValue(int k) {
    return kWordValue + 3 * k;
}
// Chord c's value part (0 delta-T, 1 upstream to downstream, 2 downstream to upstream).
inline constexpr int chordValue(int chord, int part) {
    return wordValue(kChordWords * chord + part);
}

}  // namespace tbctl
}  // namespace flowcfg
