#include "acquisition/CellReference.h"

namespace flowcfg {

std::optional<int> CellReference::columnIndex(std::string_view letters) {
    if (letters.empty() || letters.size() > 3) return std::nullopt;
    int value = 0;
    for (char c : letters) {
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (c < 'A' || c > 'Z') return std::nullopt;
        value = value * 26 + (c - 'A' + 1);
    }
    if (value > kMaxColumns) return std::nullopt;
    return value - 1;
}

std::string CellReference::columnLetters(int column) {
    std::string letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), char('A' + (n - 1) % 26));
    return letters;
}

std::string CellReference::quotedSheet(std::string_view sheet) {
    std::string quoted = "'";
    for (char c : sheet) {
        quoted.push_back(c);
        if (c == '\'') quoted.push_back('\'');
    }
    quoted.push_back('\'');
    return quoted;
}

std::string CellReference::cell(std::string_view sheet, int column, int row) {
    return quotedSheet(sheet) + "!$" + columnLetters(column) + "$" + std::to_string(row + 1);
}

std::string CellReference::columnRange(std::string_view sheet, int column, int firstRow,
                                       int lastRow) {
    std::string letters = columnLetters(column);
    return quotedSheet(sheet) + "!$" + letters + "$" + std::to_string(firstRow + 1) + ":$" +
           letters + "$" + std::to_string(lastRow + 1);
}

}  // namespace flowcfg
