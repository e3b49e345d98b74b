#include "params/EncodingCode.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>

namespace flowcfg {
namespace {

std::uint64_t readBigEndian(const std::uint8_t* bytes, int count) {
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | bytes[i];
    return value;
}

void writeBigEndian(std::uint8_t* bytes, int count, std::uint64_t value) {
    for (int i = count - 1; i >= 0; --i) {
        bytes[i] = static_cast<std::uint8_t>(value);
        value >>= 8;
    }
}

// The low `bits` bits of a value read as a two's complement number.
long long signExtend(std::uint64_t value, int bits) {
    std::uint64_t sign = std::uint64_t(1) << (bits - 1);
    std::uint64_t mask = (bits == 64) ? ~std::uint64_t(0) : (sign << 1) - 1;
    value &= mask;
    return (value & sign) ? static_cast<long long>(value) - static_cast<long long>(sign << 1)
                          : static_cast<long long>(value);
}

int bitOf(int family) {
    return (family - EncodingCode::kBit0) >> 8;
}

}  // namespace

bool EncodingCode::isDate(int code) {
    switch (family(code)) {
        case kDateMonthFirst:
        case kDateYearSecond:
        case kDateBytes:
        case kDateBcd:
        case kDateWords:
            return true;
        default:
            return false;
    }
}

bool EncodingCode::isScaled(int code) {
    int f = family(code);
    if (f >= kBit0 && f <= kBit7) return false;
    switch (f) {
        case kSignedByte:
        case kSigned16:
        case kSigned24:
        case kHighNibble:
        case kLowNibble:
        case kPacked24:
        case kUnsigned16:
        case kUnsigned32:
        case kSigned32:
        case kBitField:
        case kUnsignedByte:
            return true;
        default:
            return false;
    }
}

bool EncodingCode::takesReal(int code) {
    int f = family(code);
    return f == kFloat || f == kDouble || f == kTimes26;
}

int EncodingCode::width(int code, int textLength) {
    int f = family(code);
    if (f >= kBit0 && f <= kBit7) return 1;
    switch (f) {
        case kSignedByte:
        case kHighNibble:
        case kLowNibble:
        case kBitField:
        case kUnsignedByte:
            return 1;
        case kSigned16:
        case kUnsigned16:
        case kTimes26:  // the bytes it writes
            return 2;
        case kSigned24:
        case kPacked24:  // the bytes it writes
            return 3;
        case kFloat:
        case kUnsigned32:
        case kSigned32:
            return 4;
        case kText:
            return textLength < 0 ? 0 : (textLength > 0xFFFF ? 0xFFFF : textLength);
        case kDateMonthFirst:
        case kDateYearSecond:
        case kDateBytes:
        case kDateBcd:
            return 6;
        case kDouble:
            return 8;
        case kDateWords:
            return 13;
        default:
            return 0;
    }
}

bool EncodingCode::readNumber(int code, const std::uint8_t* block, std::size_t size, int offset,
                              double& raw) {
    int f = family(code);
    int w = width(code, 0);
    if (w == 0 || isDate(code) || f == kText || !fits(size, offset, w)) return false;
    const std::uint8_t* p = block + offset;
    if (f >= kBit0 && f <= kBit7) {
        raw = p[0] & (1 << bitOf(f));
        return true;
    }
    switch (f) {
        case kSignedByte:
            raw = double(signExtend(p[0], 8));
            return true;
        case kSigned16:
            raw = double(signExtend(readBigEndian(p, 2), 16));
            return true;
        case kSigned24:
            raw = double(signExtend(readBigEndian(p, 3), 24));
            return true;
        case kFloat: {
            auto bits = static_cast<std::uint32_t>(readBigEndian(p, 4));
            float value;
            std::memcpy(&value, &bits, sizeof value);
            raw = value;
            return true;
        }
        case kDouble: {
            std::uint64_t bits = readBigEndian(p, 8);
            std::memcpy(&raw, &bits, sizeof raw);
            return true;
        }
        case kHighNibble:
            raw = p[0] >> 4;
            return true;
        case kLowNibble:
            raw = p[0] & 0x0F;
            return true;
        case kPacked24:
            raw = std::trunc(double(readBigEndian(p + 1, 2)) * (p[0] + 1) * 0.075 + 0.5);
            return true;
        case kTimes26:
            raw = double(readBigEndian(p, 2)) / 26.0;
            return true;
        case kUnsigned16:
            raw = double(readBigEndian(p, 2));
            return true;
        case kUnsigned32:
            raw = double(readBigEndian(p, 4));
            return true;
        case kSigned32:
            raw = double(signExtend(readBigEndian(p, 4), 32));
            return true;
        case kBitField: {
            int mask = code & 0xFF, value = 0, out = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (!(mask & (1 << bit))) continue;
                if (p[0] & (1 << bit)) value |= 1 << out;
                ++out;
            }
            raw = value;
            return true;
        }
        case kUnsignedByte:
            raw = p[0];
            return true;
        default:
            return false;
    }
}

void EncodingCode::writeInteger(int code, long long n, std::uint8_t* block, std::size_t size,
                                int offset) {
    int f = family(code);
    int w = width(code, 0);
    if (w == 0 || isDate(code) || f == kText || !fits(size, offset, w)) return;
    std::uint8_t* p = block + offset;
    auto bits = static_cast<std::uint64_t>(n);
    if (f >= kBit0 && f <= kBit7) {
        auto weight = static_cast<std::uint8_t>(1 << bitOf(f));
        p[0] = static_cast<std::uint8_t>(n != 0 ? (p[0] | weight) : (p[0] & ~weight));
        return;
    }
    switch (f) {
        case kSignedByte:
        case kUnsignedByte:
            p[0] = static_cast<std::uint8_t>(bits);
            return;
        case kSigned16:
        case kUnsigned16:
            writeBigEndian(p, 2, bits);
            return;
        case kSigned24:
            writeBigEndian(p, 3, bits);
            return;
        case kUnsigned32:
        case kSigned32:
            writeBigEndian(p, 4, bits);
            return;
        case kHighNibble:
            p[0] = static_cast<std::uint8_t>((p[0] & 0x0F) | (bits & 0x0F) << 4);
            return;
        case kLowNibble:
            p[0] = static_cast<std::uint8_t>((p[0] & 0xF0) | (bits & 0x0F));
            return;
        case kBitField: {
            int mask = code & 0xFF, in = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (!(mask & (1 << bit))) continue;
                if (in < 64 && (bits >> in) & 1)
                    p[0] = static_cast<std::uint8_t>(p[0] | (1 << bit));
                else
                    p[0] = static_cast<std::uint8_t>(p[0] & ~(1 << bit));
                ++in;
            }
            return;
        }
        case kPacked24: {
            // A range byte r and a 16-bit word w with w * (r + 1) = n * 40 / 3; negative
            // values have no representation and are written as 0. The word is the nearest one
            // (below 4915, where r is 0, that is t itself): flooring it would make a value
            // read and written back unchanged lose a unit at every transfer.
            // Values beyond the largest the form holds (65535 * 256 * 0.075) are written as it.
            long long t = std::min(toInteger(double(n) * 40.0 / 3.0), 65535LL * 256);
            if (t < 0) t = 0;
            long long range = std::min(t / 65535, 255LL);
            long long word = (t + (range + 1) / 2) / (range + 1);
            p[0] = static_cast<std::uint8_t>(range);
            writeBigEndian(p + 1, 2, static_cast<std::uint64_t>(std::min(word, 65535LL)));
            return;
        }
        case kFloat:
        case kDouble:
        case kTimes26:
            writeReal(code, double(n), block, size, offset);
            return;
        default:
            return;
    }
}

void EncodingCode::writeReal(int code, double x, std::uint8_t* block, std::size_t size,
                             int offset) {
    int f = family(code);
    if (!fits(size, offset, width(code, 0))) return;
    std::uint8_t* p = block + offset;
    switch (f) {
        case kFloat: {
            auto value = static_cast<float>(x);
            std::uint32_t bits;
            std::memcpy(&bits, &value, sizeof bits);
            writeBigEndian(p, 4, bits);
            return;
        }
        case kDouble: {
            std::uint64_t bits;
            std::memcpy(&bits, &x, sizeof bits);
            writeBigEndian(p, 8, bits);
            return;
        }
        case kTimes26:
            // Rounded, not truncated: a value read as raw / 26 and shown with a few decimals
            // must give the same raw word back, not one less at every transfer.
            writeBigEndian(p, 2, static_cast<std::uint64_t>(toInteger(std::round(x * 26.0))));
            return;
        default:
            writeInteger(code, toInteger(x), block, size, offset);
            return;
    }
}

std::string EncodingCode::readText(const std::uint8_t* block, std::size_t size, int offset,
                                   int length) {
    if (offset < 0 || length <= 0 || std::size_t(offset) >= size) return {};
    std::size_t end = std::min(size, std::size_t(offset) + std::size_t(length));
    std::string text;
    for (std::size_t i = std::size_t(offset); i < end && block[i] != 0; ++i)
        text += static_cast<char>(block[i]);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

void EncodingCode::writeText(std::string_view text, int length, std::uint8_t* block,
                             std::size_t size, int offset) {
    if (length <= 0 || !fits(size, offset, length)) return;
    for (int i = 0; i < length; ++i)
        block[offset + i] =
            static_cast<std::uint8_t>(std::size_t(i) < text.size() ? text[std::size_t(i)] : ' ');
}

long long EncodingCode::toInteger(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kLimit = 9.2e18;
    if (value >= kLimit) return static_cast<long long>(kLimit);
    if (value <= -kLimit) return -static_cast<long long>(kLimit);
    return static_cast<long long>(value);
}

long long EncodingCode::leadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    constexpr long long kMax = std::numeric_limits<long long>::max();
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        int digit = text[i] - '0';
        if (value > (kMax - digit) / 10) {
            value = kMax;
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

}  // namespace flowcfg
