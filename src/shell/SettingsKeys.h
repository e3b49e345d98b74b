#pragma once

// Section and key names of "last.cfg" and of the configuration file that start-up reads and
// writes. They are the stored format: spelled exactly as they stand.
namespace flowcfg::keys {

inline constexpr const char* kLastConfigFile = "last.cfg";
inline constexpr const char* kDefaultPrefix = "default.";
inline constexpr const char* kDataDirectory = "Data";
inline constexpr const char* kLogoFile = "logo.bmp";

inline constexpr const char* kLastConfigSection = "LastConfig";
inline constexpr const char* kLastConfigKey = "LastConfig";
inline constexpr const char* kMaxRecordsKey = "NbEnrMax4Fichier";  // in section "LastConfig"
inline constexpr const char* kLogoSection = "Logo";
inline constexpr const char* kLogoKey = "Logo";

inline constexpr const char* kSpreadsheetSection = "Spreadsheet";
inline constexpr const char* kSpreadsheetKey = "Path Spreadsheet";
inline constexpr const char* kSpreadsheetPlaceholder = "tartempionexcel.exe";
inline constexpr const char* kSpreadsheetProgram = "excel.exe";
inline constexpr const char* kSpreadsheetRegistryKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\EXCEL.EXE";
inline constexpr const char* kSpreadsheetRegistryValue = "Path";

inline constexpr const char* kTestSection = "Test";
inline constexpr const char* kTestKey = "Test";
inline constexpr const char* kTestValue = "Ok";

inline constexpr const char* kFileSaveSection = "File Save";
inline constexpr const char* kFileSaveKey = "Path File Save";

inline constexpr const char* kModemSection = "Modem";
inline constexpr const char* kUseModemKey = "Use modem";

inline constexpr const char* kLanguageSection = "Language";
inline constexpr const char* kLanguageKey = "Language";

}  // namespace flowcfg::keys
