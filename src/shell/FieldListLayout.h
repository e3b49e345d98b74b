#pragma once

#include <string>
#include <vector>

#include "shell/PrintReport.h"

namespace flowcfg {

// The three kinds of text of a printed field list: fields, the titles of their tabs (sections)
// and the titles of the groups inside a tab.
enum class ReportStyle { Body, Section, Group };

// How wide and how high text comes out on the printer, in points.
class ReportMetrics {
public:
    virtual ~ReportMetrics() = default;
    virtual double textWidth(const std::string& text, ReportStyle style) = 0;
    // The distance from one line of text to the next.
    virtual double lineHeight(ReportStyle style) = 0;
};

// One piece of text at its place on a page: (x, y) is the top-left corner, in points from the
// top-left corner of the printable area.
struct PlacedText {
    double x = 0;
    double y = 0;
    std::string text;
    ReportStyle style = ReportStyle::Body;
};

// A horizontal line under a section title.
struct PlacedRule {
    double x1 = 0;
    double x2 = 0;
    double y = 0;
};

struct ReportPage {
    std::vector<PlacedText> texts;
    std::vector<PlacedRule> rules;
};

// Lays a field list out on pages: every field as caption, value and unit in three aligned
// columns, under the title of its tab and of its group; as many such columns side by side (up
// to three) as leave room for nearly every caption; the columns filled from top to bottom, then the
// next column, then a further page. Nothing is clipped: a caption or value wider than its column
// goes on over further lines, a title is never left alone at the foot of a column, and a
// column that goes on with the fields of a tab starts with that tab's (and group's) title
// again. A group line without a title ends the group before it.
class FieldListLayout {
public:
    // Where the field list goes on each page, in points.
    struct Area {
        double width = 0;   // of the printable area
        double top = 0;     // the first line's top
        double bottom = 0;  // nothing goes below
    };

    static constexpr int kMaxColumns = 3;
    static constexpr double kGap = 6;          // between caption, value and unit
    static constexpr double kColumnGap = 18;   // between two columns of fields
    static constexpr double kRuleSpace = 2.5;  // from a section title to its rule and below
    // The share of captions that must fit on one line for a further column.
    static constexpr double kFittingShare = 0.98;

    FieldListLayout(ReportMetrics& metrics, const Area& area);

    // At least one page, even for an empty list.
    std::vector<ReportPage> lay(const std::vector<ReportLine>& lines);

    // After lay(): the columns per page and the widths of caption, value and unit.
    int columns() const { return columns_; }
    double captionWidth() const { return captionWidth_; }
    double valueWidth() const { return valueWidth_; }
    double unitWidth() const { return unitWidth_; }

    // `text` broken into lines no wider than `width`: at blanks where it can, inside a word
    // (between characters) where a word alone is wider. An empty text gives no line.
    std::vector<std::string> wrap(const std::string& text, double width, ReportStyle style);

private:
    void measure(const std::vector<ReportLine>& lines);
    double headingHeight(const ReportLine& line);
    double firstLineHeight(const std::vector<ReportLine>& lines, std::size_t at);
    void nextColumn();
    void placeHeading(const ReportLine& line, bool spaced);
    void placeField(const ReportLine& line);
    double columnLeft() const;
    ReportPage& page() { return pages_.back(); }

    ReportMetrics& metrics_;
    Area area_;
    int columns_ = 1;
    double cellWidth_ = 0;
    double captionWidth_ = 0, valueWidth_ = 0, unitWidth_ = 0;
    double bodyLine_ = 0;

    std::vector<ReportPage> pages_;
    int column_ = 0;
    double y_ = 0;
};

}  // namespace flowcfg
