#pragma once

#include <cstdint>
#include <cstring>

namespace flowcfg {

// Big-endian (high byte first) reads and writes of register data, the byte order of every
// multi-byte value in the instrument's registers.
struct BigEndian {
    static std::uint16_t u16(const std::uint8_t* p) {
        return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
    }
    static std::uint32_t u32(const std::uint8_t* p) {
        return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
               (static_cast<std::uint32_t>(p[2]) << 8) | p[3];
    }
    static float f32(const std::uint8_t* p) {
        const std::uint32_t bits = u32(p);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    static void putU16(std::uint8_t* p, std::uint16_t v) {
        p[0] = static_cast<std::uint8_t>(v >> 8);
        p[1] = static_cast<std::uint8_t>(v);
    }
    static void putU32(std::uint8_t* p, std::uint32_t v) {
        p[0] = static_cast<std::uint8_t>(v >> 24);
        p[1] = static_cast<std::uint8_t>(v >> 16);
        p[2] = static_cast<std::uint8_t>(v >> 8);
        p[3] = static_cast<std::uint8_t>(v);
    }
    static void putF32(std::uint8_t* p, float v) {
        std::uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        putU32(p, bits);
    }
};

}  // namespace flowcfg
