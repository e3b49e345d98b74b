#include "shell/EditValueRules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "shell/IniFile.h"
#include "shell/ValueDisplay.h"

namespace flowcfg {

bool isTextFormat(std::string_view format) {
    return !format.empty() && format.back() == 's';
}

bool isHexFormat(std::string_view format) {
    return !format.empty() && format.back() == 'h';
}

double editTextValue(std::string_view text, std::string_view format) {
    std::string s(text);
    if (isHexFormat(format) && s.rfind("0x", 0) == 0) {
        // Hexadecimal digits after "0x", as an unsigned 32-bit number (more digits saturate).
        unsigned long long value = std::strtoull(s.c_str() + 2, nullptr, 16);
        return static_cast<double>(std::min<unsigned long long>(value, 0xFFFFFFFFull));
    }
    // Single precision, as the box has always read its values; the decimal point is '.'
    // whatever the locale. Texts that are no number ("nan", "inf") read as 0.
    double value = IniFile::parseReal(s);
    if (!std::isfinite(value)) return 0.0;
    constexpr double kFloatMax = std::numeric_limits<float>::max();
    value = std::clamp(value, -kFloatMax, kFloatMax);
    return static_cast<double>(static_cast<float>(value));
}

std::optional<std::string> limitedEditText(std::string_view text, std::string_view format,
                                           double low, double high) {
    if (isTextFormat(format) || high < low) return std::nullopt;
    double value = editTextValue(text, format);
    if (value > high) return displayValue(high, format, low, high, false);
    if (value < low) return displayValue(low, format, low, high, false);
    return std::nullopt;
}

std::string reformattedEditText(std::string_view text, std::string_view format, double low,
                                double high) {
    if (isTextFormat(format) || format.size() < 2) return std::string(text);
    return displayValue(editTextValue(text, format), format, low, high);
}

}  // namespace flowcfg
