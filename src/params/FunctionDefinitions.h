#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace flowcfg {

// The definitions of the instrument's 20 calculation functions in block 0xD200 (100 registers,
// 200 bytes). This is the one place their layout is written down; the function page, its
// editors and the simulator all go through this code.
//
//   bytes 0-1   u16  bytes of definitions after the header (at most 196)
//   bytes 2-3   u16  number of definitions (20)
//   bytes 4 ... the definitions of functions 1 to 20, one after the other, each a u16 type
//               (the position in the list of function types) followed by that type's
//               parameters; the bytes after the last definition are 0.
//
//   type                               parameters                                      bytes
//    0 "Off", 12 "Not Used"            none                                              0
//    1 "Min", 2 "Max", 3 "Average"     u8 source, u16 period in s                        3
//    4 "Filter"                        u8 source, u16 time constant in tenths of s       3
//    5 "Derivative"                    u8 source, u16 period in s                        3
//    6 "Sinus"                         f32 amplitude, f32 offset, u16 period in s       10
//    7 "Threshold"                     u8 source, f32 low threshold, f32 high threshold  9
//    8 "y = ax + b"                    u8 source x, f32 a, f32 b                         9
//    9 "y = (x - b) / a"               u8 source x, f32 a, f32 b                         9
//   10 "Blanking"                      u8 source, f32 min, f32 max (0 inside the window) 9
//   11 "Delay"                         u8 source, u16 delay in s                         3
//   13 "a+b+c+d", 14 "a*b*c*d"         u8 sources a, b, c, d                             4
//   15 "ax5+bx4+cx3", 16 "ax2+bx+c"    u8 source x, f32 a, f32 b, f32 c                 13
//   17 "a*b+b*b"                       u8 sources a, b                                   2
//   18 "Totalizer"                     u8 source, f32 weight, u8 unit                    6
//
// A source is a position in the list of measured quantities ("Not Used", "QA", "QB", "QT",
// ..., "Function 01" ... "Function 20"); a unit a position in the list of units. Multi-byte
// values are big-endian, f32 an IEEE single, like every register value. The longest types
// take 15 bytes with their type, so not every choice of 20 types fits: FitsInBlock tells.
class FunctionDefinitions {
public:
    static constexpr int kBlock = 0xD200;
    static constexpr int kBlockBytes = 200;
    static constexpr int kHeaderBytes = 4;
    static constexpr int kFunctions = 20;
    static constexpr int kTypes = 19;  // 0 ... 18
    static constexpr int kOff = 0;
    static constexpr int kNotUsed = 12;

    // What one parameter is and how it is stored.
    enum class Kind {
        Source,   // u8, position in the measured quantities
        Seconds,  // u16, whole seconds
        Tenths,   // u16, tenths of a second
        Real,     // f32
        Unit,     // u8, position in the units
    };
    struct Parameter {
        Kind kind;
        int captionText;  // text id of its caption
    };

    struct Definition {
        int type = kOff;
        std::vector<std::uint8_t> parameters;  // as stored after the type; empty: all zero
        bool operator==(const Definition&) const = default;
    };
    using Set = std::array<Definition, kFunctions>;

    struct Parsed {
        Set functions{};
        // Functions 0 ... parsed - 1 parsed; the others could not be (an unknown type, or
        // parameters running past the block) and are Off in `functions`.
        int parsed = 0;
    };

    static bool KnownType(int type) { return type >= 0 && type < kTypes; }
    // The parameters of a type, in their stored order; none for an unknown type.
    static const std::vector<Parameter>& ParametersOf(int type);
    static int Width(Kind kind);
    // Bytes of the type's parameters (without the type word); 0 for an unknown type.
    static int ParameterBytes(int type);
    // Bytes the set takes after the header: every definition at its type's full size.
    static int DefinitionBytes(const Set& set);
    static bool FitsInBlock(const Set& set) {
        return DefinitionBytes(set) <= kBlockBytes - kHeaderBytes;
    }

    // Reads the definitions, never past `size` nor the block.
    static Parsed Parse(const std::uint8_t* bytes, std::size_t size);
    static Parsed Parse(const std::vector<std::uint8_t>& bytes) {
        return Parse(bytes.data(), bytes.size());
    }
    // The 200 bytes of the block; empty when the set does not fit. Parameters shorter than
    // their type's are completed with zeros, longer ones cut.
    static std::vector<std::uint8_t> Encode(const Set& set);

    // The parameter values as numbers, in the type's order (an empty array gives zeros).
    static std::vector<double> Values(const Definition& definition);
    // The stored parameters of a type from numbers in its order (missing ones 0).
    static std::vector<std::uint8_t> Store(int type, const std::vector<double>& values);
};

}  // namespace flowcfg
