#pragma once

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

}  // namespace flowcfg
