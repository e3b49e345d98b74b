#include "acquisition/TransferContent.h"

#include "acquisition/SpreadsheetColumn.h"

namespace flowcfg {

void TransferContent::add(std::string_view key, std::string_view value) {
    text_.append(key);
    text_ += '\t';
    text_.append(value);
    text_ += '\n';
}

void TransferContent::addColumn(std::string_view key, int column) {
    add(key, spreadsheetColumn(column));
}

}  // namespace flowcfg
