#pragma once

#include <string>

namespace flowcfg {

// The date-time numbers of spreadsheets: the day number, counted as spreadsheets count it
// (1 January 1900 is day 1, 1 January 2009 day 39814; 29 February is counted in every year
// divisible by 4, 1900 included), plus the time as a fraction of the day.
struct SerialDateTime {
    // A two-digit year (below 100) is 2000 + year up to 90 and 1900 + year above, so that
    // two-digit years cover 1991 ... 2090.
    static double of(int year, int month, int day, int hour, int minute, int second);
    static long dayNumber(int year, int month, int day);
    // "%f" of the number, with the given decimal separator.
    static std::string text(double serial, char separator);
};

}  // namespace flowcfg
