#pragma once

#include <array>
#include <cstdint>

// The instrument's register map, written down once.
//
// Every block the configuration tool reads or writes is listed here with its start register, its
// size in 16-bit registers and the byte offsets of its fields. Offsets count bytes from the first
// byte of the block's first register; registers travel high byte first, so multi-byte values are
// big-endian. The simulator builds its register map from these constants, and the pages of the
// tool read the same constants or test their descriptors against them.
//
// Value kinds used below: u8/u16/u32 unsigned, s16/s32 signed, f32 IEEE single, text = characters
// padded with zero bytes, date = the instrument's 6-byte date-time (see InstrumentDateLayout).
// Registers are laid end to end: blocks whose addresses lie close together (0x1040 and 0x1041,
// 0xEFFD ... 0xF002) overlap, and a read may start at any mapped register.

namespace flowcfg {

// The instrument's date and time everywhere it appears (clock 0xE010, block 0x0200 offset 30,
// search date 0xE048, logger record heads, battery reading 0xFE00): six bytes, year - 2000,
// month 1-12, day 1-31, hour, minute, second, one per byte, in this order (encoding 0x7000 of the
// value descriptors).
struct InstrumentDateLayout {
    static constexpr int kBytes = 6;
    static constexpr int kYear = 0;  // year - 2000
    static constexpr int kMonth = 1;
    static constexpr int kDay = 2;
    static constexpr int kHour = 3;
    static constexpr int kMinute = 4;
    static constexpr int kSecond = 5;
    static constexpr int kDescriptorEncoding = 0x7000;
};

// 0xFF00 identification, read before every parameter read and every polling start.
struct IdentificationBlock {
    static constexpr std::uint16_t kAddress = 0xFF00;
    static constexpr int kRegisters = 32;
    static constexpr int kSlaveAddress = 0;    // u16: the slave address is byte 1
    static constexpr int kInstrumentType = 2;  // u16: 0 one pipe, 1 two pipes
    static constexpr int kSerial1 = 4;         // u8  instrument serial number, part 1
    static constexpr int kSerial2 = 5;         // u8  part 2
    static constexpr int kSerial3 = 6;         // u32 part 3
    static constexpr int kFirmwareText = 10;   // text: firmware version, family tag first
    static constexpr int kFirmwareTextLength = 20;
    static constexpr int kBoardSerial1 = 30;  // u8
    static constexpr int kBoardSerial2 = 31;  // u8
    static constexpr int kBoardSerial3 = 32;  // u32
    static constexpr int kHardware = 36;      // u16: list index as 0xFD00 offset 16
    static constexpr int kApplication = 38;   // u16: list index as 0xFD00 offset 18
    static constexpr int kMaxChords = 40;     // u16
};

// 0x0100 identity summary of the measurement page's General view.
struct SummaryBlock {
    static constexpr std::uint16_t kAddress = 0x0100;
    static constexpr int kRegisters = 16;
    static constexpr int kDate = 0;           // date
    static constexpr int kSerial1 = 6;        // u8
    static constexpr int kSerial2 = 7;        // u8
    static constexpr int kSerial3 = 8;        // u32
    static constexpr int kSoftwareText = 12;  // text: firmware version, first 10 characters
    static constexpr int kSoftwareTextLength = 10;
    static constexpr int kHardware = 22;        // u16
    static constexpr int kApplication = 24;     // u16
    static constexpr int kInstrumentType = 26;  // u16
};

// 0x1000 general settings (all u16 unless said otherwise).
struct GeneralBlock {
    static constexpr std::uint16_t kAddress = 0x1000;
    static constexpr int kRegisters = 23;
    static constexpr int kSlaveAddress = 0;  // serial link 1, applied at the next restart
    static constexpr int kBaudIndex = 2;     // serial link 1, index into kBaudRates
    static constexpr int kFirstScreen = 4;
    static constexpr int kParameterLevel = 6;
    static constexpr int kTotalizersShown = 8;  // 0 enable, 1 disable
    static constexpr int kLoggerShown = 10;
    static constexpr int kInputOutputShown = 12;
    static constexpr int kLanguage = 14;
    static constexpr int kUnitName = 16;  // text, 8 characters, padded with spaces
    static constexpr int kUnitNameLength = 8;
    static constexpr int kBackLight = 24;
    static constexpr int kNumberOfPipes = 26;
    static constexpr int kFlowUnit = 28;
    static constexpr int kStep = 30;
    static constexpr int kMinimum = 32;  // s32, tenths
    static constexpr int kMaximum = 36;  // s32, tenths
    static constexpr int kCombination = 40;
    static constexpr int kSlaveAddress2 = 42;
    static constexpr int kBaudIndex2 = 44;
};

// Baud rates by index, as the tool's baud list and the general block's "Bauds" fields number
// them (index 6 is the Bluetooth adapter's 115200).
inline constexpr std::array<int, 8> kBaudRates = {300, 600, 1200, 2400, 4800, 9600, 115200, 115200};

// 0x1030 sequencer.
struct SequencerBlock {
    static constexpr std::uint16_t kAddress = 0x1030;
    static constexpr int kRegisters = 1;
    static constexpr int kEnabled = 0;  // u16: 0 enable, 1 disable
};

// 0x1040 logger settings; 0x1041 is the same registers seen from the mode on.
struct LoggerSettingsBlock {
    static constexpr std::uint16_t kAddress = 0x1040;
    static constexpr std::uint16_t kModeViewAddress = 0x1041;  // mode at 0, parameters at 2
    static constexpr int kRegisters = 45;
    static constexpr int kModeViewRegisters = 2;
    static constexpr int kPeriodIndex = 0;     // u16, index into kLoggerPeriods
    static constexpr int kMode = 2;            // u16: 0 cyclic, 1 stop when full
    static constexpr int kParameterCount = 4;  // u16: 1 ... 14
    static constexpr int kMaxParameters = 14;
    static constexpr int kSelections = 6;  // per logged parameter i, at 6 + 6 i:
    static constexpr int kSelectionBytes = 6;
    static constexpr int kSelectionSource = 0;   // u16: 0 internal fct., 1 pipe, 2 pipe A,
                                                 //      3 pipe B, 4 input, 5 general
    static constexpr int kSelectionValue = 2;    // u16: index in the source's name list
    static constexpr int kSelectionAverage = 4;  // u16: statistic, 0 min, 1 average, 2 max,
                                                 //      3 instant
};

// Logging periods in seconds, by the index of the "Period logger" list (1 s, 2 s, 5 s, 10 s, 15 s,
// 30 s, 1 mn, 2 mn, 5 mn, 10 mn, 15 mn, 30 mn, 1 h, 2 h, 6 h, 12 h, 24 h).
inline constexpr std::array<int, 17> kLoggerPeriods = {
    1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 21600, 43200, 86400};

// 0x1080 totalizer settings, four totalizers.
struct TotalizerSettingsBlock {
    static constexpr std::uint16_t kAddress = 0x1080;
    static constexpr int kRegisters = 12;
    static constexpr int kTotalizers = 4;
    static constexpr int kEntryBytes = 6;  // totalizer t at 6 t:
    static constexpr int kSource = 0;      // u16: 0 QA, 1 QB, 2 QT
    static constexpr int kWeight = 2;      // u16: 1 ... 65535, volume units per count
    static constexpr int kUnit = 4;        // u16: 0 ml, 1 l, 2 m3, 3 thousands of m3
};

// 0x1100 + 16 h, h = 0 ... 8: chord blocks, 13 registers each.
struct ChordBlock {
    static constexpr std::uint16_t kFirstAddress = 0x1100;
    static constexpr int kSpacing = 16;
    static constexpr int kCount = 9;
    static constexpr int kRegisters = 13;
    static constexpr int kPathShape = 0;  // u16: 0 "/", 1 "V", 2 "W", 3 "N"
    static constexpr int kSecondPathShape = 2;
    static constexpr int kDistance = 4;        // u32, tenths of mm: probe distance (path length)
    static constexpr int kSecondDistance = 8;  // u32, tenths of mm: axial distance
    static constexpr int kFactor = 12;         // u16, thousandths
    static constexpr int kDbMode = 14;
    static constexpr int kDb1 = 16;
    static constexpr int kDb2 = 18;
    static constexpr int kTimeOffset = 20;  // s16, hundredths of ns
    static constexpr std::uint16_t address(int h) {
        return static_cast<std::uint16_t>(kFirstAddress + kSpacing * h);
    }
};

// 0x1200 pipe A, 0x1400 pipe B (u16 unless said otherwise; scaled values in the units of the
// field's decimals). 62 registers, up to the jitter: an instrument refuses a longer read.
struct PipeBlock {
    static constexpr std::uint16_t kAddressA = 0x1200;
    static constexpr std::uint16_t kAddressB = 0x1400;
    static constexpr int kRegisters = 62;
    static constexpr int kExternalDiameter = 0;  // tenths of mm
    static constexpr int kLayerMaterial = 2;     // layer k at 2 + 6 k (k = 0 ... 2)
    static constexpr int kLayerSoundSpeed = 4;   // m/s
    static constexpr int kLayerThickness = 6;    // hundredths of mm
    static constexpr int kLayerBytes = 6;
    static constexpr int kLayers = 3;
    static constexpr int kProduct = 20;  // 0 other, 1 water
    static constexpr int kC0 = 22;
    static constexpr int kDeltaC = 24;
    static constexpr int kKhType = 26;
    static constexpr int kViscosity = 28;  // tenths of cSt
    static constexpr int kRoughness = 30;  // hundredths of mm
    static constexpr int kKh = 32;         // thousandths
    static constexpr int kCriticalReynolds = 34;
    static constexpr int kLbr = 36;  // thousandths
    static constexpr int kProfileMode = 38;
    static constexpr int kProfileValue = 40;  // hundredths
    static constexpr int kCutOff = 42;        // hundredths
    static constexpr int kFlowUnit = 44;
    static constexpr int kRefUnit = 46;
    static constexpr int kRefFlow1 = 48;
    static constexpr int kCoefficients1 = 50;  // 11 x u16, thousandths
    static constexpr int kRefFlow2 = 72;
    static constexpr int kCoefficients2 = 74;  // 11 x u16, thousandths
    static constexpr int kProbeType = 96;      // index into the probe catalogue
    static constexpr int kQUnit = 98;
    static constexpr int kFilter = 100;
    static constexpr int kFilterDeltaV = 102;  // thousandths
    static constexpr int kMemory = 104;
    static constexpr int kMin = 106;  // s32, tenths
    static constexpr int kMax = 110;  // s32, tenths
    static constexpr int kStep = 114;
    static constexpr int kNumberOfChords = 116;  // 1 ... 8
    static constexpr int kFunction = 118;        // 0 measure, 1 simulation
    static constexpr int kSimulationFlow = 120;  // s16, hundredths of l/s
    static constexpr int kJitter = 122;          // % of the simulated flow
};

// 0x1300 pipe A, 0x1500 pipe B: the hydraulic profile curve of the manual profile mode, 20
// points, abscissas in % of the radius (u16) then coefficients (u16, thousandths). Instruments
// without a curve answer this block with exception 2 (illegal data address).
struct ProfileCurveBlock {
    static constexpr std::uint16_t kAddressA = 0x1300;
    static constexpr std::uint16_t kAddressB = 0x1500;
    static constexpr int kRegisters = 40;
    static constexpr int kPoints = 20;
    static constexpr int kAbscissas = 0;
    static constexpr int kCoefficients = 40;
};

// 0x1600 + 16 k, k = 0 ... 23: one parameter block per input-output slot.
struct ModuleBlock {
    static constexpr std::uint16_t kFirstAddress = 0x1600;
    static constexpr int kSpacing = 16;
    static constexpr int kCount = 24;
    static constexpr int kRegisters = 8;
    static constexpr int kModuleWord = 0;  // u16: the module the parameters were made for
    static constexpr int kMode = 2;        // u16
    static constexpr int kSource = 4;      // u16: 0 QA, 1 QB, 2 QT
    static constexpr int kLow = 6;         // s32, tenths: value at the low end (4 mA, relay off)
    static constexpr int kHigh = 10;       // s32, tenths: value at the high end (20 mA)
    static constexpr int kUnit = 14;       // u16
    static constexpr std::uint16_t address(int k) {
        return static_cast<std::uint16_t>(kFirstAddress + kSpacing * k);
    }
};

// 0x1800 function parameters: per function k (0 ... 19), at 12 k, three f32 a, b, c. A function
// output is a * QT + b; a function with a = b = 0 is not configured and reports its default bit.
struct FunctionParameterBlock {
    static constexpr std::uint16_t kAddress = 0x1800;
    static constexpr int kRegisters = 120;
    static constexpr int kFunctions = 20;
    static constexpr int kEntryBytes = 12;
    static constexpr int kA = 0;
    static constexpr int kB = 4;
    static constexpr int kC = 8;
};

// 0xD000 calculation functions: u32 main value at 0, then ten rows of three u16 at 4 + 6 k.
struct FunctionBlock {
    static constexpr std::uint16_t kAddress = 0xD000;
    static constexpr int kRegisters = 32;
    static constexpr int kMainValue = 0;
    static constexpr int kRows = 10;
    static constexpr int kRowBytes = 6;
    static constexpr int kRowSource = 4;   // + 6 k, list of measured quantities
    static constexpr int kRowSource2 = 6;  // + 6 k
    static constexpr int kRowUnit = 8;     // + 6 k
};

// 0xD100 function outputs: per output k (0 ... 9) at 8 k: u16 source (0 = output not used),
// u16 at 4 + 8 k the function number - 1, u16 at 6 + 8 k the unit.
struct FunctionOutputBlock {
    static constexpr std::uint16_t kAddress = 0xD100;
    static constexpr int kRegisters = 40;
    static constexpr int kOutputs = 10;
    static constexpr int kEntryBytes = 8;
    static constexpr int kSource = 0;
    static constexpr int kFunctionIndex = 4;
    static constexpr int kUnit = 6;
};

// 0xD200 function definitions, 200 bytes kept as the tool writes them.
struct FunctionDefinitionBlock {
    static constexpr std::uint16_t kAddress = 0xD200;
    static constexpr int kRegisters = 100;
};

// 0xE010 instrument clock: a date; writing it sets the clock.
struct ClockBlock {
    static constexpr std::uint16_t kAddress = 0xE010;
    static constexpr int kRegisters = 3;
    static constexpr int kDate = 0;
};

// 0xE020 "Reset logger": writing 1 erases the logger; reads back 0.
struct LoggerResetBlock {
    static constexpr std::uint16_t kAddress = 0xE020;
    static constexpr int kRegisters = 1;
};

// 0xE030 totalizer "Reset" choices: u16 per totalizer; writing 1 clears it; reads back 0.
struct TotalizerResetBlock {
    static constexpr std::uint16_t kAddress = 0xE030;
    static constexpr int kRegisters = 4;
};

// 0xE040 logger window base: u32 register offset in the logger memory that input register 0
// refers to.
struct LoggerWindowBlock {
    static constexpr std::uint16_t kAddress = 0xE040;
    static constexpr int kRegisters = 2;
    static constexpr int kWindowSpan = 50000;  // input registers used per window
};

// 0xE048 logger search date: a date; writing it starts a search.
struct LoggerSearchDateBlock {
    static constexpr std::uint16_t kAddress = 0xE048;
    static constexpr int kRegisters = 3;
};

// 0xE04C logger search result: s32, -1 searching, -2 no record at or after the date, else the
// register offset of the first record at or after the date.
struct LoggerSearchResultBlock {
    static constexpr std::uint16_t kAddress = 0xE04C;
    static constexpr int kRegisters = 2;
    static constexpr std::int32_t kSearching = -1;
    static constexpr std::int32_t kNotFound = -2;
};

// 0xE050 installed input-output modules: one u16 module word per slot (0 = empty).
struct ModuleListBlock {
    static constexpr std::uint16_t kAddress = 0xE050;
    static constexpr int kRegisters = 24;
    static constexpr int kSlots = 24;
};

// Module words of the input-output slots.
struct ModuleKind {
    static constexpr std::uint16_t kNone = 0;
    static constexpr std::uint16_t kCurrentOutput = 1;  // 4-20 mA output
    static constexpr std::uint16_t kRelayOutput = 2;
    static constexpr std::uint16_t kCurrentInput = 3;  // 4-20 mA input
    static constexpr std::uint16_t kVoltageInput = 4;  // 0-10 V input
    static constexpr std::uint16_t kPt100Input = 5;
};

// 0xE800 probe sets A and B.
struct ProbeSetBlock {
    static constexpr std::uint16_t kAddress = 0xE800;
    static constexpr int kRegisters = 21;
    static constexpr int kT0A = 16;         // u16, tenths
    static constexpr int kAngleA = 18;      // u16, hundredths of a degree
    static constexpr int kFrequencyA = 20;  // u16, index into the frequency list
    static constexpr int kNameA = 22;       // text, 6 characters
    static constexpr int kT0B = 30;
    static constexpr int kAngleB = 32;
    static constexpr int kFrequencyB = 34;
    static constexpr int kNameB = 36;
    static constexpr int kNameLength = 6;
};

// 0xEFFD ... 0xF002 command registers: writes starting at these registers are commands.
struct CommandRegisters {
    static constexpr std::uint16_t kUpgrade = 0xEFFD;    // 12 characters, upgrade file name
    static constexpr std::uint16_t kReset = 0xEFFE;      // 0x55AA, 0xAA55
    static constexpr std::uint16_t kEndMarker = 0xEFFF;  // 0x5A5A: end of transfer, restart
    static constexpr int kRegisters = 6;                 // 0xEFFD ... 0xF002
    static constexpr int kUpgradeNameLength = 12;
    static constexpr std::uint16_t kEndMarkerValue = 0x5A5A;
    static constexpr std::uint32_t kResetValue = 0x55AAAA55;
};

// 0xF100 and 0xF200: raw frames of the timing circuit (u8 unless said otherwise).
struct TimingFrameBlock {
    static constexpr std::uint16_t kAddress1 = 0xF100;
    static constexpr std::uint16_t kAddress2 = 0xF200;
    static constexpr int kRegisters = 64;
    static constexpr int kVersion = 0;
    static constexpr int kFlagArray = 1;
    static constexpr int kConfigCounter = 2;
    static constexpr int kPhase = 3;
    static constexpr int kFrameNumber = 4;  // advances with every read
    static constexpr int kChordCount = 5;
    static constexpr int kGainUp = 6;
    static constexpr int kGainDown = 7;
    static constexpr int kStatus = 8;
    static constexpr int kJitter = 9;            // ns, of the last measurement
    static constexpr int kFlags = 10;            // u16: ten flag bits, bit 0 first
    static constexpr int kMeanDeltaT = 14;       // u32, hundredths of ns
    static constexpr int kMeanTransitTime = 18;  // u32, hundredths of µs
    static constexpr int kChordValues = 28;      // chord c (0 ... 5) at 28 + 6 c:
    static constexpr int kChordValueBytes = 6;
    static constexpr int kChordDeltaT = 0;  // s16, tenths of ns
    static constexpr int kChordUpDown = 2;  // u16, tenths of µs, upstream to downstream
    static constexpr int kChordDownUp = 4;  // u16, tenths of µs, downstream to upstream
    static constexpr int kChords = 6;
    static constexpr int kTemperature = 64;  // u16, hundredths of °C
    static constexpr int kSupply = 66;       // u16, mV
    static constexpr int kNoise = 68;        // u16
    static constexpr int kAmplitudeUp = 70;  // u16
    static constexpr int kAmplitudeDown = 72;
    static constexpr int kEchoSamples = 74;  // 54 x u8: the received echo
    static constexpr int kEchoSampleCount = 54;
};

// 0xF300 version text of the timing software.
struct VersionBlock {
    static constexpr std::uint16_t kAddress = 0xF300;
    static constexpr int kRegisters = 5;
    static constexpr int kText = 0;  // text, 10 characters
    static constexpr int kTextLength = 10;
};

// 0xFD00 identity (u16 unless said otherwise).
struct IdentityBlock {
    static constexpr std::uint16_t kAddress = 0xFD00;
    static constexpr int kRegisters = 22;
    static constexpr int kSerial1 = 0;
    static constexpr int kSerial2 = 2;
    static constexpr int kSerial3 = 4;  // u32
    static constexpr int kBoardSerial1 = 8;
    static constexpr int kBoardSerial2 = 10;
    static constexpr int kBoardSerial3 = 12;  // u32
    static constexpr int kHardware = 16;
    static constexpr int kApplication = 18;
    static constexpr int kInstrumentType = 20;  // 0 one pipe, 1 two pipes
    static constexpr int kMaxChords = 22;       // three u16
    static constexpr int kConfigWords = 28;     // eight u16
};

// 0xFE00 battery gauge mirror.
struct BatteryBlock {
    static constexpr std::uint16_t kAddress = 0xFE00;
    static constexpr int kRegisters = 23;
    static constexpr int kDate = 0;          // date of the reading
    static constexpr int kCounter = 12;      // u16: readings so far, advances every few seconds
    static constexpr int kFlags1 = 15;       // u8 FLGS1
    static constexpr int kTemperature = 17;  // u8 TMPGG, class in bits 4-7
    static constexpr int kNac = 18;          // u16
    static constexpr int kNacOld = 20;       // u16
    static constexpr int kBatteryId = 22;    // u16
    static constexpr int kLmd = 24;          // u8
    static constexpr int kLmd256 = 25;       // u8
    static constexpr int kFlags2 = 27;       // u8 FLGS2
    static constexpr int kPpd = 28;
    static constexpr int kPpu = 30;
    static constexpr int kCpi = 32;
    static constexpr int kDmf = 34;
    static constexpr int kVsb = 36;      // u16, units of 9.375 mV
    static constexpr int kVts = 38;      // u16, units of 9.375 mV
    static constexpr int kCharge = 40;   // u16, %
    static constexpr int kGauge = 42;    // u16, thousandths
    static constexpr int kCharger = 45;  // u8: bit 0 fault, 1 charging, 2 ready, 3 top of charge
};

// 0x0200 (path A) and 0x0600 (path B): the path summary. Bytes 0 ... 49 are the instrument's
// general values and read the same in both blocks.
struct PathBlock {
    static constexpr std::uint16_t kAddressA = 0x0200;
    static constexpr std::uint16_t kAddressB = 0x0600;
    static constexpr int kRegisters = 37;
    static constexpr int kLoggerParameters = 0;  // u16 N
    static constexpr int kLoggerWritten = 2;     // u32 written records
    static constexpr int kLoggerCapacity = 6;    // u32 capacity in records
    static constexpr int kLoggerPeriod = 10;     // u32 seconds
    static constexpr int kTotalizers = 14;       // 4 x s32 at 14, 18, 22, 26
    static constexpr int kDate = 30;             // date: the instrument clock
    static constexpr int kIndicators = 36;       // u16: bit 0 firmware, 1 EEPROM, 2 battery,
                                                 //      3 logger, 4 input-output, 5 function fault
    static constexpr int kNumberOfPipes = 38;    // u16
    static constexpr int kFlowUnit = 40;         // u16
    static constexpr int kTotalFlow = 42;        // f32 QT, l/s
    static constexpr int kStatusWord = 46;       // u32: bit 0x40 function configuration error
    static constexpr int kFlow = 50;             // f32 flow of the path, l/s
    static constexpr int kVelocity = 54;         // f32 mean velocity, m/s
    static constexpr int kKCoefficient = 58;     // f32
    static constexpr int kKMode = 62;            // u16: 0 automatic, 1 manual
    static constexpr int kReynolds = 64;         // f32
    static constexpr int kSoundVelocity = 68;    // f32 mean sound velocity, m/s
    static constexpr int kChordsInUse = 72;      // u16
    static constexpr std::uint32_t kFunctionErrorBit = 0x40;
};

// 0x0225 / 0x0625: per chord of the path (j = 0 ... 7) at 16 j, four f32.
struct ChordValuesBlock {
    static constexpr std::uint16_t kAddressA = 0x0225;
    static constexpr std::uint16_t kAddressB = 0x0625;
    static constexpr int kRegisters = 64;
    static constexpr int kChords = 8;
    static constexpr int kEntryBytes = 16;
    static constexpr int kTransitTime = 0;     // µs, mean of both directions
    static constexpr int kDeltaT = 4;          // ns, upstream minus downstream
    static constexpr int kVelocity = 8;        // m/s along the chord
    static constexpr int kSoundVelocity = 12;  // m/s
};

// 0x0265 / 0x0665: per chord j at 8 j gains and quality, then the velocity profile.
struct ChordSignalBlock {
    static constexpr std::uint16_t kAddressA = 0x0265;
    static constexpr std::uint16_t kAddressB = 0x0665;
    static constexpr int kRegisters = 64;
    static constexpr int kChords = 8;
    static constexpr int kEntryBytes = 8;
    static constexpr int kGainUp = 0;    // u16, tenths of dB
    static constexpr int kGainDown = 2;  // u16, tenths of dB
    static constexpr int kQuality = 4;   // u16, I.Q. in %
    static constexpr int kStatus = 6;    // u16: 0 valid, 1 chord not in use
    static constexpr int kProfile = 64;  // 16 x f32: V1 ... V16, m/s
    static constexpr int kProfilePoints = 16;
};

// 0x0325: input-output values, one entry of 8 bytes per slot k at 8 k.
struct InputOutputValuesBlock {
    static constexpr std::uint16_t kAddress = 0x0325;
    static constexpr int kRegisters = 96;
    static constexpr int kEntries = 24;
    static constexpr int kEntryBytes = 8;
    static constexpr int kValue = 0;    // f32: mA, relay state 0/1, V or °C
    static constexpr int kNotUsed = 4;  // u16: non-zero when the slot holds no module
    static constexpr int kUnit = 6;     // u16
};

// 0x03A5: the ten function outputs, 8 bytes each at 8 k.
struct OutputValuesBlock {
    static constexpr std::uint16_t kAddress = 0x03A5;
    static constexpr int kRegisters = 40;
    static constexpr int kEntries = 10;
    static constexpr int kEntryBytes = 8;
    static constexpr int kValue = 0;  // f32
    static constexpr int kFlags = 4;  // u8: bit 7 default (output shows "---")
    static constexpr std::uint8_t kDefaultBit = 0x80;
};

// 0x03CD: current values of the 20 functions, 8 bytes each at 8 k.
struct FunctionValuesBlock {
    static constexpr std::uint16_t kAddress = 0x03CD;
    static constexpr int kRegisters = 80;
    static constexpr int kEntries = 20;
    static constexpr int kEntryBytes = 8;
    static constexpr int kValue = 0;  // f32
    static constexpr int kFlags = 4;  // u8: bit 7 default
    static constexpr std::uint8_t kDefaultBit = 0x80;
};

// The logger memory, read with function 4 (input registers) relative to the window base.
// Record of R = 8 N + 8 bytes: a date, N parameter entries of 8 bytes, two unused bytes.
struct LoggerRecordLayout {
    static constexpr int kDate = 0;
    static constexpr int kEntries = 6;  // entry i at 6 + 8 i
    static constexpr int kEntryBytes = 8;
    static constexpr int kValue = 0;        // 4 bytes: f32, u32, s32 or 32 flags
    static constexpr int kCategory = 4;     // bits 0-3 category, bits 4-7 statistic
    static constexpr int kNameIndex = 5;    // u8
    static constexpr int kTypeAndUnit = 6;  // bits 0-1 value type, bits 2-7 unit
    static constexpr int kQuality = 7;      // bits 0-6 I.Q. in %
    static constexpr int kTypeFloat = 0;
    static constexpr int kTypeUnsigned = 1;
    static constexpr int kTypeSigned = 2;
    static constexpr int kTypeFlags = 3;
    // The records hold up to 51 entries; the settings block selects the first 14, entries
    // beyond take the selections again from the first.
    static constexpr int kMaxParameters = 51;
    static constexpr int recordBytes(int parameters) { return 8 * parameters + 8; }
};

// Categories of a logged parameter entry and the selection sources of 0x1040 they come from.
struct LoggerCategory {
    static constexpr int kGeneral = 0;
    static constexpr int kPipe = 1;
    static constexpr int kPipeA = 2;
    static constexpr int kPipeB = 3;
    static constexpr int kInput = 4;
    static constexpr int kFunction = 5;
    static constexpr int kInternalFunction = 10;
    // Category of each selection source (0 internal fct., 1 pipe, 2 pipe A, 3 pipe B, 4 input,
    // 5 general).
    static constexpr std::array<int, 6> kOfSource = {
        kInternalFunction, kPipe, kPipeA, kPipeB, kInput, kGeneral};
};

}  // namespace flowcfg
