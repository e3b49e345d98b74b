#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sim/RegisterMap.h"

namespace flowcfg {

// The instrument's data logger: fixed-size records of a date and N parameter entries, one
// logging period apart, oldest first in the logger memory (read as input registers). Records
// are not stored: record k's bytes follow from k, so millions of records cost nothing. New
// records appear as time passes; a cyclic logger then drops its oldest, a logger that stops when
// full stops.
class DataLogger {
public:
    struct Selection {
        int source = 0;  // 0 internal fct., 1 pipe, 2 pipe A, 3 pipe B, 4 input, 5 general
        int value = 0;
        int statistic = 0;
    };

    DataLogger(long written, long capacity);

    // Takes N, the period, the mode and the selections from the logger settings block and erases
    // the records when `erase` is set. `now` is the instrument's date, `elapsed` the seconds since
    // it started.
    void configure(const RegisterMap& map, bool erase, std::int64_t now, double elapsed);
    // True when the settings block asks for another N, period or mode than the logger runs with.
    bool settingsDiffer(const RegisterMap& map) const;

    int parameters() const { return parameters_; }
    int periodSeconds() const { return period_; }
    int recordBytes() const;
    long capacity() const { return capacity_; }
    // Records in the memory at `elapsed`.
    long written(double elapsed) const;
    // Records written since the last erase, dropped ones included.
    long total(double elapsed) const;

    // Appends the 2 x count bytes of input registers absolute ... absolute + count - 1. False
    // when the range leaves the memory (capacity x record size). Registers past the written
    // records read 0xFFFF, as erased memory does.
    bool readMemory(std::uint32_t absolute, int count, double elapsed,
                    std::vector<std::uint8_t>& out) const;
    // Register offset of the first record dated at or after `date`, or -2 when there is none.
    std::int32_t search(std::int64_t date, double elapsed) const;
    // Writes the logger state (N, written, capacity, period) into a path block.
    void writeState(RegisterMap& map, std::uint16_t pathBlock, double elapsed) const;

    // The bytes of logical record k (0 = first since the last erase).
    void recordBytes(long k, std::uint8_t* out) const;

    // What a state file keeps: records written, the date of record 0.
    std::int64_t firstDate() const { return firstDate_; }
    void restore(long total, std::int64_t firstDate, double elapsed, std::int64_t now);

private:
    void startAt(long total, std::int64_t now, double elapsed);

    int parameters_ = 4;
    int period_ = 600;
    int mode_ = 0;
    std::array<Selection, 14> selections_{};
    long capacity_;
    long baseTotal_;
    double baseElapsed_ = 0.0;
    double phase_ = 0.0;  // seconds since the last record at baseElapsed_
    std::int64_t firstDate_ = 0;
};

}  // namespace flowcfg
