#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace flowcfg::testing {

// Record files assembled byte by byte, independently of the code under test.

inline std::string int32le(std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    return {char(bits & 0xFF), char((bits >> 8) & 0xFF), char((bits >> 16) & 0xFF),
            char((bits >> 24) & 0xFF)};
}

inline std::string headerOf(const std::string& description,
                            const std::string& dateLine = "07/03/2024 - 14:05:09") {
    return int32le(std::int32_t(29 + description.size())) + "\n\n" + dateLine + "\n" + description +
           "\n";
}

inline std::string recordOf(std::int32_t index, const std::string& payload) {
    auto n = std::int32_t(payload.size());
    return int32le(index) + int32le(n) + payload + int32le(n);
}

// A file in the documented layout holding `payloads`.
inline std::string recordFileOf(const std::string& description,
                                const std::vector<std::string>& payloads) {
    std::string file = headerOf(description);
    for (std::size_t k = 0; k < payloads.size(); ++k)
        file += recordOf(std::int32_t(k), payloads[k]);
    return file + int32le(std::int32_t(payloads.size()));
}

inline std::tm march7() {
    std::tm t{};
    t.tm_year = 124;
    t.tm_mon = 2;
    t.tm_mday = 7;
    t.tm_hour = 14;
    t.tm_min = 5;
    t.tm_sec = 9;
    return t;
}

inline std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

}  // namespace flowcfg::testing
