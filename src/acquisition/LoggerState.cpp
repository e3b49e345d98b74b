#include "acquisition/LoggerState.h"

#include "texts/LanguageTable.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

constexpr int kMoreThanFiveYears = 436;
constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kYear = 365 * kDay;

std::uint32_t u32(const std::uint8_t* b) {
    return std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 | std::uint32_t(b[2]) << 8 |
           std::uint32_t(b[3]);
}

}  // namespace

bool LoggerState::decode(const std::uint8_t* b, std::size_t size, LoggerState& state) {
    if (size < 2 * kRegisters) return false;
    state.parameters = b[0] << 8 | b[1];
    state.written = u32(b + 2);
    state.capacity = u32(b + 6);
    state.periodSeconds = u32(b + 10);
    return true;
}

std::string LoggerState::rangeText(std::int64_t period, std::int64_t capacity, int language) {
    LanguageTable texts;
    const std::int64_t x = period * capacity;
    auto part = [&](std::int64_t n, int unitText) {
        return std::to_string(n) + " " + texts.text(unitText, language);
    };
    if (x > 5 * kYear) return texts.text(kMoreThanFiveYears, language);
    if (x > kYear) {
        const std::int64_t years = x / kYear;
        const std::int64_t d = (x - years * kYear) / kDay;
        std::string text = part(years, textid::kTextYear);
        if (d / 31 != 0) text += ", " + part(d / 31, textid::kTextMonth);
        if (d % 31 != 0) text += ", " + part(d % 31, textid::kTextDay) + " ";
        return text;
    }
    const std::int64_t days = x / kDay;
    if (x > 30 * kDay) {
        return part(days / 31, textid::kTextMonth) + ", " + part(days % 31, textid::kTextDay) +
               ", " + part(x / 3600 - 24 * days, textid::kTextHour) + " ";
    }
    const std::int64_t hours = x / 3600;
    return part(days, textid::kTextDay) + ", " + part(hours - 24 * days, textid::kTextHour) + ", " +
           part(x / 60 - 60 * hours, textid::kTextMinute) + " ";
}

}  // namespace flowcfg
