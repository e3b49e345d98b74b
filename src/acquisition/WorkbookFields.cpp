#include "acquisition/WorkbookFields.h"

#include <charconv>
#include <cstdlib>

namespace flowcfg {

std::vector<std::string_view> splitExportLine(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::vector<std::string_view> fields;
    if (line.empty()) return fields;
    std::size_t start = 0;
    while (true) {
        std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            if (start < line.size()) fields.push_back(line.substr(start));
            break;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    return fields;
}

std::optional<double> exportFieldNumber(std::string_view field, char decimalSeparator) {
    if (field.empty() || field.size() > 40) return std::nullopt;
    std::string plain;
    plain.reserve(field.size());
    std::size_t i = 0;
    if (field[0] == '-' || field[0] == '+') {
        if (field[0] == '-') plain.push_back('-');
        i = 1;
    }
    int digits = 0;
    bool point = false;
    for (; i < field.size(); ++i) {
        char c = field[i];
        if (c >= '0' && c <= '9') {
            plain.push_back(c);
            ++digits;
        } else if ((c == '.' || c == decimalSeparator) && !point) {
            plain.push_back('.');
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || digits > 15) return std::nullopt;
    double value = 0;
    auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
    return value == 0 ? 0.0 : value;  // "-0,000" is a plain 0
}

namespace {

// Length of the UTF-8 sequence that starts at text[i], or 0 when it is not one.
std::size_t utf8SequenceAt(std::string_view text, std::size_t i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    std::size_t length;
    char32_t code;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        code = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        code = c & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        unsigned char next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (overlong || surrogate || code > 0x10FFFF || code == 0xFFFE || code == 0xFFFF) return 0;
    return length;
}

}  // namespace

std::string workbookText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = utf8SequenceAt(text, i);
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (length == 0) {
            // A byte of an 8-bit code page: its Latin-1 character, unless it is a C1 control.
            if (c >= 0xA0) {
                out.push_back(char(0xC0 | (c >> 6)));
                out.push_back(char(0x80 | (c & 0x3F)));
            }
            ++i;
            continue;
        }
        if (length > 1 || c >= 0x20 || c == '\t') out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

std::size_t utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

}  // namespace flowcfg
