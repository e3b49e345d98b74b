#include "params/LayoutLine.h"

#include <cctype>
#include <cstdio>
#include <optional>

namespace flowcfg {
namespace {

// A "%d" conversion: blanks, an optional sign and at least one digit. The position moves past
// what was read; nullopt when no number is there or it does not fit an int.
std::optional<int> scanInt(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
    std::size_t start = pos;
    long long value = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
        value = value * 10 + (text[pos++] - '0');
        if (value > 0x7FFFFFFF) return std::nullopt;
    }
    if (pos == start) return std::nullopt;
    return int(negative ? -value : value);
}

bool within(int value, int low, int high) {
    return value >= low && value <= high;
}

bool plausible(const LayoutOptions& o) {
    return within(o.level, 0, 2) && within(o.logger, 0, 1) && within(o.totalizers, 0, 1) &&
           within(o.inputsOutputs, 0, 1) && within(o.sequencer, 0, 1) && within(o.pipes, 1, 2) &&
           within(o.instrumentType, 0, 1) && within(o.functions, 0, 1) &&
           within(o.maxChords, 0, 99) && within(o.chordsA, 0, 99) && within(o.chordsB, 0, 99);
}

}  // namespace

std::string LayoutLine::Format(const LayoutOptions& o) {
    char head[160];
    std::snprintf(head, sizeof head, "%0d %0d %0d %0d %0d %0d %0d %0d %0d %0d %0d", o.level,
                  o.logger, o.totalizers, o.inputsOutputs, o.sequencer, o.pipes, o.instrumentType,
                  o.functions, o.maxChords, o.chordsA, o.chordsB);
    std::string line = head;
    line += '_';
    for (int word : o.modules) {
        char text[24];
        std::snprintf(text, sizeof text, "%06d_", word);
        line += text;
    }
    return line;
}

bool LayoutLine::Parse(std::string_view line, LayoutOptions& options) {
    LayoutOptions o = options;
    int* values[] = {&o.level,     &o.logger,  &o.totalizers,     &o.inputsOutputs,
                     &o.sequencer, &o.pipes,   &o.instrumentType, &o.functions,
                     &o.maxChords, &o.chordsA, &o.chordsB};
    std::size_t pos = 0;
    for (int* value : values) {
        std::optional<int> read = scanInt(line, pos);
        if (!read) return false;
        *value = *read;
    }
    std::size_t underscore = line.find('_');
    if (underscore == std::string_view::npos) return false;
    pos = underscore + 1;
    for (int& word : o.modules) {
        std::size_t end = line.find('_', pos);
        if (end == std::string_view::npos) return false;
        std::size_t at = 0;
        std::string_view field = line.substr(pos, end - pos);
        std::optional<int> read = scanInt(field, at);
        if (!read || at != field.size() || !within(*read, 0, 0xFFFF)) return false;
        word = *read;
        pos = end + 1;
    }
    if (!plausible(o)) return false;
    options = o;
    return true;
}

}  // namespace flowcfg
