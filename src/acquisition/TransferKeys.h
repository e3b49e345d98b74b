#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace flowcfg {

// The keys of a transfer content ("KVNTransfert.$dat"): lines "KEY" tab "value" "\n", in
// order. A key may come more than once (the per-chord chart keys of a two-path export repeat
// their numbers), so every line is kept; value() gives the first one.
class TransferKeys {
public:
    struct Entry {
        std::string key;
        std::string value;
    };

    static TransferKeys parse(std::string_view content);

    const std::vector<Entry>& entries() const { return entries_; }
    // The first value of `key` (compared without regard to case), or "" when it is absent.
    std::string value(std::string_view key) const;
    bool has(std::string_view key) const;

private:
    std::vector<Entry> entries_;
};

// Compares two ASCII keys without regard to case.
bool sameKey(std::string_view a, std::string_view b);

}  // namespace flowcfg
