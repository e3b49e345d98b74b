#include "params/FunctionDefinitions.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace flowcfg {
namespace {

using K = FunctionDefinitions::Kind;
using P = FunctionDefinitions::Parameter;

// Caption texts: "Source" 100, "Period (s)" 102, "Time constant (s)" 103, "Offset" 104,
// "Amplitude" 19, "Low threshold" 480, "High threshold" 481, "Min" 362, "Max" 350,
// "Delay" 463, "a" 13, "b" 28, "c" 34, "d" 177, "Pulse weight" 438, "Unit" 533.
const std::vector<std::vector<P>>& table() {
    static const std::vector<std::vector<P>> types = {
        {},                                                                     // Off
        {{K::Source, 100}, {K::Seconds, 102}},                                  // Min
        {{K::Source, 100}, {K::Seconds, 102}},                                  // Max
        {{K::Source, 100}, {K::Seconds, 102}},                                  // Average
        {{K::Source, 100}, {K::Tenths, 103}},                                   // Filter
        {{K::Source, 100}, {K::Seconds, 102}},                                  // Derivative
        {{K::Real, 19}, {K::Real, 104}, {K::Seconds, 102}},                     // Sinus
        {{K::Source, 100}, {K::Real, 480}, {K::Real, 481}},                     // Threshold
        {{K::Source, 100}, {K::Real, 13}, {K::Real, 28}},                       // y = ax + b
        {{K::Source, 100}, {K::Real, 13}, {K::Real, 28}},                       // y = (x - b) / a
        {{K::Source, 100}, {K::Real, 362}, {K::Real, 350}},                     // Blanking
        {{K::Source, 100}, {K::Seconds, 463}},                                  // Delay
        {},                                                                     // Not Used
        {{K::Source, 13}, {K::Source, 28}, {K::Source, 34}, {K::Source, 177}},  // a+b+c+d
        {{K::Source, 13}, {K::Source, 28}, {K::Source, 34}, {K::Source, 177}},  // a*b*c*d
        {{K::Source, 100}, {K::Real, 13}, {K::Real, 28}, {K::Real, 34}},        // ax5+bx4+cx3
        {{K::Source, 100}, {K::Real, 13}, {K::Real, 28}, {K::Real, 34}},        // ax2+bx+c
        {{K::Source, 13}, {K::Source, 28}},                                     // a*b+b*b
        {{K::Source, 100}, {K::Real, 438}, {K::Unit, 533}},                     // Totalizer
    };
    return types;
}

std::uint32_t readBig(const std::uint8_t* p, int width) {
    std::uint32_t v = 0;
    for (int i = 0; i < width; ++i)
        v = (v << 8) | p[i];
    return v;
}

void writeBig(std::uint8_t* p, int width, std::uint32_t v) {
    for (int i = width - 1; i >= 0; --i, v >>= 8)
        p[i] = std::uint8_t(v & 0xFF);
}

}  // namespace

const std::vector<FunctionDefinitions::Parameter>& FunctionDefinitions::ParametersOf(int type) {
    static const std::vector<Parameter> none;
    return KnownType(type) ? table()[std::size_t(type)] : none;
}

int FunctionDefinitions::Width(Kind kind) {
    switch (kind) {
        case Kind::Source:
        case Kind::Unit:
            return 1;
        case Kind::Seconds:
        case Kind::Tenths:
            return 2;
        case Kind::Real:
            return 4;
    }
    return 0;
}

int FunctionDefinitions::ParameterBytes(int type) {
    int bytes = 0;
    for (const Parameter& p : ParametersOf(type))
        bytes += Width(p.kind);
    return bytes;
}

int FunctionDefinitions::DefinitionBytes(const Set& set) {
    int bytes = 0;
    for (const Definition& d : set)
        bytes += 2 + ParameterBytes(d.type);
    return bytes;
}

FunctionDefinitions::Parsed FunctionDefinitions::Parse(const std::uint8_t* bytes,
                                                       std::size_t size) {
    Parsed parsed;
    const std::size_t end = std::min<std::size_t>(size, kBlockBytes);
    std::size_t at = kHeaderBytes;
    for (int k = 0; k < kFunctions; ++k) {
        if (at + 2 > end) break;
        const int type = int(readBig(bytes + at, 2));
        if (!KnownType(type)) break;
        const std::size_t length = std::size_t(ParameterBytes(type));
        if (at + 2 + length > end) break;
        Definition& d = parsed.functions[std::size_t(k)];
        d.type = type;
        d.parameters.assign(bytes + at + 2, bytes + at + 2 + length);
        at += 2 + length;
        parsed.parsed = k + 1;
    }
    return parsed;
}

std::vector<std::uint8_t> FunctionDefinitions::Encode(const Set& set) {
    if (!FitsInBlock(set)) return {};
    std::vector<std::uint8_t> block(kBlockBytes, 0);
    writeBig(block.data(), 2, std::uint32_t(DefinitionBytes(set)));
    writeBig(block.data() + 2, 2, kFunctions);
    std::size_t at = kHeaderBytes;
    for (const Definition& d : set) {
        const int type = KnownType(d.type) ? d.type : kOff;
        writeBig(block.data() + at, 2, std::uint32_t(type));
        at += 2;
        const std::size_t length = std::size_t(ParameterBytes(type));
        std::copy_n(d.parameters.begin(), std::min(length, d.parameters.size()),
                    block.begin() + std::ptrdiff_t(at));
        at += length;
    }
    return block;
}

std::vector<double> FunctionDefinitions::Values(const Definition& definition) {
    std::vector<std::uint8_t> bytes = definition.parameters;
    bytes.resize(std::size_t(ParameterBytes(definition.type)), 0);
    std::vector<double> values;
    std::size_t at = 0;
    for (const Parameter& p : ParametersOf(definition.type)) {
        const int width = Width(p.kind);
        const std::uint32_t raw = readBig(bytes.data() + at, width);
        if (p.kind == Kind::Real)
            values.push_back(double(std::bit_cast<float>(raw)));
        else if (p.kind == Kind::Tenths)
            values.push_back(raw / 10.0);
        else
            values.push_back(double(raw));
        at += std::size_t(width);
    }
    return values;
}

std::vector<std::uint8_t> FunctionDefinitions::Store(int type, const std::vector<double>& values) {
    std::vector<std::uint8_t> bytes(std::size_t(ParameterBytes(type)), 0);
    std::size_t at = 0, i = 0;
    for (const Parameter& p : ParametersOf(type)) {
        const int width = Width(p.kind);
        const double v = i < values.size() && std::isfinite(values[i]) ? values[i] : 0.0;
        std::uint32_t raw = 0;
        if (p.kind == Kind::Real) {
            raw = std::bit_cast<std::uint32_t>(float(v));
        } else {
            const double limit = width == 1 ? 255.0 : 65535.0;
            const double scaled = p.kind == Kind::Tenths ? v * 10.0 : v;
            raw = std::uint32_t(std::lround(std::clamp(scaled, 0.0, limit)));
        }
        writeBig(bytes.data() + at, width, raw);
        at += std::size_t(width);
        ++i;
    }
    return bytes;
}

}  // namespace flowcfg
