#include "acquisition/SpreadsheetProgram.h"

#include <algorithm>
#include <cctype>

#include "shell/SettingsKeys.h"

namespace flowcfg {
namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

}  // namespace

SpreadsheetProgram SpreadsheetProgram::Load(const IniFile& config) {
    SpreadsheetProgram program;
    program.path = config.readString(kSection, kPathKey, "");
    // Start-up stores a placeholder when it found no program: it names none.
    if (lower(program.path) == keys::kSpreadsheetPlaceholder) program.path.clear();
    program.name = config.readString(kSection, kNameKey, kDefaultName);
    const double format = config.readReal(kSection, kExportFormatKey, -1);
    program.exportFormat = format == 0 || format == 1 ? static_cast<int>(format) : -1;
    return program;
}

SpreadsheetProgram::ExportFormat SpreadsheetProgram::format() const {
    if (exportFormat == kWorkbook || exportFormat == kTextFile) return ExportFormat(exportFormat);
    return macroCapable() ? kTextFile : kWorkbook;
}

std::string SpreadsheetProgram::macroKey(std::string_view pageType) {
    return kMacroKeyPrefix + std::string(pageType);
}

std::string SpreadsheetProgram::loadMacro(const IniFile& config, std::string_view pageType) {
    return config.readString(kSection, macroKey(pageType), "");
}

int SpreadsheetProgram::storeMacro(const IniFile& config, std::string_view pageType,
                                   std::string_view path) {
    return config.writeString(kSection, macroKey(pageType), path);
}

bool SpreadsheetProgram::macroCapable() const {
    // An empty name would match every program.
    return !name.empty() && lower(path).find(lower(name)) != std::string::npos;
}

std::vector<std::string> SpreadsheetProgram::arguments(const std::string& dataFile,
                                                       const std::string& outputDirectory,
                                                       const std::string& macro) const {
    if (!macroCapable()) return {dataFile};
    std::vector<std::string> args = {dataFile, "/p", outputDirectory};
    if (!macro.empty()) args.push_back(macro);
    return args;
}

}  // namespace flowcfg
