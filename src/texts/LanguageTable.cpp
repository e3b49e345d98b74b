#include "texts/LanguageTable.h"

#include <algorithm>
#include <span>

#include "texts/TextRows.h"

namespace flowcfg {
namespace {

using texts::TextRow;

std::span<const TextRow> languageRows(int language) {
    switch (language) {
        case LanguageTable::French:
            return texts::frenchRows();
        case LanguageTable::English:
            return texts::englishRows();
        case LanguageTable::Portuguese:
            return texts::portugueseRows();
        case LanguageTable::German:
            return texts::germanRows();
        case LanguageTable::Spanish:
            return texts::spanishRows();
        default:
            return {};
    }
}

std::span<const TextRow> rowsOfId(std::span<const TextRow> rows, int id) {
    // The rows are sorted by id; std::ranges::equal_range is avoided because clang 14 cannot
    // compile it against libstdc++ 12, and the fuzz build uses clang.
    struct ById {
        bool operator()(const TextRow& row, int value) const { return row.id < value; }
        bool operator()(int value, const TextRow& row) const { return value < row.id; }
    };
    auto [first, last] = std::equal_range(rows.begin(), rows.end(), id, ById{});
    return {first, last};
}

// An id lives either in each language's own table or, once, in the shared table.
std::span<const TextRow> entryRows(int id, int language) {
    if (language < LanguageTable::French) return {};
    auto own = rowsOfId(languageRows(language), id);
    return own.empty() ? rowsOfId(texts::sharedRows(), id) : own;
}

}  // namespace

const std::vector<std::string>& LanguageTable::lookup(int id, int language) {
    entry_.clear();
    languageCount_ = kLanguages;
    if (language > kLanguages || id < kFirstId || id > kLastId) {
        entry_.emplace_back();
        return entry_;
    }
    for (const TextRow& row : entryRows(id, language))
        entry_.emplace_back(row.text);
    return entry_;
}

std::string LanguageTable::text(int id, int language) {
    const auto& entry = lookup(id, language);
    return entry.empty() ? std::string() : entry.front();
}

std::string LanguageTable::item(int id, int position, int language) {
    const auto& entry = lookup(id, language);
    if (position < 0 || position >= static_cast<int>(entry.size())) return {};
    return entry[static_cast<std::size_t>(position)];
}

}  // namespace flowcfg
