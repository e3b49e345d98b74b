#pragma once

#include <cstdint>

namespace flowcfg {

// The instrument's 6-byte date-time (layout in RegisterLayout.h) and plain calendar arithmetic
// on it. Times are counted in seconds from 1970-01-01 00:00:00 of the instrument's own calendar,
// which has no time zone: the instrument shows local time as it was set.
class SimDate {
public:
    static std::int64_t fromCalendar(int year, int month, int day, int hour, int minute,
                                     int second);
    static void toCalendar(std::int64_t seconds, int& year, int& month, int& day, int& hour,
                           int& minute, int& second);
    // Writes the six bytes. Years outside 2000 ... 2255 are clamped into that range.
    static void encode(std::int64_t seconds, std::uint8_t* bytes);
    // Reads six bytes; false when they hold no valid date (month, day or time out of range).
    static bool decode(const std::uint8_t* bytes, std::int64_t& seconds);
    // The PC's local time now, in the same count.
    static std::int64_t localNow();
};

}  // namespace flowcfg
