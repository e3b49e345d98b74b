#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace flowcfg {

// How an edit box reads, limits and reformats its text, given its display format and limits.
// A format ending in 'h' is hexadecimal ("0x" texts), one ending in 's' is plain text; every
// other format is numeric.

bool isTextFormat(std::string_view format);
bool isHexFormat(std::string_view format);

// The value of the text: read as "0x%X" when the format is hexadecimal and the text starts
// with "0x", otherwise as a single-precision real; 0 when the text does not start with one.
double editTextValue(std::string_view text, std::string_view format);

// The text after the limits: for numeric formats with high >= low, a value above `high` is
// replaced by `high` and one below `low` by `low`, printed with the format. Nothing when the
// text stays as it is.
std::optional<std::string> limitedEditText(std::string_view text, std::string_view format,
                                           double low, double high);

// The text as it is shown once the person has left the box: a numeric text is read and shown
// again with the field's display rules (limits, "0x", "autoN", printf). Text formats keep the
// text.
std::string reformattedEditText(std::string_view text, std::string_view format, double low,
                                double high);

}  // namespace flowcfg
