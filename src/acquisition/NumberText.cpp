#include "acquisition/NumberText.h"

#include <langinfo.h>
#include <locale.h>

#include <charconv>
#include <cmath>

namespace flowcfg {

std::string fixedDecimals(double value, int decimals) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char buffer[400];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc()) return "0";
    return std::string(buffer, end);
}

std::string withDecimalSeparator(std::string text, char separator) {
    if (separator == '.') return text;
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

char userDecimalSeparator() {
    locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr)) return '.';
    const char* radix = nl_langinfo_l(RADIXCHAR, user);
    // A separator of more than one byte (none of the usual locales has one) is not used.
    const char separator = radix && radix[0] != '\0' && radix[1] == '\0' ? radix[0] : '.';
    freelocale(user);
    return separator;
}

ScopedCNumbers::ScopedCNumbers()
    : c_(newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr))),
      previous_(c_ ? uselocale(c_) : static_cast<locale_t>(nullptr)) {}

ScopedCNumbers::~ScopedCNumbers() {
    if (!c_) return;
    uselocale(previous_);
    freelocale(c_);
}

}  // namespace flowcfg
