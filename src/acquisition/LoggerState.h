#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace flowcfg {

// The logger's state as block 0x0200 carries it in its first 14 bytes: the number of logged
// parameters N (u16 at 0), the records written (u32 at 2), the capacity in records (u32 at 6)
// and the logging period in seconds (u32 at 10), all big-endian.
struct LoggerState {
    static constexpr int kAddress = 0x0200;
    static constexpr int kRegisters = 7;

    int parameters = 0;
    std::uint32_t written = 0;
    std::uint32_t capacity = 0;
    std::uint32_t periodSeconds = 0;

    // False when fewer than 14 bytes came.
    static bool decode(const std::uint8_t* bytes, std::size_t size, LoggerState& state);

    // The time the logger covers, period x capacity, in the words of `language`:
    //   above 5 x 365 days  "more than 5 years"
    //   above 365 days      "%d y", then ", %d m" when there are months, ", %d d " when days
    //   above 30 days       "%d m, %d d, %d h "
    //   otherwise           "%d d, %d h, %d mn "
    // (months of 31 days, all divisions integer divisions).
    static std::string rangeText(std::int64_t periodSeconds, std::int64_t capacity, int language);
    std::string rangeText(int language) const {
        return rangeText(periodSeconds, capacity, language);
    }
};

}  // namespace flowcfg
