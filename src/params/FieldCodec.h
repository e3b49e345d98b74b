#pragma once

#include <cstddef>
#include <cstdint>

namespace flowcfg {

class BoundField;

// Moves one field's value between the field and the bytes of its register block, following its
// format (value class and decimals) and its encoding.
//
// Reading: numeric values ('c', 'f', 'h', 'l' and automatic formats) are read with the
// encoding and, for scaled encodings, divided by 10^decimals; lists and 'l' formats take the
// integer part as their position. Text ('s' with 0x500) and dates ('s' with a date encoding) are
// set as text and as raw date. Values whose bytes are not all in the block are left alone.
//
// Writing: dates write their kept raw bytes, texts their characters padded with spaces, reals
// (0x400, 0x2000, 0xB000) the value itself, and the other numbers the integer the value's text
// gives without its decimal point: 12.34 shown with "%0.2f" is written as 1234.
class FieldCodec {
public:
    static void decode(BoundField& field, const std::uint8_t* block, std::size_t size);
    static void encode(const BoundField& field, std::uint8_t* block, std::size_t size);
    // The integer a numeric field writes with an integer encoding.
    static long long wireInteger(const BoundField& field);
};

}  // namespace flowcfg
