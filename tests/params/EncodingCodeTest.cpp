#include "params/EncodingCode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace flowcfg {
namespace {

using Bytes = std::vector<std::uint8_t>;

double readOf(int code, const Bytes& bytes, int offset = 0) {
    double raw = std::nan("");
    EXPECT_TRUE(EncodingCode::readNumber(code, bytes.data(), bytes.size(), offset, raw))
        << std::hex << code;
    return raw;
}

Bytes written(int code, long long n, Bytes bytes) {
    EncodingCode::writeInteger(code, n, bytes.data(), bytes.size(), 0);
    return bytes;
}

TEST(EncodingCodeTest, IntegersAreBigEndianWithTheirSign) {
    EXPECT_EQ(readOf(0x100, {0xFF}), -1);
    EXPECT_EQ(readOf(0xA000, {0xFF}), 255);
    EXPECT_EQ(readOf(0x200, {0xFF, 0xFF}), -1);
    EXPECT_EQ(readOf(0x3000, {0xFF, 0xFF}), 65535);
    EXPECT_EQ(readOf(0x300, {0x80, 0x00, 0x00}), -8388608);
    EXPECT_EQ(readOf(0x300, {0x7F, 0xFF, 0xFF}), 8388607);
    EXPECT_EQ(readOf(0x4000, {0xFF, 0xFF, 0xFF, 0xFE}), 4294967294.0);
    EXPECT_EQ(readOf(0x8000, {0xFF, 0xFF, 0xFF, 0xFE}), -2);
    EXPECT_EQ(readOf(0x8000, {0x00, 0x01, 0x86, 0xA0}), 100000);

    EXPECT_EQ(written(0x3000, 1234, {0, 0}), (Bytes{0x04, 0xD2}));
    EXPECT_EQ(written(0x200, -1, {0, 0}), (Bytes{0xFF, 0xFF}));
    EXPECT_EQ(written(0x3000, 70000, {0, 0}), (Bytes{0x11, 0x70}));  // wrapped to 16 bits
    EXPECT_EQ(written(0x300, -2, {0, 0, 0}), (Bytes{0xFF, 0xFF, 0xFE}));
    EXPECT_EQ(written(0x8000, -999999, {0, 0, 0, 0}), (Bytes{0xFF, 0xF0, 0xBD, 0xC1}));
    EXPECT_EQ(written(0x4000, 0x55AAAA55, {0, 0, 0, 0}), (Bytes{0x55, 0xAA, 0xAA, 0x55}));
    EXPECT_EQ(written(0x100, -3, {0}), (Bytes{0xFD}));
}

TEST(EncodingCodeTest, BitsAndNibblesShareTheirByte) {
    Bytes byte = {0};
    EncodingCode::writeInteger(0x9001, 1, byte.data(), 1, 0);
    EncodingCode::writeInteger(0x9002, 1, byte.data(), 1, 0);
    EXPECT_EQ(byte[0], 0x03);
    EXPECT_EQ(readOf(0x9001, {0x02}), 0);
    EXPECT_EQ(readOf(0x9002, {0x02}), 1);
    // A mask of several bits spreads the value's bits, lowest first.
    EXPECT_EQ(written(0x90A4, 0b101, {0xFF}), (Bytes{0xDF}));  // bits 2, 5, 7 <- 1, 0, 1
    EXPECT_EQ(readOf(0x90A4, {0xA0}), 0b110);

    EXPECT_EQ(written(0x600, 0xA, {0x0F}), (Bytes{0xAF}));
    EXPECT_EQ(written(0x700, 0x5, {0xF0}), (Bytes{0xF5}));
    EXPECT_EQ(readOf(0x600, {0xA5}), 0xA);
    EXPECT_EQ(readOf(0x700, {0xA5}), 0x5);

    // Single bits read as 0 or their weight; any non-zero value sets them.
    EXPECT_EQ(readOf(0xA00, {0x04}), 4);
    EXPECT_EQ(readOf(0xA00, {0xFB}), 0);
    EXPECT_EQ(written(0xA00, 4, {0x01}), (Bytes{0x05}));
    EXPECT_EQ(written(0xF00, 1, {0x01}), (Bytes{0x81}));
    EXPECT_EQ(written(0x800, 0, {0xFF}), (Bytes{0xFE}));
}

TEST(EncodingCodeTest, RealsAndScaledForms) {
    Bytes single(4), twice(8), times26(2), packed(3);
    EncodingCode::writeReal(0x400, 1.5, single.data(), 4, 0);
    EXPECT_EQ(single, (Bytes{0x3F, 0xC0, 0x00, 0x00}));
    EXPECT_EQ(readOf(0x400, single), 1.5);
    EncodingCode::writeReal(0xB000, -2.25, twice.data(), 8, 0);
    EXPECT_EQ(twice, (Bytes{0xC0, 0x02, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(readOf(0xB000, twice), -2.25);
    EncodingCode::writeReal(0x2000, 10.0, times26.data(), 2, 0);
    EXPECT_EQ(times26, (Bytes{0x01, 0x04}));
    EXPECT_EQ(readOf(0x2000, times26), 10.0);

    // 0x1000: t = n * 40 / 3 as a range byte and a 16-bit word, read back in 0.075 steps.
    for (long long n : {0LL, 1LL, 1000LL, 4915LL, 4916LL, 100000LL}) {
        Bytes bytes = written(0x1000, n, packed);
        EXPECT_EQ(readOf(0x1000, bytes), double(n)) << n;
    }
    EXPECT_EQ(written(0x1000, 100000, packed), (Bytes{0x14, 0xF8, 0x04}));
    // Where the steps are finer than one unit every value comes back, so a value read and
    // written back unchanged keeps its bytes instead of drifting down at every transfer.
    for (long long n = 0; n < 45000; n += 7) {
        Bytes bytes = written(0x1000, n, packed);
        EXPECT_EQ(readOf(0x1000, bytes), double(n)) << n;
    }
    // The largest value the form holds, and beyond.
    EXPECT_EQ(written(0x1000, 1258272, packed), (Bytes{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(written(0x1000, 5000000, packed), (Bytes{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(written(0x1000, -5, packed), (Bytes{0, 0, 0}));

    EXPECT_TRUE(EncodingCode::isScaled(0x3000));
    EXPECT_TRUE(EncodingCode::isScaled(0x9003));
    EXPECT_FALSE(EncodingCode::isScaled(0x400));
    EXPECT_FALSE(EncodingCode::isScaled(0x2000));
    EXPECT_FALSE(EncodingCode::isScaled(0xC00));
}

TEST(EncodingCodeTest, TextIsPaddedAndEndsAtZeroOrLength) {
    Bytes bytes(10, 0xEE);
    EncodingCode::writeText("AB", 8, bytes.data(), bytes.size(), 1);
    EXPECT_EQ(bytes, (Bytes{0xEE, 'A', 'B', ' ', ' ', ' ', ' ', ' ', ' ', 0xEE}));
    EncodingCode::writeText("ABCDEFGHIJ", 8, bytes.data(), bytes.size(), 1);
    EXPECT_EQ(bytes, (Bytes{0xEE, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 0xEE}));
    Bytes received = {'A', 'B', ' ', ' ', 0, 'Z', 'Z', 'Z', 'Z'};
    EXPECT_EQ(EncodingCode::readText(received.data(), received.size(), 0, 8), "AB");
    EXPECT_EQ(EncodingCode::readText(received.data(), received.size(), 5, 2), "ZZ");
    EXPECT_EQ(EncodingCode::readText(received.data(), received.size(), 5, 40), "ZZZZ");
}

TEST(EncodingCodeTest, BlockSizesAndBounds) {
    EXPECT_EQ(EncodingCode::width(0x100, 0), 1);
    EXPECT_EQ(EncodingCode::width(0x9081, 0), 1);
    EXPECT_EQ(EncodingCode::width(0x3000, 0), 2);
    EXPECT_EQ(EncodingCode::width(0x300, 0), 3);
    EXPECT_EQ(EncodingCode::width(0x1000, 0), 3);
    EXPECT_EQ(EncodingCode::width(0x8000, 0), 4);
    EXPECT_EQ(EncodingCode::width(0x500, 26), 26);
    EXPECT_EQ(EncodingCode::width(0x6000, 0), 6);
    EXPECT_EQ(EncodingCode::width(0xB000, 0), 8);
    EXPECT_EQ(EncodingCode::width(0xD000, 0), 13);
    EXPECT_EQ(EncodingCode::width(0, 0), 0);
    EXPECT_EQ(EncodingCode::width(0x1100, 0), 0);

    // Values that do not lie wholly inside the block are neither read nor written.
    Bytes two = {0x12, 0x34};
    double raw = 0;
    EXPECT_FALSE(EncodingCode::readNumber(0x8000, two.data(), two.size(), 0, raw));
    EXPECT_FALSE(EncodingCode::readNumber(0x3000, two.data(), two.size(), 1, raw));
    EXPECT_FALSE(EncodingCode::readNumber(0x3000, two.data(), two.size(), -1, raw));
    EXPECT_FALSE(EncodingCode::readNumber(0x500, two.data(), two.size(), 0, raw));
    EncodingCode::writeInteger(0x8000, -1, two.data(), two.size(), 0);
    EncodingCode::writeReal(0xB000, 1.0, two.data(), two.size(), 0);
    EncodingCode::writeText("xyz", 3, two.data(), two.size(), 0);
    EXPECT_EQ(two, (Bytes{0x12, 0x34}));
}

TEST(EncodingCodeTest, NumbersFromTexts) {
    EXPECT_EQ(EncodingCode::leadingInteger("1234"), 1234);
    EXPECT_EQ(EncodingCode::leadingInteger("  -1234 m3"), -1234);
    EXPECT_EQ(EncodingCode::leadingInteger("abc"), 0);
    EXPECT_EQ(EncodingCode::leadingInteger(""), 0);
    EXPECT_EQ(EncodingCode::leadingInteger("99999999999999999999999"), 9223372036854775807LL);
    EXPECT_EQ(EncodingCode::toInteger(std::nan("")), 0);
    EXPECT_EQ(EncodingCode::toInteger(-2.9), -2);
    EXPECT_GT(EncodingCode::toInteger(1e300), 9000000000000000000LL);
}

}  // namespace
}  // namespace flowcfg
