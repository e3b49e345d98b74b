#include "shell/PageFileTypes.h"

#include <gtest/gtest.h>

#include "shell/FileFilter.h"

namespace flowcfg {
namespace {

TEST(PageFileTypesTest, TypesSplitAtTheFirstBar) {
    auto t = PageFileTypes::split(224, "Setting File|eta");
    EXPECT_EQ(t.name, "Setting File");
    EXPECT_EQ(t.extension, "eta");
    EXPECT_EQ(PageFileTypes::filterEntry(t), "Setting File (*.eta)|*.eta|");
    auto plain = PageFileTypes::split(229, "PRN File");
    EXPECT_EQ(plain.name, "PRN File");
    EXPECT_EQ(plain.extension, "");
    EXPECT_EQ(PageFileTypes::split(1, "a|b|c").extension, "b|c");
}

TEST(PageFileTypesTest, OpenFilterListsEveryTypeAfterAllOfThem) {
    PageFileTypes english(2);
    auto entries = parseFileFilter(english.openFilter());
    ASSERT_EQ(entries.size(), 11u);
    EXPECT_EQ(entries[0].description,
              "File (*.eta;*.fct;*.bq;*.log;*.mes;*.prn;*.rsp;*.rus;*.ssp;*.trameSpi)");
    EXPECT_EQ(entries[0].patterns,
              "*.eta;*.fct;*.bq;*.log;*.mes;*.prn;*.rsp;*.rus;*.ssp;*.trameSpi");
    EXPECT_EQ(entries[1], (FileFilterEntry{"Setting File (*.eta)", "*.eta"}));
    EXPECT_EQ(entries[10], (FileFilterEntry{"SPI File (*.trameSpi)", "*.trameSpi"}));
    // The special probe's extension follows the language.
    EXPECT_EQ(PageFileTypes(1).type(233).extension, "sp");
    EXPECT_EQ(english.type(233).extension, "ssp");
}

TEST(PageFileTypesTest, ExtensionOfAChosenFileNamesItsPage) {
    PageFileTypes french(1);
    EXPECT_EQ(french.typeOfFile("/data/site.eta").textId, 224);
    EXPECT_EQ(french.typeOfFile("/data/x.y/site.TRAMESPI").textId, 234);
    EXPECT_EQ(french.typeOfFile("/data/probe.sp").textId, 233);
    EXPECT_EQ(french.typeOfFile("/data/probe.ssp").textId, -1);
    EXPECT_EQ(french.typeOfFile("/data.eta/site").textId, -1);
    EXPECT_EQ(french.typeOfFile("noext").textId, -1);
    EXPECT_EQ(french.combinedFilter({"eta", "rsp", "fct"}),
              "Fichier (*.eta;*.rsp;*.fct)|*.eta;*.rsp;*.fct|");
}

TEST(FileFilterTest, PairsUpToTheEmptyOne) {
    auto entries = parseFileFilter("Config File (*.x)|*.x||ignored|*.y|");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], (FileFilterEntry{"Config File (*.x)", "*.x"}));
    EXPECT_EQ(parseFileFilter("*.exe|*.exe||").size(), 1u);
    EXPECT_TRUE(parseFileFilter("").empty());
    EXPECT_TRUE(parseFileFilter("no patterns||").empty());
    EXPECT_EQ(parseFileFilter("a|*.a|b|*.b").size(), 2u);  // without the closing pair
    EXPECT_EQ(splitPatterns(" *.eta ; *.fct;;"), (std::vector<std::string>{"*.eta", "*.fct"}));
}

}  // namespace
}  // namespace flowcfg
