#include "params/InstrumentDate.h"

#include <cctype>
#include <cstdio>

#include "params/EncodingCode.h"

namespace flowcfg {
namespace {

int byteOf(std::uint64_t raw, int index) {
    return int((raw >> (8 * index)) & 0xFF);
}

int fromBcd(int value) {
    return (value >> 4) * 10 + (value & 0x0F);
}

int toBcd(int value) {
    return (value / 10 % 10) << 4 | value % 10;
}

std::uint64_t rawOf(const int (&bytes)[7]) {
    std::uint64_t raw = 0;
    for (int i = 6; i >= 0; --i)
        raw = raw << 8 | std::uint64_t(bytes[i] & 0xFF);
    return raw;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - int(era * 400);
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

bool InstrumentDate::isValid(int year, int month, int day, int hour, int minute, int second) {
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1980 || year > 2099 || month < 1 || month > 12 || day < 1) return false;
    int days = (month == 2 && year % 4 != 0) ? 28 : kDays[month - 1];
    return day <= days && hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 &&
           second <= 59;
}

InstrumentDate InstrumentDate::normalized(int year, int month, int day, int hour, int minute,
                                          int second) {
    if (year <= 38)
        year += 2000;
    else if (year < 1900)
        year += 1900;
    if (!isValid(year, month, day, hour, minute, second)) return InstrumentDate();
    return InstrumentDate{year, month, day, hour, minute, second};
}

std::int64_t InstrumentDate::secondsSince1980() const {
    std::int64_t days = daysFromCivil(year, month, day) - daysFromCivil(1980, 1, 1);
    return days * 86400 + hour * 3600 + minute * 60 + second;
}

std::string InstrumentDate::text() const {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d - %02d:%02d:%02d", day, month, year, hour,
                  minute, second);
    return buffer;
}

bool InstrumentDate::parse(std::string_view text, InstrumentDate& date) {
    static constexpr std::string_view kShape = "00/00/0000 - 00:00:00";
    if (text.size() != kShape.size()) return false;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        bool digit = std::isdigit(static_cast<unsigned char>(text[i]));
        if (kShape[i] == '0' ? !digit : text[i] != kShape[i]) return false;
    }
    auto number = [&](std::size_t pos, std::size_t count) {
        int value = 0;
        for (std::size_t i = pos; i < pos + count; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    InstrumentDate read{number(6, 4),  number(3, 2),  number(0, 2),
                        number(13, 2), number(16, 2), number(19, 2)};
    if (!isValid(read.year, read.month, read.day, read.hour, read.minute, read.second))
        return false;
    date = read;
    return true;
}

bool InstrumentDate::readRaw(int code, const std::uint8_t* block, std::size_t size, int offset,
                             std::uint64_t& raw) {
    int family = EncodingCode::family(code);
    if (!EncodingCode::isDate(code)) return false;
    if (family == EncodingCode::kDateWords) {
        if (!EncodingCode::fits(size, offset, 12)) return false;
        const std::uint8_t* p = block + offset;
        int year = p[0] * 256 + p[1];
        if (year >= 2000) year -= 2000;
        int bytes[7] = {year & 0xFF, p[3], p[5], p[7], p[9], p[11], year >> 8};
        raw = rawOf(bytes);
        return true;
    }
    if (!EncodingCode::fits(size, offset, 6)) return false;
    const std::uint8_t* p = block + offset;
    int bytes[7] = {p[0], p[1], p[2], p[3], p[4], p[5], 0};
    if (family == EncodingCode::kDateYearSecond) bytes[0] &= 0x0F;
    raw = rawOf(bytes);
    return true;
}

void InstrumentDate::writeRaw(int code, std::uint64_t raw, std::uint8_t* block, std::size_t size,
                              int offset) {
    int family = EncodingCode::family(code);
    if (!EncodingCode::isDate(code)) return;
    if (family == EncodingCode::kDateWords) {
        if (!EncodingCode::fits(size, offset, 12)) return;
        std::uint8_t* p = block + offset;
        for (int i = 0; i < 6; ++i) {
            p[2 * i] = 0;
            p[2 * i + 1] = static_cast<std::uint8_t>(byteOf(raw, i));
        }
        // A year below 2000 does not fit in one byte; its high byte goes into the register's.
        p[0] = static_cast<std::uint8_t>(byteOf(raw, 6));
        return;
    }
    if (!EncodingCode::fits(size, offset, 6)) return;
    std::uint8_t* p = block + offset;
    std::uint8_t first = p[0];
    for (int i = 0; i < 6; ++i)
        p[i] = static_cast<std::uint8_t>(byteOf(raw, i));
    if (family == EncodingCode::kDateYearSecond)  // the high bits of byte 0 are not the date's
        p[0] = static_cast<std::uint8_t>((first & 0xF0) | (byteOf(raw, 0) & 0x0F));
}

InstrumentDate InstrumentDate::fromRaw(int code, std::uint64_t raw) {
    int b[7];
    for (int i = 0; i < 7; ++i)
        b[i] = byteOf(raw, i);
    switch (EncodingCode::family(code)) {
        case EncodingCode::kDateMonthFirst:
            return normalized(b[1], b[0], b[3], b[2], b[5], b[4]);
        case EncodingCode::kDateYearSecond:
            return normalized(b[1], b[0] & 0x0F, b[2], b[3], b[4], b[5]);
        case EncodingCode::kDateBytes:
            return normalized(b[0], b[1], b[2], b[3], b[4], b[5]);
        case EncodingCode::kDateBcd:
            return normalized(fromBcd(b[0]), fromBcd(b[1]), fromBcd(b[2]), fromBcd(b[3]),
                              fromBcd(b[4]), fromBcd(b[5]));
        case EncodingCode::kDateWords:
            return normalized(b[0] | b[6] << 8, b[1], b[2], b[3], b[4], b[5]);
        default:
            return InstrumentDate();
    }
}

std::uint64_t InstrumentDate::toRaw(int code) const {
    int shortYear = year % 100;
    switch (EncodingCode::family(code)) {
        case EncodingCode::kDateMonthFirst:
            return rawOf({month, shortYear, hour, day, second, minute, 0});
        case EncodingCode::kDateYearSecond:
            return rawOf({month, shortYear, day, hour, minute, second, 0});
        case EncodingCode::kDateBytes:
            return rawOf({shortYear, month, day, hour, minute, second, 0});
        case EncodingCode::kDateBcd:
            return rawOf({toBcd(shortYear), toBcd(month), toBcd(day), toBcd(hour), toBcd(minute),
                          toBcd(second), 0});
        case EncodingCode::kDateWords: {
            int adjusted = year >= 2000 ? year - 2000 : year;
            return rawOf({adjusted & 0xFF, month, day, hour, minute, second, adjusted >> 8});
        }
        default:
            return 0;
    }
}

}  // namespace flowcfg
