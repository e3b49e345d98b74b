#include "shell/ValueDisplay.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace flowcfg {
namespace {

std::string printfDouble(const std::string& directive, double value) {
    char buffer[512];
    int n = std::snprintf(buffer, sizeof buffer, directive.c_str(), value);
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < sizeof buffer)
        return std::string(buffer, static_cast<std::size_t>(n));
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), directive.c_str(), value);
    big.resize(static_cast<std::size_t>(n));
    return big;
}

std::string printfInteger(const std::string& directive, long long value) {
    char buffer[256];
    int n = std::snprintf(buffer, sizeof buffer, directive.c_str(), value);
    if (n < 0) return {};
    return std::string(buffer,
                       std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buffer - 1));
}

long long truncateToInteger(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kLimit = 9.0e18;
    if (value >= kLimit) return static_cast<long long>(kLimit);
    if (value <= -kLimit) return -static_cast<long long>(kLimit);
    return static_cast<long long>(value);
}

}  // namespace

bool isAutoFormat(std::string_view format) {
    return format.find("auto") != std::string_view::npos;
}

int formatDecimals(std::string_view format) {
    auto dot = format.find('.');
    if (dot == std::string_view::npos) return 0;
    int decimals = 0;
    for (std::size_t i = dot + 1;
         i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])); ++i) {
        decimals = decimals * 10 + (format[i] - '0');
        if (decimals > 30) return 30;
    }
    return decimals;
}

std::string formatHex(double value, int width) {
    if (width < 0) width = 0;
    if (width > 16) width = 16;
    long long whole = truncateToInteger(value);
    auto bits = static_cast<std::uint32_t>(static_cast<unsigned long long>(whole) & 0xFFFFFFFFull);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%0*X", width, bits);
    return buffer;
}

std::string formatSignificant(double value, int significantDigits) {
    if (!std::isfinite(value)) return printfDouble("%f", value);
    std::string plain = printfDouble("%f", value);
    int integerDigits = 0;
    for (char c : plain) {
        if (c == '.') break;
        if (std::isdigit(static_cast<unsigned char>(c))) ++integerDigits;
    }
    int decimals = significantDigits - integerDigits;
    double rounded;
    if (decimals >= 0) {
        double scale = std::pow(10.0, decimals);
        rounded = std::round(value * scale) / scale;  // std::round: half away from zero
    } else {
        double scale = std::pow(10.0, -decimals);
        rounded = std::round(value / scale) * scale;
    }
    if (decimals < 1) return printfDouble("%.f", rounded);
    return printfDouble("%." + std::to_string(std::min(decimals, 30)) + "f", rounded);
}

std::string formatPrintf(double value, std::string_view format) {
    // Find the one conversion: '%', flags, width, precision, optional length, conversion.
    std::string prefix, suffix, directive;
    char conversion = 0;
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != '%') {
            prefix += format[i++];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            prefix += "%%";
            i += 2;
            continue;
        }
        std::size_t j = i + 1;
        while (j < format.size() &&
               std::string_view("-+ 0#").find(format[j]) != std::string_view::npos)
            ++j;
        while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])))
            ++j;
        if (j < format.size() && format[j] == '.') {
            ++j;
            while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])))
                ++j;
        }
        std::string flagsWidthPrecision(format.substr(i, j - i));
        while (j < format.size() && (format[j] == 'l' || format[j] == 'h' || format[j] == 'L') &&
               j + 1 < format.size() && std::isalpha(static_cast<unsigned char>(format[j + 1]))) {
            ++j;  // length modifiers are re-chosen below
        }
        if (j < format.size()) conversion = format[j];
        directive = flagsWidthPrecision;
        // Widths and precisions beyond what any field needs are refused.
        if (directive.size() > 12) conversion = 0;
        i = j + 1;
        // The rest is literal text: a '%' (or "%%") in it prints one '%'.
        for (; i < format.size(); ++i) {
            if (format[i] != '%') {
                suffix += format[i];
                continue;
            }
            suffix += "%%";
            if (i + 1 < format.size() && format[i + 1] == '%') ++i;
        }
        break;
    }
    switch (conversion) {
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
            return printfDouble(prefix + directive + conversion + suffix, value);
        case 'd':
        case 'i':
        case 'u':
        case 'c':
        case 'l':
            return printfInteger(prefix + directive + "lld" + suffix, truncateToInteger(value));
        case 'x':
        case 'X':
        case 'o':
            return printfInteger(prefix + directive + "ll" + conversion + suffix,
                                 truncateToInteger(value));
        default:
            return printfDouble("%f", value);
    }
}

std::string displayValue(double value, std::string_view format, double low, double high,
                         bool clampToLimits) {
    if (clampToLimits && high > low) {
        if (value > high) value = high;
        if (value < low) value = low;
    }
    if (!format.empty() && format.back() == 'h') {
        int width = 4;
        if (format.size() >= 3) {
            width = 0;
            for (char c : format.substr(1, format.size() - 2)) {
                if (!std::isdigit(static_cast<unsigned char>(c))) continue;
                width = std::min(width * 10 + (c - '0'), 16);
            }
        }
        return formatHex(value, width);
    }
    if (isAutoFormat(format)) {
        int digits = (!format.empty() && std::isdigit(static_cast<unsigned char>(format.back())))
                         ? format.back() - '0'
                         : 4;
        return formatSignificant(value, digits);
    }
    return formatPrintf(value, format);
}

}  // namespace flowcfg
