#pragma once

#include <string>

namespace flowcfg {

// A moment of the PC's local clock, field by field.
struct LocalTime {
    int year = 1980;
    int month = 1;  // 1 ... 12
    int day = 1;
    int hour = 0;  // 0 ... 23
    int minute = 0;
    int second = 0;

    static LocalTime now();
};

// How the user's locale writes a short date and a time: the order of day, month and year, the
// separators, and whether hours are counted to 12 with an AM / PM text.
struct LocaleDateTime {
    static constexpr int kMonthFirst = 0;
    static constexpr int kDayFirst = 1;
    static constexpr int kYearFirst = 2;

    int dateOrder = kDayFirst;
    std::string dateSeparator = "/";
    std::string timeSeparator = ":";
    bool twelveHour = false;
    std::string am = "AM";
    std::string pm = "PM";

    // Month, day, year ("%02d/%02d/%4d") for order 0; year, month, day for order 2; day,
    // month, year for any other order.
    std::string date(const LocalTime& t) const;
    // "%02d:%02d:%02d", or in 12-hour format "%02d:%02d:%02d AM" with hours 1 ... 12 (hour 0
    // is 12 AM, hour 12 is 12 PM).
    std::string time(const LocalTime& t) const;
};

}  // namespace flowcfg
