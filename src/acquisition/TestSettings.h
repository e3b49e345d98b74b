#pragma once

#include <ctime>
#include <string>

#include "shell/IniFile.h"

namespace flowcfg {

// What the factory test ("&Test KVN") works with, as the test dialog shows it: the four prepared
// files it sends (settings, special settings, factory settings, functions), the directory of
// its recordings and exports, the instrument's serial number in its three parts, the name of
// the person who runs the test, and the macro of the test's export. Section "Test" of the
// configuration file; the macro under "Spreadsheet" / "Path Macro TEST".
struct TestSettings {
    static constexpr const char* kSection = "Test";
    static constexpr const char* kSettingsFileKey = "Path Test Parametrage";
    static constexpr const char* kSpecialFileKey = "Path Test Reglage Special";
    static constexpr const char* kFactoryFileKey = "Path Test Reglage Usine";
    static constexpr const char* kFunctionFileKey = "Path Test Fonction";
    static constexpr const char* kSaveDirectoryKey = "Path Test Save";
    static constexpr const char* kSerialKey = "Num serie";
    static constexpr const char* kSerialNextKey = "Num serie suite";
    static constexpr const char* kSerialLastKey = "Num serie suite suite";
    static constexpr const char* kControllerKey = "Nom controleur";
    static constexpr const char* kDefaultController = "Personne";
    // The page type of the test's export: its macro is "Path Macro TEST".
    static constexpr const char* kExportType = "TEST";

    std::string settingsFile;
    std::string specialFile;
    std::string factoryFile;
    std::string functionFile;
    std::string saveDirectory;
    double serial = 0;
    double serialNext = 0;
    double serialLast = 0;
    std::string controller = kDefaultController;
    std::string macro;

    // The stored settings, each missing key giving its default.
    static TestSettings Load(const IniFile& config);
    // Writes every setting back under its key; 0, or -1 when the file cannot be written.
    int Save(const IniFile& config) const;

    // The measurement file of a test started at `local` (the PC's local time) in the save
    // directory: "RT7-%02.0f_%02.0f_%05.0f %04d_%02d_%02d_%02d_%02d_%02d.mes" of the three
    // serial parts and the date and time.
    std::string MeasurementFile(const std::tm& local) const;
    // `name` in the save directory.
    std::string InSaveDirectory(const std::string& name) const;
};

}  // namespace flowcfg
