#include "params/BoundField.h"

#include <gtest/gtest.h>

#include "params/FakeControls.h"
#include "params/VariableTable.h"
#include "texts/LanguageTable.h"

namespace flowcfg {
namespace {

using testing::FakeControl;
using testing::FakeFactory;

constexpr int kEdit = VariableDescriptor::kEdit;
constexpr int kList = VariableDescriptor::kList;
constexpr int kDisplay = VariableDescriptor::kDisplay;
constexpr int kBauds = 571;    // "300" ... "BlueTooth", "115200"
constexpr int kNoYes = 76;     // "No", "Yes"
constexpr int kCaption = 306;  // "N. JBus"
constexpr int kUnit = 368;     // "mm"

std::string textOf(int id, int language) {
    return LanguageTable().text(id, language);
}

TEST(BoundFieldTest, ControlsSitAtTheFieldsIdsWithTheirTexts) {
    FakeFactory factory;
    VariableTable table(LanguageTable::English);
    table.Register(2, 500, 0, kCaption, kEdit, 0, "27.9", kUnit, 0, 6, 10000, "%0.1f", 0x3000, 0,
                   0x1200);
    table.Register(510, 0, 0, kEdit, 0, "1", kUnit, 0, 0, 0, "%0.f", 0, -1, -1);
    table.Register(520, 0, kCaption, 0, 0, "", 0, 0, 0, 0, "", 0, -1, -1);  // caption only
    table.RegisterTab(2, 413);
    ASSERT_EQ(table.Build(&factory), 0);

    using Role = FieldControlSpec::Role;
    ASSERT_EQ(factory.created.size(), 6u);
    EXPECT_EQ(factory.created[0].role, Role::Caption);
    EXPECT_EQ(factory.created[1].role, Role::Value);
    EXPECT_EQ(factory.created[2].role, Role::Unit);
    EXPECT_EQ(factory.created[1].kind, kEdit);
    EXPECT_EQ(factory.created[1].tab, 2);
    EXPECT_EQ(factory.created[2].fieldId, 500);
    EXPECT_EQ(factory.at(500).shown, "N. JBus");
    EXPECT_EQ(factory.at(501).shown, "27.9");
    EXPECT_EQ(factory.at(501).format, "%0.1f");
    EXPECT_EQ(factory.at(501).high, 10000);
    EXPECT_EQ(factory.at(502).shown, "mm");
    EXPECT_EQ(factory.at(510).request.role, Role::Value);  // without caption: value at the id
    EXPECT_EQ(factory.at(511).request.role, Role::Unit);
    EXPECT_EQ(factory.at(520).request.role, Role::Caption);
    EXPECT_EQ(factory.tabTitles[2], "Pipe");

    // The value lives in the edit box: what the user types is what the field reads.
    factory.at(501).shown = "100.5";
    EXPECT_DOUBLE_EQ(table.FindField(500)->value(), 100.5);
    EXPECT_EQ(table.FindField(500)->integer(), 100);
}

TEST(BoundFieldTest, ListsShowTheirEntriesAndClampPositions) {
    FakeFactory factory;
    VariableTable table(LanguageTable::English);
    table.Register(600, 0, 0, kList, kBauds, 5, 0, 0, 0, 0, "%l", 0x3000, 2, 0x1000);
    table.Register(610, 0, 0, kList, kBauds, 4, 0, 0, 2, 3, "%l", 0x3000, 4, 0x1000);
    table.Register(620, VariableDescriptor::kWindowless, 0, kList, kBauds, 1, 0, 0, 0, 0, "%l",
                   0x3000, 6, 0x1000);
    table.Register(630, 0, 0, kDisplay, kNoYes, 1, 0, 0, 0, 0, "%l", 0x3000, 8, 0x1000);
    ASSERT_EQ(table.Build(&factory), 0);

    FakeControl& bauds = factory.at(600);
    EXPECT_EQ(bauds.items.size(), 8u);
    EXPECT_EQ(bauds.shown, "9600");
    BoundField& all = *table.FindField(600);
    all.setInteger(42);
    EXPECT_EQ(all.integer(), 7);
    EXPECT_EQ(bauds.shown, "115200");
    all.setInteger(-3);
    EXPECT_EQ(all.integer(), 0);
    bauds.select(6);  // the user picks "BlueTooth"
    EXPECT_EQ(all.integer(), 6);
    EXPECT_EQ(all.text(), "6");
    EXPECT_EQ(all.shownText(), "BlueTooth");

    // Entries 2, 3 and 4 shown: positions stay those of the whole list.
    FakeControl& part = factory.at(610);
    EXPECT_EQ(part.items, (std::vector<std::string>{"1200", "2400", "4800"}));
    EXPECT_EQ(part.shown, "4800");
    BoundField& some = *table.FindField(610);
    some.setInteger(7);
    EXPECT_EQ(some.integer(), 4);
    some.setInteger(0);
    EXPECT_EQ(some.integer(), 2);
    EXPECT_EQ(part.selection, 0);

    BoundField& hidden = *table.FindField(620);
    EXPECT_FALSE(hidden.hasWindow());
    hidden.setInteger(99);
    EXPECT_EQ(hidden.text(), "7");
    EXPECT_EQ(hidden.shownText(), "115200");

    // A display of an 'l' value shows the entry text and keeps the position.
    EXPECT_EQ(factory.at(630).shown, "Yes");
    std::vector<std::uint8_t> bytes(10, 0);
    table.Decode(0x1000, bytes);
    EXPECT_EQ(factory.at(630).shown, "No");
    EXPECT_EQ(table.FindField(630)->integer(), 0);
    EXPECT_EQ(bauds.shown, "300");
}

TEST(BoundFieldTest, PresentationFlagsAtCreationAndLater) {
    FakeFactory factory;
    VariableTable table(LanguageTable::English);
    auto add = [&](int id, int flags) {
        table.Register(id, flags, kCaption, kEdit, 0, "1", kUnit, 0, 0, 0, "%0.f", 0x3000, 0, 0x10);
    };
    add(700, VariableDescriptor::kHidden);
    add(710, VariableDescriptor::kHidden | VariableDescriptor::kNotPrinted);
    add(720, VariableDescriptor::kAllDisabled);
    add(730, VariableDescriptor::kValueDisabled);
    add(740, VariableDescriptor::kWindowless | VariableDescriptor::kNeverPrinted);
    ASSERT_EQ(table.Build(&factory), 0);

    for (int id : {700, 701, 702})
        EXPECT_FALSE(factory.at(id).visible) << id;
    EXPECT_FALSE(table.FindField(700)->isVisible());
    EXPECT_TRUE(factory.at(710).visible);
    EXPECT_FALSE(factory.at(711).visible);
    EXPECT_TRUE(factory.at(712).visible);
    for (int id : {720, 721, 722})
        EXPECT_FALSE(factory.at(id).enabled) << id;
    EXPECT_TRUE(factory.at(730).enabled);
    EXPECT_FALSE(factory.at(731).enabled);
    EXPECT_FALSE(factory.byId.count(740));
    EXPECT_FALSE(table.FindField(740)->hasWindow());
    EXPECT_EQ(table.FindField(740)->text(), "1");

    EXPECT_TRUE(table.FindField(700)->isPrinted());
    EXPECT_FALSE(table.FindField(710)->isPrinted());
    EXPECT_FALSE(table.FindField(740)->isPrinted());
    table.FindField(710)->setPrinted(true);
    EXPECT_TRUE(table.FindField(710)->isPrinted());
    table.FindField(740)->setPrinted(true);
    EXPECT_FALSE(table.FindField(740)->isPrinted());

    table.FindField(700)->show(true);
    table.FindField(720)->enable(true);
    for (int id : {700, 701, 702})
        EXPECT_TRUE(factory.at(id).visible) << id;
    for (int id : {720, 721, 722})
        EXPECT_TRUE(factory.at(id).enabled) << id;
}

TEST(BoundFieldTest, LanguagesReloadEveryText) {
    FakeFactory factory;
    VariableTable table(LanguageTable::English);
    table.Register(800, 0, kCaption, kList, kNoYes, 1, kUnit, 0, 0, 0, "%l", 0x3000, 0, 0x10);
    table.RegisterTab(0, 249);
    ASSERT_EQ(table.Build(&factory), 0);
    EXPECT_EQ(factory.at(801).shown, "Yes");
    EXPECT_EQ(factory.tabTitles[0], "General");

    ASSERT_EQ(table.SetLanguage(LanguageTable::German), 0);
    EXPECT_EQ(table.language(), LanguageTable::German);
    EXPECT_EQ(factory.at(800).shown, textOf(kCaption, LanguageTable::German));
    EXPECT_EQ(factory.at(801).items, LanguageTable().lookup(kNoYes, LanguageTable::German));
    EXPECT_EQ(factory.at(801).shown, textOf(kNoYes, LanguageTable::German) == "Nein" ? "Ja" : "?");
    EXPECT_EQ(table.FindField(800)->integer(), 1);
    EXPECT_EQ(factory.tabTitles[0], textOf(249, LanguageTable::German));

    EXPECT_EQ(table.SetLanguage(6), -1);
    EXPECT_EQ(table.SetLanguage(0), -1);
    EXPECT_EQ(table.language(), LanguageTable::German);
}

TEST(BoundFieldTest, DatesTypedIntoAnEditBoxAreWritten) {
    FakeFactory factory;
    VariableTable table;
    table.Register(950, 0, 0, kEdit, 0, "", 0, 0, 0, 0, "%s", 0x7000, 0, 0xE010);
    ASSERT_EQ(table.Build(&factory), 0);
    std::vector<std::uint8_t> clock = {24, 3, 7, 14, 5, 9}, bytes;
    table.Decode(0xE010, clock);
    EXPECT_EQ(factory.at(950).shown, "07/03/2024 - 14:05:09");
    factory.at(950).shown = "08/03/2024 - 09:30:00";
    table.Encode(0xE010, bytes, 6);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{24, 3, 8, 9, 30, 0}));
    factory.at(950).shown = "not a date";  // kept bytes go back as they came
    table.Encode(0xE010, bytes, 6);
    EXPECT_EQ(bytes, clock);
}

TEST(BoundFieldTest, AControlThatCannotBeCreatedStopsTheBuild) {
    FakeFactory factory;
    factory.failAt = 4;
    VariableTable table;
    for (int id : {900, 910, 920})
        table.Register(id, 0, kCaption, kEdit, 0, "1", kUnit, 0, 0, 0, "%0.f", 0x3000, 0, id);
    EXPECT_EQ(table.Build(&factory), -1);
    EXPECT_EQ(table.fields().size(), 2u);  // the fields built so far stay
    EXPECT_NE(table.FindField(900)->valueControl(), nullptr);
    EXPECT_NE(table.FindField(910)->captionControl(), nullptr);
    EXPECT_EQ(table.FindField(910)->valueControl(), nullptr);
    EXPECT_EQ(table.FindField(920), nullptr);

    // Built again without a window, every field is there.
    EXPECT_EQ(table.Build(nullptr), 0);
    EXPECT_EQ(table.fields().size(), 3u);
    EXPECT_EQ(table.blocks().size(), 3u);
}

}  // namespace
}  // namespace flowcfg
