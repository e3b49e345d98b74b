#pragma once

#include <span>

#include "texts/LanguageTable.h"

// The constant rows behind LanguageTable: one table per language plus one for the texts that are
// the same in every language. Each table is sorted by id; the rows of one id, in order, are the
// strings of that id's entry.
namespace flowcfg::texts {

struct TextRow {
    int id;
    const char* text;
};

// Ids within the table's range and never decreasing, every text present: what the lookup's
// binary search relies on. Checked at compile time by every data file.
constexpr bool rowsAreValid(std::span<const TextRow> rows) {
    int previous = LanguageTable::kFirstId;
    for (const TextRow& row : rows) {
        if (row.id < previous || row.id > LanguageTable::kLastId || row.text == nullptr)
            return false;
        previous = row.id;
    }
    return true;
}

std::span<const TextRow> frenchRows();
std::span<const TextRow> englishRows();
std::span<const TextRow> portugueseRows();
std::span<const TextRow> germanRows();
std::span<const TextRow> spanishRows();
std::span<const TextRow> sharedRows();

}  // namespace flowcfg::texts
