#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace flowcfg {

// One entry of a file dialog's filter: "Setting File (*.eta)" and "*.eta". Several patterns
// are separated by ';' ("*.eta;*.fct").
struct FileFilterEntry {
    std::string description;
    std::string patterns;
    bool operator==(const FileFilterEntry&) const = default;
};

// The entries of a filter written as "description|patterns|" pairs ended by an empty pair
// ("Config File (*.x)|*.x||"). Parsing stops at the first empty description; an entry
// without patterns is dropped.
std::vector<FileFilterEntry> parseFileFilter(std::string_view filter);

// The patterns of an entry one by one, without blanks ("*.eta;*.fct" -> "*.eta", "*.fct").
std::vector<std::string> splitPatterns(std::string_view patterns);

}  // namespace flowcfg
