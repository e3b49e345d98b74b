#pragma once

#include <string>

#include "shell/IniFile.h"

namespace flowcfg {

// The settings of the options page, as stored in the configuration file. Numbers and list
// positions are written with "%f"; texts as typed. A missing key gives its default.
struct OptionsSettings {
    // Section "Spreadsheet"
    std::string spreadsheetPath;  // "Path Spreadsheet"; empty on the options page
    // "Export Format", what an export without a macro writes: 0 a workbook with its charts,
    // 1 the text file; -1 when the key is missing (then not written: the export's default).
    int exportFormat = -1;
    // Section "File Save"
    double recordLapTime = 0;     // "Record Lap Time", minutes (0: no limit)
    double sampleRecordTime = 1;  // "Sample Record Time", seconds
    // Section "Language"
    int language = 0;  // "Language": 0 French, 1 English, 2 Portuguese, 3 German, 4 Spanish
    // Section "Com"
    double jbus = 1;  // "JBus": the instrument's slave number
    int port = 0;     // "Port": position in the port list (COM number - 1)
    int bauds = 5;    // "Bauds": position in the speed list (5: 9600)
    // Section "Modem"
    int useModem = 1;      // "Use modem": 0 yes, 1 no
    int numerotation = 0;  // "Numerotation": 0 tone, 1 pulse
    std::string initialisationString = "&F S95=0 E0 Q0 V1 W2 &K0 M0";  // "Initalisation string"
    std::string telephoneNumber;                                       // "Telefon number"
    std::string disconnectString = "H0";                               // "Desconnect string"
    double answerTimeout = 500;  // "Time out bevor answer", milliseconds

    static OptionsSettings read(const IniFile& config);
    // Writes every key; 0 when every write succeeded, -1 otherwise.
    int write(const IniFile& config) const;

    bool operator==(const OptionsSettings&) const = default;
};

}  // namespace flowcfg
