#include "acquisition/SheetNames.h"

#include "acquisition/WorkbookFields.h"

namespace flowcfg {
namespace {

constexpr std::size_t kMaxLength = 31;

std::string folded(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

// The first `count` characters of valid UTF-8 `text`.
std::string firstCharacters(const std::string& text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (seen == count) return text.substr(0, i);
        ++seen;
    }
    return text;
}

std::string cleaned(std::string_view wished) {
    std::string name;
    for (char c : workbookText(wished)) {
        bool refused = c == '[' || c == ']' || c == ':' || c == '*' || c == '?' || c == '/' ||
                       c == '\\' || c == '\t';
        name.push_back(refused ? '_' : c);
    }
    while (!name.empty() && (name.front() == '\'' || name.front() == ' '))
        name.erase(0, 1);
    name = firstCharacters(name, kMaxLength);
    while (!name.empty() && (name.back() == '\'' || name.back() == ' '))
        name.pop_back();
    if (folded(name) == "history") name += "_";
    return name;
}

}  // namespace

bool SheetNames::taken(const std::string& name) const {
    for (const std::string& other : names_)
        if (folded(other) == folded(name)) return true;
    return false;
}

std::string SheetNames::take(std::string_view wished, std::string_view fallback) {
    std::string base = cleaned(wished);
    if (base.empty()) base = cleaned(fallback);
    if (base.empty()) base = "Sheet";
    std::string name = base;
    for (int n = 2; taken(name); ++n) {
        std::string suffix = " (" + std::to_string(n) + ")";
        name = firstCharacters(base, kMaxLength - suffix.size()) + suffix;
    }
    names_.push_back(name);
    return name;
}

}  // namespace flowcfg
