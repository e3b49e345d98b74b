// The printed field list's layout: columns that fit the page, further pages, nothing clipped.
#include "shell/FieldListLayout.h"

#include <gtest/gtest.h>

#include <map>

namespace flowcfg {
namespace {

// Every character 5 points wide (6 in section titles), every line 12 points high.
struct FixedMetrics : ReportMetrics {
    double textWidth(const std::string& text, ReportStyle style) override {
        return double(text.size()) * (style == ReportStyle::Section ? 6 : 5);
    }
    double lineHeight(ReportStyle) override { return 12; }
};

std::string without(const std::string& text, char c) {
    std::string out;
    for (char x : text)
        if (x != c) out += x;
    return out;
}

// The rules every laid-out list keeps: everything inside the area, no two texts on top of each
// other, no title at the foot of a column, and each column that goes on with a tab's fields
// starting with that tab's title.
void expectWellLaidOut(const std::vector<ReportPage>& pages, const FieldListLayout::Area& area,
                       int columnCount) {
    FixedMetrics m;
    const double pitch = (area.width + FieldListLayout::kColumnGap) / columnCount;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const auto& texts = pages[p].texts;
        std::map<int, std::vector<const PlacedText*>> columns;
        for (const PlacedText& t : texts) {
            const double w = m.textWidth(t.text, t.style);
            EXPECT_GE(t.x, 0) << t.text;
            EXPECT_LE(t.x + w, area.width + 1e-9) << t.text;
            EXPECT_GE(t.y, area.top - 1e-9) << t.text;
            EXPECT_LE(t.y + 12, area.bottom + 1e-9) << t.text;
            for (const PlacedText& u : texts) {
                if (&u == &t) continue;
                const bool apart = t.x + w <= u.x || u.x + m.textWidth(u.text, u.style) <= t.x ||
                                   t.y + 12 <= u.y || u.y + 12 <= t.y;
                EXPECT_TRUE(apart) << "'" << t.text << "' over '" << u.text << "' page " << p;
            }
        }
        for (const PlacedText& t : texts)
            columns[int(t.x / pitch)].push_back(&t);
        for (auto& [column, list] : columns) {
            EXPECT_EQ(list.back()->style, ReportStyle::Body) << "a title ends a column";
            EXPECT_EQ(list.front()->style, ReportStyle::Section) << "page " << p;
        }
    }
}

std::vector<ReportLine> tabs(int sections, int groups, int fields, const std::string& caption) {
    PrintReport report;
    int n = 0;
    for (int s = 0; s < sections; ++s) {
        report.addSection("Tab " + std::to_string(s));
        for (int g = 0; g < groups; ++g) {
            if (groups > 1) report.addGroup("Group " + std::to_string(g));
            for (int f = 0; f < fields; ++f, ++n)
                report.addField(caption + std::to_string(n), "v" + std::to_string(n), "mm");
        }
    }
    return report.lines;
}

TEST(FieldListLayoutTest, ListsLongerThanAPageGoOnOverFurtherPages) {
    struct Case {
        const char* name;
        double width;
        std::vector<ReportLine> lines;
        int columns;
        std::size_t pages;
    };
    const Case cases[] = {
        {"short captions, three columns", 500, tabs(4, 3, 30, "F"), 3, 3},
        {"long captions, one column", 500, tabs(2, 1, 60, std::string(60, 'c')), 1, 3},
        {"two columns", 400, tabs(3, 2, 25, std::string(20, 'c')), 2, 2},
        {"one tab without groups", 500, tabs(1, 1, 200, "Field "), 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FixedMetrics metrics;
        const FieldListLayout::Area area{c.width, 60, 700};
        FieldListLayout layout(metrics, area);
        const auto pages = layout.lay(c.lines);
        EXPECT_EQ(layout.columns(), c.columns);
        EXPECT_EQ(pages.size(), c.pages);
        expectWellLaidOut(pages, area, layout.columns());
        // Every field exactly once, its value on its caption's line.
        std::map<std::string, std::vector<PlacedText>> placed;
        for (const ReportPage& page : pages)
            for (const PlacedText& t : page.texts)
                placed[t.text].push_back(t);
        for (const ReportLine& line : c.lines) {
            if (line.kind != ReportLine::Kind::Field) continue;
            ASSERT_EQ(placed[line.caption].size(), 1u) << line.caption;
            ASSERT_EQ(placed[line.value].size(), 1u) << line.value;
            EXPECT_EQ(placed[line.caption][0].y, placed[line.value][0].y);
            EXPECT_LT(placed[line.caption][0].x, placed[line.value][0].x);
        }
    }
}

TEST(FieldListLayoutTest, WrapsAtBlanksThenBetweenCharacters) {
    FixedMetrics metrics;
    FieldListLayout layout(metrics, {500, 60, 700});
    struct Case {
        std::string text;
        double width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"fits as it is", 100, {"fits as it is"}},
        {"", 100, {}},
        {"one two three four", 50, {"one two", "three four"}},
        {"abcdefghijkl mn", 25, {"abcde", "fghij", "kl mn"}},
        {"line\nbreak", 100, {"line break"}},
        {"\xc3\xa9\xc3\xa9\xc3\xa9", 10, {"\xc3\xa9", "\xc3\xa9", "\xc3\xa9"}},  // "ééé"
    };
    for (const Case& c : cases)
        EXPECT_EQ(layout.wrap(c.text, c.width, ReportStyle::Body), c.lines) << c.text;
}

TEST(FieldListLayoutTest, NothingIsClippedWhateverItsSize) {
    FixedMetrics metrics;
    const FieldListLayout::Area area{300, 60, 300};  // 20 lines a column
    PrintReport report;
    report.addSection("General");
    report.addField("Unit name", "KV420-P");
    const std::string huge(1500, 'x');  // 25 lines of 60 characters: more than a column
    report.addField("Description " + huge, "42", "m3/h");
    report.addSection(std::string(80, 's'));  // a title wider than the page
    report.addField("After", "1");
    FieldListLayout layout(metrics, area);
    const auto pages = layout.lay(report.lines);
    ASSERT_GE(pages.size(), 2u);
    std::string pieces;
    for (const ReportPage& page : pages)
        for (const PlacedText& t : page.texts) {
            EXPECT_LE(t.x + metrics.textWidth(t.text, t.style), area.width + 1e-9) << t.text;
            EXPECT_LE(t.y + 12, area.bottom + 1e-9) << t.text;
            if (t.text.find('x') != std::string::npos) pieces += t.text;
        }
    EXPECT_EQ(without(pieces, ' '), huge);
}

}  // namespace
}  // namespace flowcfg
