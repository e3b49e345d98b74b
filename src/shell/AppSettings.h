#pragma once

#include <cstdint>
#include <string>

namespace flowcfg {

// The program-wide settings, filled at start-up from "last.cfg", the current configuration file
// and the machine-wide store (see Application).
struct AppSettings {
    std::int64_t maxRecordsPerFile = 0;  // "NbEnrMax4Fichier" of "last.cfg"; 0 = no limit
    std::string programDirectory;        // always ends with '/'
    std::string saveDirectory;           // where measurement and logger files go
    std::string configFilePath;          // the current configuration file
    std::string variantName;             // "InternalName" without spaces: "Zq4xxKRw03"
    std::uint8_t showLogo = 0;           // 1: show "logo.bmp" in the main window
    std::uint8_t useModem = 0;           // 1: the link goes through a telephone modem
    std::string spreadsheetPath;         // the spreadsheet program ("Path Spreadsheet")
};

}  // namespace flowcfg
