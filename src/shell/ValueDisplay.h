#pragma once

#include <string>
#include <string_view>

namespace flowcfg {

// How a real value is shown in a field: the one rule set used by the edit boxes of the desktop
// tool, by windowless fields and by the command-line tool.
//
// 1. Unless clamping is off, a value above `high` becomes `high` and one below `low` becomes
//    `low` (only when high > low).
// 2. A format ending in 'h' shows "0x" and upper-case hexadecimal digits, zero-padded to the
//    width written between the first and the last character ("%4h": 4; 4 when the format is
//    shorter than 3 characters).
// 3. A format containing "auto" and ending in a digit N shows N significant digits.
// 4. Any other format is a printf format for the value.
std::string displayValue(double value, std::string_view format, double low, double high,
                         bool clampToLimits = true);

// N significant digits: the integer digits k of the value printed with "%f" (a minus sign not
// counted) leave N - k decimals; the value is rounded half away from zero to that many
// decimals (to tens, hundreds ... when N - k is negative). "auto4": 12.3456 -> "12.35",
// -0.5 -> "-0.500", 12345 -> "12350".
std::string formatSignificant(double value, int significantDigits);

// "0x" and the value's hexadecimal digits (of its integer part, as an unsigned 32-bit number)
// padded to `width` digits.
std::string formatHex(double value, int width);

// printf with one conversion, made safe: a format whose conversion takes a real (f, F, e, E, g,
// G) gets the value; one that takes an integer (d, i, u, c, l, x, X, o) gets the value truncated
// toward zero (c and l print the number, as integer and list classes do); a format without a
// usable conversion prints the value with "%f". Text before and after the conversion is kept and
// "%%" prints "%".
std::string formatPrintf(double value, std::string_view format);

// The number of decimals a fixed-point format asks for: the integer after '.', 0 when there is
// none ("%0.3f": 3, "%0.f": 0, "%05.f": 0, "%f": 0).
int formatDecimals(std::string_view format);

// True when the format shows a value with automatic significant digits ("auto4").
bool isAutoFormat(std::string_view format);

}  // namespace flowcfg
