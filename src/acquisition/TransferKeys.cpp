#include "acquisition/TransferKeys.h"

namespace flowcfg {

bool sameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = char(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = char(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

TransferKeys TransferKeys::parse(std::string_view content) {
    TransferKeys keys;
    while (!content.empty()) {
        std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::size_t tab = line.find('\t');
        if (tab == 0 || line.empty()) continue;
        if (tab == std::string_view::npos) {
            keys.entries_.push_back({std::string(line), ""});
        } else {
            keys.entries_.push_back(
                {std::string(line.substr(0, tab)), std::string(line.substr(tab + 1))});
        }
    }
    return keys;
}

std::string TransferKeys::value(std::string_view key) const {
    for (const Entry& entry : entries_)
        if (sameKey(entry.key, key)) return entry.value;
    return {};
}

bool TransferKeys::has(std::string_view key) const {
    for (const Entry& entry : entries_)
        if (sameKey(entry.key, key)) return true;
    return false;
}

}  // namespace flowcfg
