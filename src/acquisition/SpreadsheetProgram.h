#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/IniFile.h"

namespace flowcfg {

// The spreadsheet program the exports hand their files to, as the configuration file names it
// (section "Spreadsheet"):
//   "Path Spreadsheet"         the program; empty (or start-up's placeholder for a program it
//                              did not find, "tartempionexcel.exe"): no program is started
//   "Spreadsheet Name"         the executable name that marks the macro-capable program
//                              (default "excel.exe"): a program whose path, in lower case,
//                              contains it, in lower case, is started with a macro
//   "Path Macro " + page type  the macro workbook of a page type ("mes", "log" ...); empty or
//                              missing: no macro
//   "Export Format"            what an export without a macro writes: 0 a workbook with its
//                              charts (NAME.xlsx), 1 the text file (".prn"); missing: the
//                              workbook, unless the program is the macro-capable one
struct SpreadsheetProgram {
    static constexpr const char* kSection = "Spreadsheet";
    static constexpr const char* kPathKey = "Path Spreadsheet";
    static constexpr const char* kNameKey = "Spreadsheet Name";
    static constexpr const char* kDefaultName = "excel.exe";
    static constexpr const char* kMacroKeyPrefix = "Path Macro ";
    static constexpr const char* kExportFormatKey = "Export Format";
    enum ExportFormat { kWorkbook = 0, kTextFile = 1 };

    std::string path;
    std::string name = kDefaultName;
    int exportFormat = -1;  // as stored; -1 when the key is missing

    static SpreadsheetProgram Load(const IniFile& config);
    static std::string macroKey(std::string_view pageType);
    static std::string loadMacro(const IniFile& config, std::string_view pageType);
    static int storeMacro(const IniFile& config, std::string_view pageType, std::string_view path);

    bool configured() const { return !path.empty(); }
    bool macroCapable() const;
    // The export format in force: the stored one, or the default for this program.
    ExportFormat format() const;

    // The arguments after the program, each one argument of its own whatever it holds:
    //   a program that is not macro-capable  the data file
    //   the macro-capable program            the data file, "/p", the output directory, and
    //                                        the macro when there is one
    std::vector<std::string> arguments(const std::string& dataFile,
                                       const std::string& outputDirectory,
                                       const std::string& macro) const;
};

}  // namespace flowcfg
