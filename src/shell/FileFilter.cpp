#include "shell/FileFilter.h"

namespace flowcfg {
namespace {

std::string_view trim(std::string_view s) {
    auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::vector<FileFilterEntry> parseFileFilter(std::string_view filter) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start <= filter.size()) {
        auto bar = filter.find('|', start);
        if (bar == std::string_view::npos) {
            fields.push_back(filter.substr(start));
            break;
        }
        fields.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<FileFilterEntry> entries;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].empty()) break;
        if (trim(fields[i + 1]).empty()) continue;
        entries.push_back({std::string(fields[i]), std::string(trim(fields[i + 1]))});
    }
    return entries;
}

std::vector<std::string> splitPatterns(std::string_view patterns) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= patterns.size()) {
        auto semi = patterns.find(';', start);
        auto piece = trim(patterns.substr(
            start, semi == std::string_view::npos ? std::string_view::npos : semi - start));
        if (!piece.empty()) out.emplace_back(piece);
        if (semi == std::string_view::npos) break;
        start = semi + 1;
    }
    return out;
}

}  // namespace flowcfg
