#include "acquisition/SerialDateTime.h"

#include "acquisition/NumberText.h"

namespace flowcfg {

long SerialDateTime::dayNumber(int year, int month, int day) {
    if (year < 100) year += year <= 90 ? 2000 : 1900;
    static const int kBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    // The years 1900 ... year - 1, a quarter of them (the multiples of 4) with 366 days.
    const long years = year - 1900;
    long days = years * 365 + (years > 0 ? (years + 3) / 4 : 0);
    if (month >= 1 && month <= 12) days += kBefore[month - 1];
    if (month > 2 && year % 4 == 0) ++days;
    return days + day;
}

double SerialDateTime::of(int year, int month, int day, int hour, int minute, int second) {
    return static_cast<double>(dayNumber(year, month, day)) +
           static_cast<double>(hour * 3600 + minute * 60 + second) / 86400.0;
}

std::string SerialDateTime::text(double serial, char separator) {
    return withDecimalSeparator(fixedDecimals(serial, 6), separator);
}

}  // namespace flowcfg
