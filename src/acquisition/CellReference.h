#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace flowcfg {

// Spreadsheet cell references: column letters ("A" is column 0, "AA" column 26, "XFD" the
// last) and absolute ranges qualified by their sheet, as chart formulas name them.
class CellReference {
public:
    static constexpr int kMaxColumns = 16384;  // A ... XFD

    // The column index of letters such as "F" or "AD" (upper or lower case); nothing for any
    // other text or a column beyond the last.
    static std::optional<int> columnIndex(std::string_view letters);
    static std::string columnLetters(int column);

    // 'Sheet name'!$D$2:$D$101 for rows firstRow ... lastRow (0-based) of one column.
    static std::string columnRange(std::string_view sheet, int column, int firstRow, int lastRow);
    // 'Sheet name'!$F$1
    static std::string cell(std::string_view sheet, int column, int row);
    // The sheet name as a formula names it: in single quotes, a quote in it doubled.
    static std::string quotedSheet(std::string_view sheet);
};

}  // namespace flowcfg
