#include "shell/OptionsSettings.h"

#include <cmath>

namespace flowcfg {
namespace {

constexpr const char* kSpreadsheet = "Spreadsheet";
constexpr const char* kFileSave = "File Save";
constexpr const char* kLanguage = "Language";
constexpr const char* kCom = "Com";
constexpr const char* kModem = "Modem";

// A list position: the stored real truncated toward zero; absurd values give the default.
int position(const IniFile& config, const char* section, const char* key, int fallback) {
    double v = config.readReal(section, key, fallback);
    if (!std::isfinite(v) || v < -1.0e6 || v > 1.0e6) return fallback;
    return static_cast<int>(v);
}

}  // namespace

OptionsSettings OptionsSettings::read(const IniFile& config) {
    OptionsSettings s;
    s.spreadsheetPath = config.readString(kSpreadsheet, "Path Spreadsheet", s.spreadsheetPath);
    s.exportFormat = position(config, kSpreadsheet, "Export Format", s.exportFormat);
    if (s.exportFormat != 0 && s.exportFormat != 1) s.exportFormat = -1;
    s.recordLapTime = config.readReal(kFileSave, "Record Lap Time", s.recordLapTime);
    s.sampleRecordTime = config.readReal(kFileSave, "Sample Record Time", s.sampleRecordTime);
    s.language = position(config, kLanguage, "Language", s.language);
    s.jbus = config.readReal(kCom, "JBus", s.jbus);
    s.port = position(config, kCom, "Port", s.port);
    s.bauds = position(config, kCom, "Bauds", s.bauds);
    s.useModem = position(config, kModem, "Use modem", s.useModem);
    s.numerotation = position(config, kModem, "Numerotation", s.numerotation);
    s.initialisationString =
        config.readString(kModem, "Initalisation string", s.initialisationString);
    s.telephoneNumber = config.readString(kModem, "Telefon number", s.telephoneNumber);
    s.disconnectString = config.readString(kModem, "Desconnect string", s.disconnectString);
    s.answerTimeout = config.readReal(kModem, "Time out bevor answer", s.answerTimeout);
    return s;
}

int OptionsSettings::write(const IniFile& config) const {
    int failures = 0;
    auto count = [&](int result) { failures += result != 0; };
    count(config.writeString(kSpreadsheet, "Path Spreadsheet", spreadsheetPath));
    if (exportFormat >= 0) count(config.writeReal(kSpreadsheet, "Export Format", exportFormat));
    count(config.writeReal(kFileSave, "Record Lap Time", recordLapTime));
    count(config.writeReal(kFileSave, "Sample Record Time", sampleRecordTime));
    count(config.writeReal(kLanguage, "Language", language));
    count(config.writeReal(kCom, "JBus", jbus));
    count(config.writeReal(kCom, "Port", port));
    count(config.writeReal(kCom, "Bauds", bauds));
    count(config.writeReal(kModem, "Use modem", useModem));
    count(config.writeReal(kModem, "Numerotation", numerotation));
    count(config.writeString(kModem, "Initalisation string", initialisationString));
    count(config.writeString(kModem, "Telefon number", telephoneNumber));
    count(config.writeString(kModem, "Desconnect string", disconnectString));
    count(config.writeReal(kModem, "Time out bevor answer", answerTimeout));
    return failures ? -1 : 0;
}

}  // namespace flowcfg
