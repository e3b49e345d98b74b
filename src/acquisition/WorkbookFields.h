#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace flowcfg {

// The fields of one line of an exported text (header or sample): tab-separated, ended by "\n"
// (a "\r" before it is dropped too). The tab after the last column leaves no empty field
// behind, so a header written "N°\tDate\t\n" has two fields.
std::vector<std::string_view> splitExportLine(std::string_view line);

// The number a field of an exported text stands for, or nothing when it is text. The lines
// carry the user's decimal separator; the logger's stored lines may still carry ".", so either
// is taken as the one decimal point of a field. Only plain decimal numbers are numbers ("-12",
// "3,250", ".5"): dates, times, flags, serial numbers "01/02/00345", "nan" stay text, and so do
// fields of more than 15 digits, which a spreadsheet number could not hold exactly.
std::optional<double> exportFieldNumber(std::string_view field, char decimalSeparator);

// `text` as valid UTF-8 for a workbook cell or name: bytes that do not form UTF-8 (texts of an
// 8-bit code page, as older files hold them) are read as Latin-1, and control characters other
// than tab are left out, since the workbook's XML cannot carry them.
std::string workbookText(std::string_view text);

// Length of `text` in characters (code points) once it is valid UTF-8.
std::size_t utf8Length(std::string_view text);

}  // namespace flowcfg
