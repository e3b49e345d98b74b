#include "params/ParameterComparison.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/TempDir.h"
#include "params/ParameterControls.h"
#include "params/ParamsTestSupport.h"

namespace flowcfg {
namespace {

using testing::OfflinePage;
using testing::ScriptedPrompts;
using testing::TempDir;

// Saves a set laid out for `options` whose structural fields agree with them.
void saveSet(const std::string& path, const LayoutOptions& options,
             const std::function<void(VariableTable&)>& edit = {}) {
    OfflinePage page(options);
    VariableTable& t = page.page.table();
    t.FindField(ctl::kPipes)->setInteger(options.pipes);
    t.FindField(ctl::kLevel)->setInteger(options.level);
    if (edit) edit(t);
    ASSERT_EQ(page.page.SaveParameterSet(path), 0);
}

std::unique_ptr<ParameterPage> open(const std::string& path, ScriptedPrompts& prompts) {
    return ParameterComparison::OpenSettingsFile(path, prompts, testing::kEnglish);
}

const ParameterRow* rowOf(const std::vector<ParameterRow>& rows, int controlId) {
    for (const ParameterRow& row : rows)
        if (row.controlId == controlId) return &row;
    return nullptr;
}

const ParameterDifference* differenceOf(const std::vector<ParameterDifference>& differences,
                                        int controlId) {
    for (const ParameterDifference& d : differences)
        if (d.controlId == controlId) return &d;
    return nullptr;
}

TEST(ParameterComparisonTest, ListsTheChangedFieldsInTabOrderWithTheirUnits) {
    TempDir dir;
    const int diameter = ctl::pipeField(0, ctl::pipe::kDiameter);
    const int unit = ctl::totalizerField(1, ctl::totalizer::kUnit);
    saveSet(dir.file("a.eta"), LayoutOptions{});
    saveSet(dir.file("b.eta"), LayoutOptions{}, [&](VariableTable& t) {
        t.FindField(unit)->setInteger(0);
        t.FindField(diameter)->setValue(512.3);
    });
    ScriptedPrompts prompts;
    auto a = open(dir.file("a.eta"), prompts);
    auto b = open(dir.file("b.eta"), prompts);
    ASSERT_TRUE(a && b);
    EXPECT_TRUE(prompts.errors.empty());

    EXPECT_TRUE(ParameterComparison::Compare(*a, *a).empty());
    auto same = open(dir.file("a.eta"), prompts);
    EXPECT_TRUE(ParameterComparison::Compare(*a, *same).empty());

    // The pipe's tab comes before the totalizers', whatever order the edits were made in.
    const auto rowsA = ParameterRows::Rows(*a);
    auto differences = ParameterComparison::Compare(*a, *b);
    ASSERT_EQ(differences.size(), 2u);
    EXPECT_EQ(differences[0].controlId, diameter);
    EXPECT_EQ(differences[0].tab, "Pipe");
    EXPECT_EQ(differences[0].caption, "Ext. Diameter");
    EXPECT_EQ(differences[0].value, ParameterComparison::ValueWithUnit(*rowOf(rowsA, diameter)));
    EXPECT_EQ(differences[0].otherValue, "512.3 mm");
    EXPECT_EQ(differences[1].controlId, unit);
    EXPECT_EQ(differences[1].caption, "Totalizer 2: Unit");
    EXPECT_EQ(differences[1].otherValue, " ml");
    EXPECT_NE(differences[1].value, differences[1].otherValue);

    // Turned round, the same fields with the sides swapped.
    auto back = ParameterComparison::Compare(*b, *a);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].value, differences[0].otherValue);
    EXPECT_EQ(back[0].otherValue, differences[0].value);

    // A set's unsaved changes count: the comparison reads the fields as they are now.
    b->table().FindField(diameter)->setText(rowOf(rowsA, diameter)->value);
    b->table().FindField(unit)->setInteger(a->table().FindField(unit)->integer());
    EXPECT_TRUE(ParameterComparison::Compare(*a, *b).empty());
}

TEST(ParameterComparisonTest, SetsOfOtherLayoutsDifferInTheirLayoutFieldsAndNamedAsTheFirst) {
    TempDir dir;
    LayoutOptions one;
    LayoutOptions two;
    two.pipes = 2;
    two.level = LayoutOptions::kAdvanced;
    two.modules[2] = 2;
    saveSet(dir.file("one.eta"), one);
    saveSet(dir.file("two.eta"), two);
    ScriptedPrompts prompts;
    auto a = open(dir.file("one.eta"), prompts);
    auto b = open(dir.file("two.eta"), prompts);
    ASSERT_TRUE(a && b);
    ASSERT_EQ(b->options().pipes, 2);

    auto differences = ParameterComparison::Compare(*a, *b);
    const ParameterDifference* pipes = differenceOf(differences, ctl::kPipes);
    ASSERT_NE(pipes, nullptr);
    EXPECT_EQ(pipes->value, "1");
    EXPECT_EQ(pipes->otherValue, "2");
    const ParameterDifference* level = differenceOf(differences, ctl::kLevel);
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->value, "Simple");
    EXPECT_EQ(level->otherValue, "Advanced");
    // Pipe A's fields are the same values under "Pipe" here and "Pipe A" there: no difference.
    EXPECT_EQ(differenceOf(differences, ctl::pipeField(0, ctl::pipe::kDiameter)), nullptr);

    // Every difference is a field whose shown value differs, in the first set's order.
    const auto rowsA = ParameterRows::Rows(*a), rowsB = ParameterRows::Rows(*b);
    std::size_t previous = 0;
    for (const ParameterDifference& d : differences) {
        const ParameterRow* mine = rowOf(rowsA, d.controlId);
        const ParameterRow* theirs = rowOf(rowsB, d.controlId);
        ASSERT_TRUE(mine && theirs) << d.controlId;
        EXPECT_EQ(d.tab, mine->tab);
        EXPECT_TRUE(mine->value != theirs->value || mine->unit != theirs->unit) << d.caption;
        const std::size_t at = std::size_t(mine - rowsA.data());
        EXPECT_GE(at, previous) << d.caption;
        previous = at;
    }
    EXPECT_EQ(ParameterComparison::Compare(*b, *a).size(), differences.size());
}

ParameterRow row(int id, const std::string& value, const std::string& unit = {}) {
    return ParameterRow{id, "Tab " + std::to_string(id / 10), "Field " + std::to_string(id), value,
                        unit};
}

TEST(ParameterComparisonTest, AFieldOnlyOneSetHasIsADifferenceWhereItStands) {
    const std::vector<ParameterRow> set = {row(10, "1"), row(11, "x"), row(20, "5", "mm"),
                                           row(30, "a")};
    const std::vector<ParameterRow> other = {row(10, "1"), row(15, "new"), row(20, "5", "m"),
                                             row(30, "a"), row(40, "7", "s")};
    auto differences = ParameterComparison::Compare(set, other);
    std::vector<int> ids;
    for (const ParameterDifference& d : differences)
        ids.push_back(d.controlId);
    EXPECT_EQ(ids, (std::vector<int>{11, 15, 20, 40}));
    ASSERT_EQ(differences.size(), 4u);
    EXPECT_EQ(differences[0].value, "x");
    EXPECT_EQ(differences[0].otherValue, "");
    EXPECT_EQ(differences[1].tab, "Tab 1");
    EXPECT_EQ(differences[1].caption, "Field 15");
    EXPECT_EQ(differences[1].value, "");
    EXPECT_EQ(differences[1].otherValue, "new");
    EXPECT_EQ(differences[2].value, "5 mm");  // the same number in another unit
    EXPECT_EQ(differences[2].otherValue, "5 m");
    EXPECT_EQ(differences[3].otherValue, "7 s");
    EXPECT_TRUE(ParameterComparison::Compare(set, set).empty());
}

TEST(ParameterComparisonTest, AFileThatCannotBeReadIsReportedAndGivesNoSet) {
    TempDir dir;
    saveSet(dir.file("good.eta"), LayoutOptions{});
    const std::string good = testing::readFile(dir.file("good.eta"));
    testing::writeFile(dir.file("text.eta"), "not a settings file at all");
    testing::writeFile(dir.file("cut.eta"), good.substr(0, good.size() - 40));

    ScriptedPrompts prompts;
    EXPECT_EQ(open(dir.file("none.eta"), prompts), nullptr);
    EXPECT_EQ(open(dir.file("text.eta"), prompts), nullptr);
    EXPECT_EQ(open(dir.file("cut.eta"), prompts), nullptr);
    ASSERT_EQ(prompts.errors.size(), 3u);
    EXPECT_EQ(prompts.errors[0].text, "Couldn't open source file : " + dir.file("none.eta"));
    EXPECT_EQ(prompts.errors[1].text, "Incorrect File (" + dir.file("text.eta") + ")");
    EXPECT_EQ(prompts.errors[2].text.rfind("Incorrect File", 0), 0u) << prompts.errors[2].text;
    for (const auto& error : prompts.errors)
        EXPECT_EQ(error.title, "Error");
    EXPECT_NE(open(dir.file("good.eta"), prompts), nullptr);
    EXPECT_EQ(prompts.errors.size(), 3u);
}

}  // namespace
}  // namespace flowcfg
