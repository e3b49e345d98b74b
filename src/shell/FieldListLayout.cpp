#include "shell/FieldListLayout.h"

#include <algorithm>

namespace flowcfg {
namespace {

using Kind = ReportLine::Kind;

ReportStyle styleOf(Kind kind) {
    return kind == Kind::Section ? ReportStyle::Section
           : kind == Kind::Group ? ReportStyle::Group
                                 : ReportStyle::Body;
}

// Control characters (line breaks, tabs) print as blanks: a field is one line of text, and
// blanks around it (" m3" of a unit list) would only shift it out of its column.
std::string flattened(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    const std::size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        if (end > at) out.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

// The characters of a UTF-8 text, each as its bytes.
std::vector<std::string> characters(const std::string& text) {
    std::vector<std::string> out;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80 || out.empty())
            out.emplace_back(1, char(c));
        else
            out.back() += char(c);
    }
    return out;
}

}  // namespace

FieldListLayout::FieldListLayout(ReportMetrics& metrics, const Area& area)
    : metrics_(metrics), area_(area) {}

std::vector<std::string> FieldListLayout::wrap(const std::string& raw, double width,
                                               ReportStyle style) {
    const std::string text = flattened(raw);
    if (text.empty()) return {};
    if (metrics_.textWidth(text, style) <= width) return {text};
    auto fits = [&](const std::string& t) { return metrics_.textWidth(t, style) <= width; };
    std::vector<std::string> lines;
    std::string current;
    for (const std::string& word : words(text)) {
        std::string candidate = current.empty() ? word : current + " " + word;
        if (fits(candidate)) {
            current = std::move(candidate);
            continue;
        }
        if (!current.empty()) lines.push_back(std::move(current));
        current.clear();
        if (fits(word)) {
            current = word;
            continue;
        }
        for (const std::string& c : characters(word)) {
            if (!current.empty() && !fits(current + c)) {
                lines.push_back(std::move(current));
                current.clear();
            }
            current += c;
        }
    }
    if (!current.empty()) lines.push_back(std::move(current));
    return lines;
}

void FieldListLayout::measure(const std::vector<ReportLine>& lines) {
    std::vector<double> captions;
    double value = 0, unit = 0;
    for (const ReportLine& line : lines) {
        if (line.kind != Kind::Field) continue;
        captions.push_back(metrics_.textWidth(flattened(line.caption), ReportStyle::Body));
        value = std::max(value, metrics_.textWidth(flattened(line.value), ReportStyle::Body));
        unit = std::max(unit, metrics_.textWidth(flattened(line.unit), ReportStyle::Body));
    }
    const double widest =
        captions.empty() ? 0 : *std::max_element(captions.begin(), captions.end());
    const double gaps = kGap + (unit > 0 ? kGap : 0);
    // As many columns as leave room for nearly every caption on one line: the few longest
    // go on over a second line rather than halve the columns of the whole list.
    for (columns_ = kMaxColumns; columns_ >= 1; --columns_) {
        cellWidth_ = (area_.width - (columns_ - 1) * kColumnGap) / columns_;
        const double room = std::max(cellWidth_ - gaps, 1.0);
        unitWidth_ = std::min(unit, 0.2 * room);
        valueWidth_ = std::min(value, 0.4 * room);
        captionWidth_ = std::min(widest, room - unitWidth_ - valueWidth_);
        const auto fitting = std::count_if(captions.begin(), captions.end(),
                                           [&](double w) { return w <= captionWidth_; });
        if (columns_ == 1 || fitting >= kFittingShare * double(captions.size())) break;
    }
    bodyLine_ = metrics_.lineHeight(ReportStyle::Body);
}

double FieldListLayout::headingHeight(const ReportLine& line) {
    if (line.kind == Kind::Group && line.caption.empty()) return 0;
    const ReportStyle style = styleOf(line.kind);
    const std::size_t count =
        std::max<std::size_t>(1, wrap(line.caption, cellWidth_, style).size());
    return count * metrics_.lineHeight(style) + (line.kind == Kind::Section ? 2 * kRuleSpace : 0);
}

double FieldListLayout::firstLineHeight(const std::vector<ReportLine>& lines, std::size_t at) {
    return at < lines.size() && lines[at].kind == Kind::Field ? bodyLine_ : 0;
}

double FieldListLayout::columnLeft() const {
    return column_ * (cellWidth_ + kColumnGap);
}

void FieldListLayout::nextColumn() {
    if (++column_ >= columns_) {
        pages_.emplace_back();
        column_ = 0;
    }
    y_ = area_.top;
}

void FieldListLayout::placeHeading(const ReportLine& line, bool spaced) {
    const ReportStyle style = styleOf(line.kind);
    if (spaced) y_ += (line.kind == Kind::Section ? 0.8 : 0.3) * bodyLine_;
    const double x = columnLeft();
    std::vector<std::string> parts = wrap(line.caption, cellWidth_, style);
    if (parts.empty()) parts.emplace_back();
    for (std::string& part : parts) {
        if (!part.empty()) page().texts.push_back({x, y_, std::move(part), style});
        y_ += metrics_.lineHeight(style);
    }
    if (line.kind == Kind::Section) {
        y_ += kRuleSpace;
        page().rules.push_back({x, x + cellWidth_, y_});
        y_ += kRuleSpace;
    }
}

void FieldListLayout::placeField(const ReportLine& line) {
    const std::vector<std::string> cells[3] = {wrap(line.caption, captionWidth_, ReportStyle::Body),
                                               wrap(line.value, valueWidth_, ReportStyle::Body),
                                               wrap(line.unit, unitWidth_, ReportStyle::Body)};
    const std::size_t rows =
        std::max<std::size_t>({1, cells[0].size(), cells[1].size(), cells[2].size()});
    for (std::size_t r = 0; r < rows; ++r) {
        // Only a field taller than a whole column is ever split, line by line.
        if (y_ > area_.top && y_ + bodyLine_ > area_.bottom) nextColumn();
        const double left = columnLeft();
        const double x[3] = {left, left + captionWidth_ + kGap,
                             left + captionWidth_ + kGap + valueWidth_ + kGap};
        for (int c = 0; c < 3; ++c)
            if (r < cells[c].size() && !cells[c][r].empty())
                page().texts.push_back({x[c], y_, cells[c][r], ReportStyle::Body});
        y_ += bodyLine_;
    }
}

std::vector<ReportPage> FieldListLayout::lay(const std::vector<ReportLine>& lines) {
    measure(lines);
    pages_.assign(1, ReportPage{});
    column_ = 0;
    y_ = area_.top;
    const ReportLine* section = nullptr;
    const ReportLine* group = nullptr;
    auto breakIfShort = [&](double space, double needed) {
        if (y_ > area_.top && y_ + space + needed > area_.bottom) {
            nextColumn();
            return true;
        }
        return false;
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ReportLine& line = lines[i];
        if (line.kind == Kind::Section) {
            section = &line;
            group = nullptr;
            // The title stays with its first group's title and its first field.
            double needed = headingHeight(line);
            std::size_t next = i + 1;
            if (next < lines.size() && lines[next].kind == Kind::Group)
                needed += 0.3 * bodyLine_ + headingHeight(lines[next++]);
            needed += firstLineHeight(lines, next);
            const bool broke = breakIfShort(0.8 * bodyLine_, needed);
            placeHeading(line, !broke && y_ > area_.top);
        } else if (line.kind == Kind::Group && line.caption.empty()) {
            // The end of a group: the fields that follow belong to none.
            group = nullptr;
            if (y_ > area_.top) y_ += 0.3 * bodyLine_;
        } else if (line.kind == Kind::Group) {
            group = &line;
            const double needed = headingHeight(line) + firstLineHeight(lines, i + 1);
            const bool broke = breakIfShort(0.3 * bodyLine_, needed);
            if (broke && section) placeHeading(*section, false);
            placeHeading(line, !broke && y_ > area_.top);
        } else {
            const double rows = std::max<std::size_t>(
                {1, wrap(line.caption, captionWidth_, ReportStyle::Body).size(),
                 wrap(line.value, valueWidth_, ReportStyle::Body).size(),
                 wrap(line.unit, unitWidth_, ReportStyle::Body).size()});
            if (breakIfShort(0, rows * bodyLine_)) {
                if (section) placeHeading(*section, false);
                if (group) placeHeading(*group, false);
            }
            placeField(line);
        }
    }
    return std::move(pages_);
}

}  // namespace flowcfg
