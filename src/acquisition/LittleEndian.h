#pragma once

#include <cstdint>

namespace flowcfg::le {

// The 32-bit fields of record files are little-endian, whatever the machine.

inline std::int32_t readInt32(const unsigned char* bytes) {
    std::uint32_t value = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                          std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24;
    return static_cast<std::int32_t>(value);
}

inline void writeInt32(unsigned char* bytes, std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    bytes[0] = static_cast<unsigned char>(bits);
    bytes[1] = static_cast<unsigned char>(bits >> 8);
    bytes[2] = static_cast<unsigned char>(bits >> 16);
    bytes[3] = static_cast<unsigned char>(bits >> 24);
}

}  // namespace flowcfg::le
