#include "acquisition/TestSettings.h"

#include <cstdio>
#include <filesystem>

#include "acquisition/SpreadsheetProgram.h"

namespace flowcfg {

TestSettings TestSettings::Load(const IniFile& config) {
    TestSettings s;
    s.settingsFile = config.readString(kSection, kSettingsFileKey, "");
    s.specialFile = config.readString(kSection, kSpecialFileKey, "");
    s.factoryFile = config.readString(kSection, kFactoryFileKey, "");
    s.functionFile = config.readString(kSection, kFunctionFileKey, "");
    s.saveDirectory = config.readString(kSection, kSaveDirectoryKey, "");
    s.serial = config.readReal(kSection, kSerialKey, 0);
    s.serialNext = config.readReal(kSection, kSerialNextKey, 0);
    s.serialLast = config.readReal(kSection, kSerialLastKey, 0);
    s.controller = config.readString(kSection, kControllerKey, kDefaultController);
    s.macro = SpreadsheetProgram::loadMacro(config, kExportType);
    return s;
}

int TestSettings::Save(const IniFile& config) const {
    int status = 0;
    auto keep = [&status](int result) {
        if (result != 0) status = -1;
    };
    keep(config.writeString(kSection, kSettingsFileKey, settingsFile));
    keep(config.writeString(kSection, kSpecialFileKey, specialFile));
    keep(config.writeString(kSection, kFactoryFileKey, factoryFile));
    keep(config.writeString(kSection, kFunctionFileKey, functionFile));
    keep(config.writeString(kSection, kSaveDirectoryKey, saveDirectory));
    keep(config.writeReal(kSection, kSerialKey, serial));
    keep(config.writeReal(kSection, kSerialNextKey, serialNext));
    keep(config.writeReal(kSection, kSerialLastKey, serialLast));
    keep(config.writeString(kSection, kControllerKey, controller));
    keep(SpreadsheetProgram::storeMacro(config, kExportType, macro));
    return status;
}

std::string TestSettings::MeasurementFile(const std::tm& local) const {
    char name[160];
    std::snprintf(name, sizeof name, "RT7-%02.0f_%02.0f_%05.0f %04d_%02d_%02d_%02d_%02d_%02d.mes",
                  serial, serialNext, serialLast, local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return InSaveDirectory(name);
}

std::string TestSettings::InSaveDirectory(const std::string& name) const {
    return (std::filesystem::path(saveDirectory) / name).string();
}

}  // namespace flowcfg
