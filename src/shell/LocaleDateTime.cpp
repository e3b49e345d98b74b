#include "shell/LocaleDateTime.h"

#include <cstdio>
#include <ctime>

namespace flowcfg {

LocalTime LocalTime::now() {
    std::time_t seconds = std::time(nullptr);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

std::string LocaleDateTime::date(const LocalTime& t) const {
    const char* s = dateSeparator.c_str();
    char text[96];
    if (dateOrder == kMonthFirst)
        std::snprintf(text, sizeof text, "%02d%s%02d%s%4d", t.month, s, t.day, s, t.year);
    else if (dateOrder == kYearFirst)
        std::snprintf(text, sizeof text, "%4d%s%02d%s%02d", t.year, s, t.month, s, t.day);
    else
        std::snprintf(text, sizeof text, "%02d%s%02d%s%4d", t.day, s, t.month, s, t.year);
    return text;
}

std::string LocaleDateTime::time(const LocalTime& t) const {
    const char* s = timeSeparator.c_str();
    char text[128];
    if (!twelveHour) {
        std::snprintf(text, sizeof text, "%02d%s%02d%s%02d", t.hour, s, t.minute, s, t.second);
        return text;
    }
    int hour = t.hour >= 12 ? t.hour - 12 : t.hour;
    if (hour == 0) hour = 12;
    std::snprintf(text, sizeof text, "%02d%s%02d%s%02d %s", hour, s, t.minute, s, t.second,
                  (t.hour < 12 ? am : pm).c_str());
    return text;
}

}  // namespace flowcfg
