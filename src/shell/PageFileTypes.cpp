#include "shell/PageFileTypes.h"

#include <cctype>

namespace flowcfg {
namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

const std::vector<int>& PageFileTypes::textIds() {
    static const std::vector<int> ids{224, 225, 226, 227, 228, 230, 231, 232, 233, 234};
    return ids;
}

PageFileTypes::Type PageFileTypes::split(int textId, const std::string& text) {
    auto bar = text.find('|');
    if (bar == std::string::npos) return {textId, text, ""};
    return {textId, text.substr(0, bar), text.substr(bar + 1)};
}

PageFileTypes::Type PageFileTypes::type(int textId) {
    return split(textId, texts_.text(textId, language_));
}

std::string PageFileTypes::filterEntry(const Type& type) {
    return type.name + " (*." + type.extension + ")|*." + type.extension + "|";
}

std::string PageFileTypes::combinedFilter(const std::vector<std::string>& extensions) {
    std::string patterns;
    for (const auto& extension : extensions) {
        if (!patterns.empty()) patterns += ';';
        patterns += "*." + extension;
    }
    return texts_.text(kFileTextId, language_) + " (" + patterns + ")|" + patterns + "|";
}

std::string PageFileTypes::openFilter() {
    std::vector<std::string> extensions;
    std::string entries;
    for (int id : textIds()) {
        Type t = type(id);
        if (t.extension.empty()) continue;
        extensions.push_back(t.extension);
        entries += filterEntry(t);
    }
    return combinedFilter(extensions) + entries + "|";
}

PageFileTypes::Type PageFileTypes::typeOfFile(std::string_view path) {
    auto slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    auto dot = name.find_last_of('.');
    if (dot != std::string_view::npos) {
        std::string_view extension = name.substr(dot + 1);
        for (int id : textIds()) {
            Type t = type(id);
            if (!t.extension.empty() && equalsNoCase(t.extension, extension)) return t;
        }
    }
    return {};
}

}  // namespace flowcfg
