#pragma once

// Control ids of the measurement page's fields: the fields' identities, by which the views, the
// recording and the command-line tool find them. A field with a caption takes three ids
// (caption, value, unit). The fields of path B are those of path A shifted by 150.
namespace flowcfg::mctl {

// Tabs of the page.
inline constexpr int kTabGeneral = 0;
inline constexpr int kTabPipeA = 1;
inline constexpr int kTabPipeB = 2;
inline constexpr int kTabInputOutput = 3;
inline constexpr int kTabFunction = 4;

// General view.
inline constexpr int kDateTime = 100;  // the instrument's clock: the time base of recording
inline constexpr int kTotalFlow = 103;
inline constexpr int kFlowA = 106;
inline constexpr int kFlowB = 109;
inline constexpr int kVelocityA = 112;
inline constexpr int kVelocityB = 115;
inline constexpr int kTotalizer = 118;  // + 3 t, t = 0 ... 3
inline constexpr int kSoftware = 130;   // timing software version (0xF300)
inline constexpr int kBoard = 133;      // board type (0xFD00)
inline constexpr int kInstrumentType = 136;
inline constexpr int kSerial = 139;       // "%02.f/%02.f/%05.f" of the identity's parts
inline constexpr int kBoardSerial = 142;  // the same for the board
inline constexpr int kModule = 145;       // + 3 i, i = 0 ... 3: module words of slots 1 ... 4
inline constexpr int kIndicator = 160;    // + 3 b, b = 0 ... 5: firmware, EEPROM, battery
                                          // monitor, logger, input-output, function
inline constexpr int kStatusWord = 180;   // the 32 numbered status bits, as a hexadecimal word
inline constexpr int kIndicatorCount = 6;

// Pipe views: base + ..., base = 2000 for path A, 2150 for path B.
constexpr int pathBase(int path) {
    return 2000 + 150 * path;
}
// Per chord c (0 ... 7), value v, without caption or unit (the view labels the rows).
namespace chord {
inline constexpr int kDistance = 0;  // probe distance (mm): transit time times sound velocity
inline constexpr int kTransitTime = 1, kDeltaT = 2, kVelocity = 3, kSoundVelocity = 4, kGainUp = 5,
                     kGainDown = 6, kQuality = 7;
inline constexpr int kValues = 8;
}  // namespace chord
constexpr int chordField(int path, int c, int value) {
    return pathBase(path) + chord::kValues * c + value;
}
// Per path.
inline constexpr int kPathFlow = 70, kPathVelocity = 73, kPathK = 76, kPathKMode = 79,
                     kPathChords = 82, kPathProbe = 85, kPathProfile = 90;  // + 3 i, i = 0 ... 15
constexpr int pathField(int path, int field) {
    return pathBase(path) + field;
}

// Input-output view: 24 shown fields ("---" when not used) and the variables behind them.
constexpr int inputOutputField(int k) {
    return 3000 + k;
}
constexpr int inputOutputValue(int k) {
    return 3030 + k;
}
constexpr int inputOutputNotUsed(int k) {
    return 3060 + k;
}
// Function view: 10 shown fields ("---" when default) and the variables behind them.
constexpr int functionField(int k) {
    return 3100 + k;
}
constexpr int functionValue(int k) {
    return 3110 + k;
}
constexpr int functionDefault(int k) {
    return 3120 + k;
}
constexpr int functionUnit(int k) {
    return 3130 + k;
}

// Parameter-block variables the views use, without windows.
inline constexpr int kPipes = 3200;
inline constexpr int kGeneralFlowUnit = 3201;
inline constexpr int kPathFlowUnit = 3202;  // 0x0200: unit of QT, QA and QB
inline constexpr int kPathCount = 3203;     // 0x0200: the instrument's number of paths
constexpr int pipeChords(int path) {
    return 3210 + path;
}
constexpr int pipeProbeType(int path) {
    return 3212 + path;
}
constexpr int totalizerUnit(int t) {
    return 3220 + t;
}
constexpr int moduleWord(int k) {
    return 3230 + k;
}
inline constexpr int kIdentitySerial = 3260;  // + part, part = 0 ... 5 (three of the serial
                                              // number, three of the board's)
constexpr int probeName(int set) {
    return 3270 + set;
}
constexpr int probeT0(int set) {
    return 3272 + set;
}
constexpr int probeAngle(int set) {
    return 3274 + set;
}
// The configuration the export's header names: each totalizer's source and weight (0x1080), each
// function output's measured quantity and function (0xD100).
constexpr int totalizerSource(int t) {
    return 3280 + t;
}
constexpr int totalizerWeight(int t) {
    return 3284 + t;
}
constexpr int functionQuantity(int k) {
    return 3290 + k;
}
constexpr int functionNumber(int k) {
    return 3300 + k;
}
}  // namespace flowcfg::mctl
