#pragma once

#include <string>
#include <string_view>

namespace flowcfg {

// The content of the transfer file "KVNTransfert.$dat" that tells the user's spreadsheet macro
// what to read, what to write and which columns and charts to build: one line per key, the key,
// a tab and the value, "\n" at the end, in the order the keys are added.
class TransferContent {
public:
    static constexpr const char* kFileName = "KVNTransfert.$dat";

    void add(std::string_view key, std::string_view value);
    void add(std::string_view key, long value) { add(key, std::to_string(value)); }
    // A key whose value is the spreadsheet letters of a 0-based column.
    void addColumn(std::string_view key, int column);

    const std::string& text() const { return text_; }

private:
    std::string text_;
};

}  // namespace flowcfg
