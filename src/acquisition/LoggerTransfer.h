#pragma once

#include <string>

#include "acquisition/LoggerLines.h"

namespace flowcfg {

// The logger page's transfer content for the spreadsheet macro: the page type "log", the ".log"
// file, the workbook to write (the ".log" path ending in "xls" instead), the number of logged
// parameters; the date and time columns; 14 column sets (name, value, unit, I.Q.), however many
// parameters were logged, so that one macro serves every logger; and four charts, titled by the
// file's name, whose axes name logged parameters as the ".log" file's lines name them
// ("Pipe A / Q / Average").
class LoggerTransfer {
public:
    static constexpr const char* kPageType = "log";
    static constexpr int kColumnSets = 14;

    static std::string content(const std::string& logPath, int parameters,
                               const LoggerLines& lines);
};

}  // namespace flowcfg
