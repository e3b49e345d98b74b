#include <gtest/gtest.h>

#include "texts/LanguageTable.h"

namespace flowcfg {
namespace {

using Entry = std::vector<std::string>;

TEST(LanguageTableTest, OutOfRangeIdsAndLanguagesGiveOneEmptyString) {
    LanguageTable table;
    EXPECT_EQ(table.lookup(0, LanguageTable::French), Entry{""});
    EXPECT_EQ(table.lookup(583, LanguageTable::French), Entry{""});
    EXPECT_EQ(table.lookup(-7, LanguageTable::English), Entry{""});
    EXPECT_EQ(table.lookup(10, 6), Entry{""});
    EXPECT_EQ(table.lookup(84, 99), Entry{""});
    EXPECT_EQ(table.text(0, LanguageTable::French), "");
    EXPECT_EQ(table.text(583, LanguageTable::French), "");
    EXPECT_EQ(table.item(84, 0, 6), "");
}

TEST(LanguageTableTest, LanguageZeroOrBelowGivesAnEmptyListAndNothingBreaks) {
    LanguageTable table;
    EXPECT_TRUE(table.lookup(84, 0).empty());
    EXPECT_TRUE(table.lookup(1, -1).empty());
    EXPECT_EQ(table.text(212, 0), "");
    EXPECT_EQ(table.item(84, 0, 0), "");
    // An id outside the table still answers with its single empty string.
    EXPECT_EQ(table.lookup(0, 0), Entry{""});
}

TEST(LanguageTableTest, FirstAndLastIdsAnswer) {
    LanguageTable table;
    EXPECT_EQ(table.text(1, LanguageTable::French), "0 Hz");
    EXPECT_EQ(table.text(582, LanguageTable::French), "Zones");
    EXPECT_EQ(table.text(582, LanguageTable::English), "");
    for (int language : {LanguageTable::English, LanguageTable::Portuguese, LanguageTable::German,
                         LanguageTable::Spanish}) {
        EXPECT_EQ(table.lookup(582, language), Entry{""}) << language;
    }
}

TEST(LanguageTableTest, ItemsFollowTheListAndStopAtItsEnd) {
    LanguageTable table;
    EXPECT_EQ(table.item(84, 0, LanguageTable::English), "Yes");
    EXPECT_EQ(table.item(84, 1, LanguageTable::English), "No");
    EXPECT_EQ(table.item(84, 2, LanguageTable::English), "");
    EXPECT_EQ(table.item(84, -1, LanguageTable::English), "");
    EXPECT_EQ(table.item(84, 1, LanguageTable::French), "Non");
    // A single-string entry has only position 0.
    EXPECT_EQ(table.item(212, 0, LanguageTable::German), "Fehler");
    EXPECT_EQ(table.item(212, 1, LanguageTable::German), "");
}

TEST(LanguageTableTest, EachLookupRebuildsTheOneEntryTheObjectHolds) {
    LanguageTable table;
    const Entry& yesNo = table.lookup(84, LanguageTable::French);
    EXPECT_EQ(yesNo, (Entry{"Oui", "Non"}));
    const Entry& error = table.lookup(212, LanguageTable::French);
    EXPECT_EQ(&yesNo, &error);  // the reusable list: copy before the next lookup
    EXPECT_EQ(error, Entry{"Erreur"});
    EXPECT_EQ(table.languageCount(), 5);
    table.lookup(0, 9);
    EXPECT_EQ(table.languageCount(), LanguageTable::kLanguages);
}

TEST(LanguageTableTest, TableObjectsAreIndependent) {
    LanguageTable first, second;
    const Entry& ports = first.lookup(138, LanguageTable::English);
    second.lookup(84, LanguageTable::English);
    ASSERT_EQ(ports.size(), 255u);
    EXPECT_EQ(ports.front(), "Com 1");
    EXPECT_EQ(ports.back(), "Com 255");
}

}  // namespace
}  // namespace flowcfg
