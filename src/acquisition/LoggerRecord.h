#pragma once

#include <cstddef>
#include <cstdint>

#include "params/InstrumentDate.h"

namespace flowcfg {

// One parameter entry of a logger record (8 bytes):
//   bytes 0-3  the value, big-endian; its type says how to read it
//   byte 4     bits 0-3 the parameter's category, bits 4-7 the statistic
//   byte 5     the parameter's index in its category's name list
//   byte 6     bits 0-1 the value type, bits 2-7 the unit
//   byte 7     bits 0-6 the quality index I.Q. in %
struct LoggerEntry {
    enum Type { kFloat = 0, kUnsigned = 1, kSigned = 2, kFlags = 3 };

    std::uint32_t bits = 0;  // the value's four bytes
    int category = 0;
    int statistic = 0;
    int nameIndex = 0;
    int type = kFloat;
    int unit = 0;
    int quality = 0;

    static LoggerEntry decode(const std::uint8_t* bytes);
    // The value as a number (flags: the 32 bits as an unsigned number).
    double number() const;
};

// A record of the instrument's data logger: R = 8 N + 8 bytes for N logged parameters, the time
// stamp (the instrument's 6-byte date), N entries, and two bytes the program does not use.
struct LoggerRecord {
    static constexpr int kMinParameters = 1;
    static constexpr int kMaxParameters = 51;
    static constexpr int kDate = 0;
    static constexpr int kEntries = 6;
    static constexpr int kEntryBytes = 8;

    static constexpr int bytes(int parameters) { return 8 * parameters + 8; }
    static constexpr bool validParameterCount(long parameters) {
        return parameters >= kMinParameters && parameters <= kMaxParameters;
    }

    // The time stamp of a record of at least 6 bytes (a date that is not valid reads as
    // 1980-01-01 00:00:00, as every instrument date does).
    static InstrumentDate date(const std::uint8_t* record);
    // Entry i (0-based) of a record with more than i entries.
    static LoggerEntry entry(const std::uint8_t* record, int i);
};

}  // namespace flowcfg
