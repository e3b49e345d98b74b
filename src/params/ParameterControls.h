#pragma once

// Control ids of the parameter dialog's fields. A field with a caption takes three ids (caption,
// value, unit), so ids of neighbouring fields are 3 apart. The ids are the fields' identities:
// pages, rules, the command-line tool and comparisons find fields by them.
namespace flowcfg::ctl {

// General settings (block 0x1000) and the instrument-wide fields of the "General" tab.
inline constexpr int kSlave1 = 1000;
inline constexpr int kBauds1 = 1003;
inline constexpr int kFirstScreen = 1006;
inline constexpr int kLevel = 1009;
inline constexpr int kTotalizersShown = 1012;
inline constexpr int kLoggerShown = 1015;
inline constexpr int kInputOutputShown = 1018;
inline constexpr int kLanguage = 1021;
inline constexpr int kUnitName = 1024;
inline constexpr int kBackLight = 1027;
inline constexpr int kPipes = 1030;
inline constexpr int kQUnit = 1033;
inline constexpr int kStep = 1036;
inline constexpr int kMinimum = 1039;
inline constexpr int kMaximum = 1042;
inline constexpr int kCombination = 1045;
inline constexpr int kSlave2 = 1048;
inline constexpr int kBauds2 = 1051;
inline constexpr int kSequencer = 1054;    // block 0x1030
inline constexpr int kVersionText = 1057;  // block 0xF300
inline constexpr int kSynchronise = 1060;  // "Synchronisation with PC time", no register
inline constexpr int kClock = 1063;        // block 0xE010

// Identity (block 0xFD00).
inline constexpr int kSerialText = 1066;  // "%02.f/%02.f/%05.f" of the three parts, no register
inline constexpr int kBoardSerialText = 1069;
inline constexpr int kSerial1 = 1072;
inline constexpr int kSerial2 = 1075;
inline constexpr int kSerial3 = 1078;
inline constexpr int kBoardSerial1 = 1081;
inline constexpr int kBoardSerial2 = 1084;
inline constexpr int kBoardSerial3 = 1087;
inline constexpr int kHardware = 1090;
inline constexpr int kApplication = 1093;
inline constexpr int kInstrumentType = 1096;
inline constexpr int kMaxChords = 1099;   // + 3 i, i = 0 ... 2
inline constexpr int kConfigWord = 1108;  // + 3 i, i = 0 ... 7

// Identification (block 0xFF00), read before every read of the set.
inline constexpr int kIdSlave = 1132;
inline constexpr int kIdSerial1 = 1135;
inline constexpr int kIdSerial2 = 1138;
inline constexpr int kIdSerial3 = 1141;
inline constexpr int kIdFirmware = 1144;

// Probe sets A and B (block 0xE800): base + 20 s, s = 0 (A), 1 (B).
inline constexpr int kProbeSet = 1150;
inline constexpr int kProbeT0 = 0, kProbeAngle = 3, kProbeFrequency = 6, kProbeName = 9;
constexpr int probeSet(int set, int field) {
    return kProbeSet + 20 * set + field;
}

inline constexpr int kEndMarker = 1198;  // block 0xEFFF

// Pipe blocks 0x1200 (A) and 0x1400 (B): base + 3 × field number.
namespace pipe {
inline constexpr int kDiameter = 0;
inline constexpr int kLayerMaterial = 1;   // + 3 layer
inline constexpr int kLayerSpeed = 2;      // + 3 layer
inline constexpr int kLayerThickness = 3;  // + 3 layer
inline constexpr int kProduct = 10;
inline constexpr int kC0 = 11;
inline constexpr int kDeltaC = 12;
inline constexpr int kKhType = 13;
inline constexpr int kViscosity = 14;
inline constexpr int kRoughness = 15;
inline constexpr int kKh = 16;
inline constexpr int kCriticalReynolds = 17;
inline constexpr int kLbr = 18;
inline constexpr int kProfileMode = 19;
inline constexpr int kProfileValue = 20;
inline constexpr int kCutOff = 21;
inline constexpr int kCutOffUnit = 22;
inline constexpr int kRefUnit = 23;
inline constexpr int kRefFlow1 = 24;
inline constexpr int kCoefficient1 = 25;  // + i, i = 0 ... 10
inline constexpr int kRefFlow2 = 36;
inline constexpr int kCoefficient2 = 37;  // + i, i = 0 ... 10
inline constexpr int kProbeType = 48;
inline constexpr int kQUnit = 49;
inline constexpr int kFilter = 50;
inline constexpr int kFilterDeltaV = 51;
inline constexpr int kMemory = 52;
inline constexpr int kMin = 53;
inline constexpr int kMax = 54;
inline constexpr int kStep = 55;
inline constexpr int kChords = 56;
inline constexpr int kFunction = 57;
inline constexpr int kSimulationFlow = 58;
inline constexpr int kJitter = 59;
inline constexpr int kProfileAbscissa = 60;     // + i, i = 0 ... 19
inline constexpr int kProfileCoefficient = 80;  // + i, i = 0 ... 19
inline constexpr int kFieldCount = 100;
}  // namespace pipe
constexpr int pipeField(int p, int field) {
    return 2000 + 2000 * p + 3 * field;
}

// Chords of a pipe (views 0x10100 + 16 k and 0x10200 + 16 k): base + 30 k + field.
namespace chord {
inline constexpr int kShape = 0, kShape2 = 3, kDistance = 6, kDistance2 = 9, kFactor = 12,
                     kDbMode = 15, kDb1 = 18, kDb2 = 21, kTimeOffset = 24;
}  // namespace chord
constexpr int chordField(int p, int k, int field) {
    return 3000 + 2000 * p + 30 * k + field;
}
// The windowless marker that sizes chord block h.
constexpr int chordMarker(int h) {
    return 3900 + h;
}

// Logger (blocks 0x1040, 0x0200, 0x1041, 0xE020).
inline constexpr int kLoggerPeriod = 6000;
inline constexpr int kLoggerMode = 6003;
inline constexpr int kLoggerCount = 6006;
namespace selection {
inline constexpr int kSource = 0, kValue = 3, kStatistic = 6;
}
constexpr int loggerSelection(int i, int field) {
    return 6010 + 10 * i + field;
}
inline constexpr int kStateCount = 6150;
inline constexpr int kStateWritten = 6153;
inline constexpr int kStateCapacity = 6156;
inline constexpr int kStatePeriod = 6159;
inline constexpr int kDeviceLoggerMode = 6170;   // block 0x1041
inline constexpr int kDeviceLoggerCount = 6173;  // block 0x1041
inline constexpr int kResetLogger = 6180;

// Totalizers (blocks 0x1080 and 0xE030): base + 12 t.
namespace totalizer {
inline constexpr int kSource = 0, kWeight = 3, kUnit = 6, kReset = 9;
}
constexpr int totalizerField(int t, int field) {
    return 6200 + 12 * t + field;
}

// Input-output modules (blocks 0x1600 + 16 k and 0xE050).
namespace module {
inline constexpr int kWord = 0, kMode = 3, kSource = 6, kLow = 9, kHigh = 12, kUnit = 15;
}
constexpr int moduleField(int k, int field) {
    return 7000 + 20 * k + field;
}
constexpr int installedModule(int k) {
    return 7500 + 3 * k;
}

// Functions (blocks 0xD000, 0xD100, 0x1800).
inline constexpr int kFunctionMain = 8000;
namespace function {
inline constexpr int kSource = 0, kSource2 = 3, kUnit = 6;                     // 0xD000 rows
inline constexpr int kOutputSource = 0, kOutputFunction = 3, kOutputUnit = 6;  // 0xD100
inline constexpr int kA = 0, kB = 3, kC = 6;                                   // 0x1800
}  // namespace function
constexpr int functionRow(int k, int field) {
    return 8010 + 10 * k + field;
}
constexpr int functionOutput(int k, int field) {
    return 8110 + 10 * k + field;
}
constexpr int functionParameter(int j, int field) {
    return 8210 + 10 * j + field;
}

// Commands of the tabs (ParameterCommand ids): per pipe p, base + 10 p.
namespace command {
inline constexpr int kResetTable1 = 1, kResetTable2 = 2, kResetProfile = 3, kDefaultProfile = 4;
constexpr int forPipe(int p, int command) {
    return 10 * p + command;
}
}  // namespace command

}  // namespace flowcfg::ctl
