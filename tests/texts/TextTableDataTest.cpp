// Checks over the whole table that catch faults in the data: a language that lost an entry, a
// list that is shorter in one language, a menu text without its accelerator, a message that lost
// its line breaks or the blank the program joins it with.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "texts/LanguageTable.h"
#include "texts/TextRows.h"

namespace flowcfg {
namespace {

using Entry = std::vector<std::string>;

constexpr int kLanguages[] = {LanguageTable::French, LanguageTable::English,
                              LanguageTable::Portuguese, LanguageTable::German,
                              LanguageTable::Spanish};
constexpr int kOnlyFrenchId = 582;  // "Zones" in French, empty in the other languages

Entry entryOf(int id, int language) {
    LanguageTable table;
    return table.lookup(id, language);
}

std::string where(int id, int language, std::size_t position = 0) {
    return "id " + std::to_string(id) + " language " + std::to_string(language) + " position " +
           std::to_string(position);
}

bool isValidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2) return false;
        i += length;
    }
    return true;
}

TEST(TextTableDataTest, EveryIdAnswersInEveryLanguageWithListsOfOneLength) {
    for (int id = LanguageTable::kFirstId; id <= LanguageTable::kLastId; ++id) {
        const Entry english = entryOf(id, LanguageTable::English);
        ASSERT_FALSE(english.empty()) << where(id, LanguageTable::English);
        for (int language : kLanguages) {
            const Entry entry = entryOf(id, language);
            EXPECT_EQ(entry.size(), english.size()) << where(id, language);
            for (std::size_t position = 0; position < entry.size(); ++position)
                EXPECT_TRUE(isValidUtf8(entry[position])) << where(id, language, position);
        }
    }
}

TEST(TextTableDataTest, NoLanguageLacksATextTheOthersHave) {
    for (int id = LanguageTable::kFirstId; id <= LanguageTable::kLastId; ++id) {
        const Entry english = entryOf(id, LanguageTable::English);
        for (int language : kLanguages) {
            const Entry entry = entryOf(id, language);
            for (std::size_t position = 0; position < std::min(entry.size(), english.size());
                 ++position) {
                bool onlyFrench = id == kOnlyFrenchId && language == LanguageTable::French;
                EXPECT_EQ(entry[position].empty(), english[position].empty() && !onlyFrench)
                    << where(id, language, position);
            }
        }
    }
}

TEST(TextTableDataTest, MenuTextsCarryOneAcceleratorInEveryLanguage) {
    const std::set<int> menuIds = {347, 351, 353, 354, 357, 358, 360, 361, 363, 366, 367, 369, 370,
                                   371, 373, 380, 381, 383, 384, 385, 387, 388, 389, 390, 391};
    for (int id = LanguageTable::kFirstId; id <= LanguageTable::kLastId; ++id) {
        for (int language : kLanguages) {
            const Entry entry = entryOf(id, language);
            for (std::size_t position = 0; position < entry.size(); ++position) {
                auto markers = std::count(entry[position].begin(), entry[position].end(), '&');
                EXPECT_EQ(markers, menuIds.count(id) && position == 0 ? 1 : 0)
                    << where(id, language, position) << " " << entry[position];
            }
        }
    }
}

TEST(TextTableDataTest, LineBreaksAndJoiningBlanksAreKeptInEveryLanguage) {
    // 509 is a field label: its English trailing blank joins nothing, and its French has none.
    const int labelWithStrayBlank = 509;
    for (int id = LanguageTable::kFirstId; id <= LanguageTable::kLastId; ++id) {
        const Entry english = entryOf(id, LanguageTable::English);
        for (int language : kLanguages) {
            const Entry entry = entryOf(id, language);
            for (std::size_t position = 0; position < std::min(entry.size(), english.size());
                 ++position) {
                const std::string& text = entry[position];
                const std::string& reference = english[position];
                if (reference.empty()) continue;
                auto count = [](const std::string& s, char c) {
                    return std::count(s.begin(), s.end(), c);
                };
                EXPECT_EQ(count(text, '\n'), count(reference, '\n'))
                    << where(id, language, position);
                EXPECT_EQ(count(text, '\r'), count(reference, '\r'))
                    << where(id, language, position);
                EXPECT_EQ(text.front() == ' ', reference.front() == ' ')
                    << where(id, language, position);
                if (id != labelWithStrayBlank) {
                    EXPECT_EQ(text.back() == ' ', reference.back() == ' ')
                        << where(id, language, position) << " [" << text << "]";
                }
            }
        }
    }
}

TEST(TextTableDataTest, EveryIdIsEitherSharedOrGivenByEachLanguage) {
    const std::vector<std::span<const texts::TextRow>> languages = {
        texts::frenchRows(), texts::englishRows(), texts::portugueseRows(), texts::germanRows(),
        texts::spanishRows()};
    auto idsOf = [](std::span<const texts::TextRow> rows) {
        std::set<int> ids;
        for (const auto& row : rows)
            ids.insert(row.id);
        return ids;
    };
    const std::set<int> shared = idsOf(texts::sharedRows());
    const std::set<int> english = idsOf(texts::englishRows());
    for (const auto& rows : languages)
        EXPECT_EQ(idsOf(rows), english);
    for (int id = LanguageTable::kFirstId; id <= LanguageTable::kLastId; ++id)
        EXPECT_NE(shared.count(id), english.count(id)) << "id " << id;

    // A text copied into all five language tables belongs in the shared table: more likely an
    // untranslated copy than a word that happens to be the same everywhere.
    for (int id : english) {
        std::set<Entry> distinct;
        for (int language : kLanguages)
            distinct.insert(entryOf(id, language));
        EXPECT_GT(distinct.size(), 1u) << "id " << id << " is the same in every language";
    }
}

TEST(TextTableDataTest, FileTypesNameTheirExtensionInEveryLanguage) {
    const std::vector<std::pair<int, std::string>> fileTypes = {
        {224, "eta"}, {225, "fct"}, {226, "bq"},  {227, "log"},     {228, "mes"},
        {230, "prn"}, {231, "rsp"}, {232, "rus"}, {234, "trameSpi"}};
    LanguageTable table;
    for (int language : kLanguages) {
        for (const auto& [id, extension] : fileTypes) {
            std::string text = table.text(id, language);
            auto bar = text.find('|');
            ASSERT_NE(bar, std::string::npos) << where(id, language);
            EXPECT_GT(bar, 0u) << where(id, language);
            EXPECT_EQ(text.substr(bar + 1), extension) << where(id, language);
        }
        // The special probe files are "sp" in French and Portuguese, "ssp" elsewhere.
        std::string probe = table.text(233, language);
        bool shortExtension =
            language == LanguageTable::French || language == LanguageTable::Portuguese;
        EXPECT_EQ(probe.substr(probe.find('|') + 1), shortExtension ? "sp" : "ssp");
        EXPECT_EQ(table.text(229, language).find('|'), std::string::npos);
    }
}

TEST(TextTableDataTest, LoggerChartPositionsNameTheSameQuantityInEveryLanguage) {
    // The logger's spreadsheet charts name pipe values 2, 7, 12, 17 and 22 (the pipe velocity and
    // the velocities of chords 1 to 4), statistic 1 and general value 1.
    LanguageTable table;
    for (int language : kLanguages) {
        std::string velocity = table.item(51, 2, language);
        ASSERT_FALSE(velocity.empty());
        for (int position : {7, 12, 17, 22}) {
            std::string chord = table.item(51, position, language);
            EXPECT_EQ(chord.rfind(velocity + " C", 0), 0u) << where(51, language, position);
            EXPECT_EQ(chord.back(), char('0' + (position - 2) / 5)) << chord;
        }
        EXPECT_FALSE(table.item(99, 1, language).empty());
        EXPECT_FALSE(table.item(52, 1, language).empty());
        EXPECT_EQ(table.lookup(53, language).size(), 13u);
    }
}

}  // namespace
}  // namespace flowcfg
