#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace flowcfg {

// A date and time as the instrument keeps it, and the rules shared by every date encoding:
// a year up to 38 means 2000 + year, any other year below 1900 means 1900 + year; a date
// outside 1980 ... 2099, a month outside 1 ... 12, a day outside its month (February has 29
// days when the year is a multiple of 4), an hour outside 0 ... 23 or a minute or second
// outside 0 ... 59 stands for 1980-01-01 00:00:00, the start of the instrument's time scale.
//
// The date encodings (0x5000, 0x6000, 0x7000, 0xC000, 0xD000) keep the bytes they read as a
// raw date, least significant byte first, so that a date the user does not edit is written back
// exactly as it came.
struct InstrumentDate {
    int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;

    bool operator==(const InstrumentDate&) const = default;

    // The date after the year rule, or 1980-01-01 00:00:00 when it is not a valid date.
    static InstrumentDate normalized(int year, int month, int day, int hour, int minute,
                                     int second);
    static bool isValid(int year, int month, int day, int hour, int minute, int second);

    // Seconds since 1980-01-01 00:00:00 (the recording pages' time scale).
    std::int64_t secondsSince1980() const;
    // "dd/mm/yyyy - hh:mm:ss".
    std::string text() const;
    // Reads text() back; false when the text is not a valid date in that form.
    static bool parse(std::string_view text, InstrumentDate& date);

    // The raw date of a date encoding at `offset`; false when the bytes are not all there.
    // 0x6000 keeps only the low four bits of its first byte; 0xD000 keeps its year less 2000
    // (when at least 2000) and the low bytes of the five other registers, with the year's high
    // byte above the six bytes.
    static bool readRaw(int code, const std::uint8_t* block, std::size_t size, int offset,
                        std::uint64_t& raw);
    // Writes a raw date back where readRaw found it (0xD000: into the low bytes of six
    // registers, the high bytes 0 but for the year's).
    static void writeRaw(int code, std::uint64_t raw, std::uint8_t* block, std::size_t size,
                         int offset);
    // The date a raw date stands for.
    static InstrumentDate fromRaw(int code, std::uint64_t raw);
    // The raw date an encoding writes for this date (for dates the user or the PC clock set).
    std::uint64_t toRaw(int code) const;
};

}  // namespace flowcfg
