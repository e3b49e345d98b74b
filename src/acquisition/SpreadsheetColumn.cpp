#include "acquisition/SpreadsheetColumn.h"

#include <algorithm>

namespace flowcfg {

std::string spreadsheetColumn(int index) {
    std::string letters;
    for (long n = index; n >= 0; n = n / 26 - 1)
        letters += static_cast<char>('A' + n % 26);
    std::reverse(letters.begin(), letters.end());
    return letters;
}

}  // namespace flowcfg
