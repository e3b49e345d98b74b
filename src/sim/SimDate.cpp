#include "sim/SimDate.h"

#include <ctime>

#include "sim/RegisterLayout.h"

namespace flowcfg {

namespace {

// Days from 1970-01-01 to the given day of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

int daysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

std::int64_t SimDate::fromCalendar(int year, int month, int day, int hour, int minute, int second) {
    return daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

void SimDate::toCalendar(std::int64_t seconds, int& year, int& month, int& day, int& hour,
                         int& minute, int& second) {
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    civilFromDays(days, year, month, day);
    hour = static_cast<int>(rest / 3600);
    minute = static_cast<int>(rest / 60 % 60);
    second = static_cast<int>(rest % 60);
}

void SimDate::encode(std::int64_t seconds, std::uint8_t* bytes) {
    int y, mo, d, h, mi, s;
    toCalendar(seconds, y, mo, d, h, mi, s);
    if (y < 2000) {
        y = 2000, mo = 1, d = 1, h = 0, mi = 0, s = 0;
    } else if (y > 2255) {
        y = 2255, mo = 12, d = 31, h = 23, mi = 59, s = 59;
    }
    using L = InstrumentDateLayout;
    bytes[L::kYear] = static_cast<std::uint8_t>(y - 2000);
    bytes[L::kMonth] = static_cast<std::uint8_t>(mo);
    bytes[L::kDay] = static_cast<std::uint8_t>(d);
    bytes[L::kHour] = static_cast<std::uint8_t>(h);
    bytes[L::kMinute] = static_cast<std::uint8_t>(mi);
    bytes[L::kSecond] = static_cast<std::uint8_t>(s);
}

bool SimDate::decode(const std::uint8_t* bytes, std::int64_t& seconds) {
    using L = InstrumentDateLayout;
    const int y = 2000 + bytes[L::kYear];
    const int mo = bytes[L::kMonth];
    const int d = bytes[L::kDay];
    const int h = bytes[L::kHour];
    const int mi = bytes[L::kMinute];
    const int s = bytes[L::kSecond];
    if (mo < 1 || mo > 12 || d < 1 || d > daysInMonth(y, mo) || h > 23 || mi > 59 || s > 59) {
        return false;
    }
    seconds = fromCalendar(y, mo, d, h, mi, s);
    return true;
}

std::int64_t SimDate::localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return fromCalendar(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                        tm.tm_sec);
}

}  // namespace flowcfg
