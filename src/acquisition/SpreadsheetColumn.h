#pragma once

#include <string>

namespace flowcfg {

// The spreadsheet's letters of a 0-based column index: 0 "A", 25 "Z", 26 "AA", 29 "AD",
// 701 "ZZ", 702 "AAA". Up to "ZZ" this is the two-letter rule the transfer files have always
// used; wider sheets continue the same way with more letters. A negative index gives "".
std::string spreadsheetColumn(int index);

}  // namespace flowcfg
