#pragma once

#include <locale.h>

#include <string>
#include <string_view>

namespace flowcfg {

// Numbers in exported texts. They are formatted without regard to the process locale (the
// desktop tool runs under the user's, whose decimal separator may be a comma) and then given the
// user's decimal separator explicitly, so that a file reads the same whichever program wrote it.

// `value` with exactly `decimals` decimals and a '.' ("%.3f" of the C locale; "nan", "inf" and
// "-inf" for values that are not finite).
std::string fixedDecimals(double value, int decimals);

// `text` with every '.' replaced by `separator`.
std::string withDecimalSeparator(std::string text, char separator);

// The decimal separator of the user's numeric locale (LC_ALL, LC_NUMERIC, LANG), read without
// changing the locale of the process; '.' when the environment names no usable locale.
char userDecimalSeparator();

// For its lifetime, printf-style formatting on this thread uses the C locale's '.' whatever the
// process locale, so that texts formatted by the shared value display rules can be given the
// user's separator explicitly.
class ScopedCNumbers {
public:
    ScopedCNumbers();
    ~ScopedCNumbers();
    ScopedCNumbers(const ScopedCNumbers&) = delete;
    ScopedCNumbers& operator=(const ScopedCNumbers&) = delete;

private:
    locale_t c_;
    locale_t previous_;
};

}  // namespace flowcfg
