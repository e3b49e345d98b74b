#include "shell/ComboItemList.h"

#include <gtest/gtest.h>

namespace flowcfg {
namespace {

const std::vector<std::string> kBauds{"300",  "600",  "1200",      "2400",
                                      "4800", "9600", "BlueTooth", "115200"};

TEST(ComboItemListTest, HiddenItemsKeepTheValuesOfTheOthers) {
    ComboItemList list;
    list.setItems(kBauds);
    ASSERT_EQ(list.setItemFlags(6, 0), 0);  // "BlueTooth" hidden
    EXPECT_EQ(list.shownTexts(),
              (std::vector<std::string>{"300", "600", "1200", "2400", "4800", "9600", "115200"}));
    EXPECT_EQ(list.rowOfValue(6), -1);
    EXPECT_EQ(list.rowOfValue(7), 6);
    EXPECT_EQ(list.valueAtRow(6), 7);
    EXPECT_EQ(list.textAtRow(6), "115200");
    // Selecting the hidden value lands on the next shown one.
    EXPECT_EQ(list.landingValue(6), 7);
    EXPECT_EQ(list.landingValue(5), 5);
}

TEST(ComboItemListTest, SelectionWrapsToTheStartAndRefusesWhatCannotBeShown) {
    ComboItemList list;
    list.setItems(kBauds);
    list.setItemFlags(7, 0);
    EXPECT_EQ(list.landingValue(7), 0);  // wraps
    EXPECT_EQ(list.landingValue(8), std::nullopt);
    EXPECT_EQ(list.landingValue(-1), std::nullopt);
    ASSERT_EQ(list.setAllFlags(std::vector<std::uint8_t>(8, 0)), 0);
    EXPECT_EQ(list.landingValue(3), std::nullopt);
    EXPECT_TRUE(list.shownTexts().empty());
    EXPECT_EQ(list.valueAtRow(0), 0);  // nothing shown: the first item's value
    EXPECT_EQ(ComboItemList().valueAtRow(0), 0);
    EXPECT_EQ(ComboItemList().textAtRow(0), "");
}

TEST(ComboItemListTest, FlagsMarkItemsAndRowsOutsideTheBoxMeanTheFirstShown) {
    ComboItemList list;
    list.setItems({"Oui", "Non", "Peut-être"});
    list.setItemFlags(0, ComboItemList::kShown | ComboItemList::kDashed);
    list.setItemFlags(1, ComboItemList::kShown | ComboItemList::kStarred);
    EXPECT_EQ(list.shownTexts(), (std::vector<std::string>{"------", "**Non**", "Peut-être"}));
    EXPECT_EQ(list.landingValue(0), 0);  // a dashed item can still be chosen
    EXPECT_EQ(list.textAtRow(1), "Non");
    list.setItemFlags(0, 0);
    EXPECT_EQ(list.valueAtRow(-1), 1);
    EXPECT_EQ(list.valueAtRow(9), 1);
    EXPECT_EQ(list.setItemFlags(3, 1), -1);
    // A flag list longer than the items changes nothing.
    EXPECT_EQ(list.setAllFlags({1, 1, 1, 1}), -1);
    EXPECT_EQ(list.rowOfValue(0), -1);
    EXPECT_EQ(list.setAllFlags({1}), 0);  // shorter: the rest keep theirs
    EXPECT_EQ(list.shownTexts(), (std::vector<std::string>{"Oui", "**Non**", "Peut-être"}));
}

}  // namespace
}  // namespace flowcfg
