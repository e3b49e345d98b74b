#pragma once

#include <string>
#include <vector>

namespace flowcfg {

// Every text the user sees, by text id (1 ... 582) and language code. An entry is a list of
// strings: its first string is the text, and all of them fill drop-down lists and tab rows, the
// position in the list being the value the program stores. The texts are constants built into the
// program; the object itself only holds the entry of the last lookup, so a caller copies what it
// needs before looking up the next id on the same object.
class LanguageTable {
public:
    static constexpr int kFirstId = 1, kLastId = 582, kLanguages = 5;
    enum Language { French = 1, English = 2, Portuguese = 3, German = 4, Spanish = 5 };

    // The entry of `id` in `language`. A language above 5 or an id outside 1 ... 582 gives a
    // single empty string; a language of 0 or below (never produced by the program) gives an
    // empty list.
    const std::vector<std::string>& lookup(int id, int language);
    // The first string of the entry, "" when the entry is empty.
    std::string text(int id, int language);
    // The string at `position` of the entry, "" when the position is outside the list.
    std::string item(int id, int position, int language);
    int languageCount() const { return languageCount_; }

private:
    std::vector<std::string> entry_;
    int languageCount_ = kLanguages;
};

}  // namespace flowcfg
