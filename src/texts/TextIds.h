#pragma once

// Names for the ids of the language table's lists (and of a few texts) that pages refer to.
// The ids are stable: stored files keep list positions, and pages refer to texts only by id.
namespace flowcfg::textid {

// Lists given by this program, each the same length in every language.
inline constexpr int kListFlowUnits = 47;           // "l/s", "l/mn", "l/h", "m3/s", "m3/h"
inline constexpr int kListTotalizerUnits = 48;      // " ml", " l", " m3", "000 m3"
inline constexpr int kListStep = 49;                // "1 s" ... "24 h"
inline constexpr int kListLoggerPeriod = 54;        // "1 s" ... "24 h"
inline constexpr int kListMaterial = 55;            // "No", "Ptfe", "Glass", ... (8 "Steel")
inline constexpr int kListProduct = 56;             // "Other", "Water"
inline constexpr int kListEnableDisable = 57;       // "Enable", "Desable"
inline constexpr int kListAutomaticManual = 58;     // "Automatic", "Manual"
inline constexpr int kListPathShape = 59;           // "/", "V", "W", "N"
inline constexpr int kListBackLight = 61;           // "Off", "Timed", "On"
inline constexpr int kListLoggerMode = 62;          // "Cyclic", "Stop when full"
inline constexpr int kListLoggerSource = 63;        // "Internal fct.", "Pipe", ... "General"
inline constexpr int kListHardware = 65;            // "*****", "RT7-F", "RT8-?"
inline constexpr int kListApplication = 68;         // "****", "KV420-P", ... "KV470-NL"
inline constexpr int kListChordCount = 69;          // "2" ... "9"
inline constexpr int kListProbeFrequency = 70;      // "5 MHz" ... "40 kHz"
inline constexpr int kListBatteryTemperature = 72;  // "T < -30°C" ... "T > 80°C"
inline constexpr int kListCombination = 73;         // "Or", "And"
inline constexpr int kListInstrumentType = 74;      // "1 Pipes", "2 Pipes"
inline constexpr int kListParameterLevel = 75;      // "Simple", "Normal", "Advanced"
inline constexpr int kListNoYes = 76;               // "No", "Yes" (position 1 = yes)
inline constexpr int kListInstrumentBauds = 78;     // "300" ... "38400", positions 0-5 as list 571
inline constexpr int kListLoadingChoice = 79;       // "All", "From . . ."
inline constexpr int kListLinkState = 81;        // "", "Trying to connect", "Communication Failure"
inline constexpr int kListTotalizerSource = 82;  // "QA", "QB", "QT", "QA +", ... "QT -"
inline constexpr int kListExportFormat = 364;    // "Workbook with charts (xlsx)", "Text file (prn)"

// Lists whose ids the program has always used.
inline constexpr int kListLevelValues = 50;       // "Status", "Level", "Level / Probe", ...
inline constexpr int kListPipeValues = 51;        // "Status", "Q", "Velocity", "Sp. Sound", ...
inline constexpr int kListGeneralValues = 52;     // "Status", "QT", "Totalizer 1" ...
inline constexpr int kListLoggerCategory = 53;    // "General", "Pipe", "Pipe A", ...
inline constexpr int kListInputValues = 60;       // "01A", "01B", ... "24B" (slot, channel)
inline constexpr int kListMeasuredQuantity = 64;  // "Not Used", "QA", "QB", "QT", ...
inline constexpr int kListPipeFunction = 66;      // "Measure", "Simulation"
inline constexpr int kListOutputValues = 67;      // "Output 01" ... "Output 10"
inline constexpr int kListFunctionType = 71;      // "Off", "Min", "Max", ... "Totalizer"
inline constexpr int kListFunctionNumber = 77;    // "1" ... "20"
inline constexpr int kListDialling = 80;          // "Tone", "Pulse"
inline constexpr int kListYesNo = 84;             // "Yes", "No" (position 0 = yes)
inline constexpr int kListStatistic = 99;         // "Min", "Average", "Max", "Instant"
inline constexpr int kListUnits = 101;            // "l/s", ..., "m/s", "dB", "%", "ns", ...
inline constexpr int kListComPorts = 138;         // "Com 1" ... "Com 255"
inline constexpr int kListLanguages = 339;        // "Français", "English", ... "Español"
inline constexpr int kListLinkSpeeds = 571;       // "300" ... "BlueTooth", "115200"

// Single texts given by this program.
inline constexpr int kTextCompare = 139;
inline constexpr int kTextCannotWriteFile = 210;  // "Cannot write the file !"
inline constexpr int kTextTransfer = 514;
inline constexpr int kTextPrint = 515;
inline constexpr int kTextCancel = 516;
inline constexpr int kTextDetection = 517;

// The measurement page.
inline constexpr int kTextTotalFlow = 83;        // "QT"
inline constexpr int kTextTrend = 85;            // "Trend" (the trend window and its button)
inline constexpr int kTextVelocityProfile = 86;  // "Velocity profile"
inline constexpr int kTextChordSignals = 87;     // "Chord signals" (the chord windows' button)

// The exported workbooks.
inline constexpr int kTextExportAs = 416;        // "Export as"
inline constexpr int kTextWorkbook = 417;        // "Workbook"
inline constexpr int kTextIdentification = 419;  // "Identification"

// Printing.
inline constexpr int kTextNoDefaultPrinter = 194;  // "You have no default printer!"
inline constexpr int kTextPrinterNotReady = 202;   // "Printer wouldn't initalize"
inline constexpr int kTextPageNotStarted = 248;    // "Could not start page"
inline constexpr int kTextPrintedAt = 302;         // "Printed at "

// The parameter dialog's comparison window.
inline constexpr int kTextTab = 92;                // "Tab" (the column of the tab's title)
inline constexpr int kTextOneDifference = 93;      // "One parameter differs"
inline constexpr int kTextDifferences = 94;        // "%d parameters differ"
inline constexpr int kTextSameSets = 95;           // "The two parameter sets are the same"
inline constexpr int kTextClose = 96;              // "Close"
inline constexpr int kTextParameter = 560;         // "Parameter"
inline constexpr int kTextActualParameters = 422;  // "Actual parameters"

// Unit words of durations, as the logger range text uses them.
inline constexpr int kTextYear = 14;     // "y"
inline constexpr int kTextMonth = 342;   // "m" (341 is the metre)
inline constexpr int kTextDay = 305;     // "d" (159 is the coefficient d)
inline constexpr int kTextHour = 252;    // "h"
inline constexpr int kTextMinute = 372;  // "mn"
inline constexpr int kTextSecond = 474;  // "s"

}  // namespace flowcfg::textid
