#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace flowcfg {

// How a value lies in the bytes of a register block. The high byte of the code selects the
// encoding; for 0x90mm the low byte mm is the mask of the bits the value occupies. Multi-byte
// integers are big-endian, as the instrument's registers are.
//
// Every read and write here is bounds-checked against the block: a value that does not lie
// wholly inside the bytes given is neither read nor written.
class EncodingCode {
public:
    static constexpr int kSignedByte = 0x100;
    static constexpr int kSigned16 = 0x200;
    static constexpr int kSigned24 = 0x300;
    static constexpr int kFloat = 0x400;
    static constexpr int kText = 0x500;
    static constexpr int kHighNibble = 0x600;
    static constexpr int kLowNibble = 0x700;
    static constexpr int kBit0 = 0x800;  // 0x800 ... 0xF00: bit 0 ... bit 7
    static constexpr int kBit7 = 0xF00;
    static constexpr int kPacked24 = 0x1000;  // 16 bits times a range byte, in 0.075 steps
    static constexpr int kTimes26 = 0x2000;
    static constexpr int kUnsigned16 = 0x3000;
    static constexpr int kUnsigned32 = 0x4000;
    static constexpr int kDateMonthFirst = 0x5000;
    static constexpr int kDateYearSecond = 0x6000;
    static constexpr int kDateBytes = 0x7000;
    static constexpr int kSigned32 = 0x8000;
    static constexpr int kBitField = 0x9000;  // 0x90mm
    static constexpr int kUnsignedByte = 0xA000;
    static constexpr int kDouble = 0xB000;
    static constexpr int kDateBcd = 0xC000;
    static constexpr int kDateWords = 0xD000;

    // The encoding without its mask byte (0x9003 -> 0x9000).
    static int family(int code) { return code & 0xFF00; }
    static bool isDate(int code);
    static bool isText(int code) { return family(code) == kText; }
    // Encodings whose raw integer is divided by 10^decimals when read (and whose written
    // integer comes from the value's text with its decimal point removed).
    static bool isScaled(int code);
    // Encodings written from the value as a real rather than as an integer.
    static bool takesReal(int code);

    // Bytes the value occupies in its block, for the block size rule: 1, 2, 3, 4, 6, 8, the
    // text length for 0x500, 13 for 0xD000; 0 for 0 and unknown codes.
    static int width(int code, int textLength);

    // The raw number at `offset` (before any scaling); false when the code is not a number
    // or the bytes are not all there. Bits give 0 or the bit's weight, masks the gathered bits.
    static bool readNumber(int code, const std::uint8_t* block, std::size_t size, int offset,
                           double& raw);
    // Lays the integer n in: wrapped to the width, bits and nibbles merged into the byte.
    static void writeInteger(int code, long long n, std::uint8_t* block, std::size_t size,
                             int offset);
    // Lays the real x in (0x400 single, 0xB000 double, 0x2000 x times 26); other codes take
    // x truncated to an integer.
    static void writeReal(int code, double x, std::uint8_t* block, std::size_t size, int offset);

    // Text of at most `length` characters, ended early by a zero byte, trailing spaces removed.
    static std::string readText(const std::uint8_t* block, std::size_t size, int offset,
                                int length);
    // The text, cut to `length` characters, padded with spaces to `length`.
    static void writeText(std::string_view text, int length, std::uint8_t* block, std::size_t size,
                          int offset);

    // A real converted to an integer without undefined behaviour: truncated toward zero,
    // saturated to the 64-bit range, NaN as 0.
    static long long toInteger(double value);
    // The integer a text starts with (blanks, sign, digits), 0 when none; saturated.
    static long long leadingInteger(std::string_view text);

    static bool fits(std::size_t size, int offset, int width) {
        return offset >= 0 && width >= 0 && std::size_t(offset) + std::size_t(width) <= size;
    }
};

}  // namespace flowcfg
