#include "sim/RegisterMap.h"

#include <algorithm>
#include <cstring>

#include "sim/BigEndian.h"

namespace flowcfg {

namespace {
constexpr std::uint8_t kMapped = 0x01;
constexpr std::uint8_t kWritable = 0x02;
}  // namespace

RegisterMap::RegisterMap() : store_(kRegisterCount * 2 + kSlack, 0), flags_(kRegisterCount, 0) {}

void RegisterMap::declare(std::uint16_t address, int registers, Access access, std::string name) {
    const int end = std::min(kRegisterCount, address + registers);
    for (int r = address; r < end; ++r) {
        flags_[r] |= kMapped;
        if (access == Access::ReadWrite) flags_[r] |= kWritable;
    }
    blocks_.push_back(Block{address, registers, access, std::move(name)});
}

const RegisterMap::Block* RegisterMap::findBlock(std::uint16_t address) const {
    for (const Block& b : blocks_) {
        if (b.address == address) return &b;
    }
    return nullptr;
}

bool RegisterMap::mapped(std::uint16_t start, int count) const {
    if (count <= 0 || start + count > kRegisterCount) return false;
    for (int r = start; r < start + count; ++r) {
        if (!(flags_[r] & kMapped)) return false;
    }
    return true;
}

bool RegisterMap::writable(std::uint16_t start, int count) const {
    if (count <= 0 || start + count > kRegisterCount) return false;
    for (int r = start; r < start + count; ++r) {
        if (!(flags_[r] & kWritable)) return false;
    }
    return true;
}

void RegisterMap::read(std::uint16_t start, int count, std::vector<std::uint8_t>& out) const {
    const std::uint8_t* p = &store_[start * 2];
    out.insert(out.end(), p, p + count * 2);
}

void RegisterMap::write(std::uint16_t start, const std::uint8_t* data, int count) {
    std::memcpy(&store_[start * 2], data, static_cast<std::size_t>(count) * 2);
}

std::uint8_t* RegisterMap::bytes(std::uint16_t address, int offset) {
    return &store_[address * 2 + offset];
}

const std::uint8_t* RegisterMap::bytes(std::uint16_t address, int offset) const {
    return &store_[address * 2 + offset];
}

std::uint8_t RegisterMap::u8(std::uint16_t address, int offset) const {
    return *bytes(address, offset);
}

void RegisterMap::setU8(std::uint16_t address, int offset, std::uint8_t value) {
    *bytes(address, offset) = value;
}

std::uint16_t RegisterMap::u16(std::uint16_t address, int offset) const {
    return BigEndian::u16(bytes(address, offset));
}

void RegisterMap::setU16(std::uint16_t address, int offset, std::uint16_t value) {
    BigEndian::putU16(bytes(address, offset), value);
}

std::uint32_t RegisterMap::u32(std::uint16_t address, int offset) const {
    return BigEndian::u32(bytes(address, offset));
}

void RegisterMap::setU32(std::uint16_t address, int offset, std::uint32_t value) {
    BigEndian::putU32(bytes(address, offset), value);
}

std::int32_t RegisterMap::s32(std::uint16_t address, int offset) const {
    return static_cast<std::int32_t>(u32(address, offset));
}

void RegisterMap::setS32(std::uint16_t address, int offset, std::int32_t value) {
    setU32(address, offset, static_cast<std::uint32_t>(value));
}

float RegisterMap::f32(std::uint16_t address, int offset) const {
    return BigEndian::f32(bytes(address, offset));
}

void RegisterMap::setF32(std::uint16_t address, int offset, float value) {
    BigEndian::putF32(bytes(address, offset), value);
}

std::string RegisterMap::text(std::uint16_t address, int offset, int length) const {
    const std::uint8_t* p = bytes(address, offset);
    std::string s;
    for (int i = 0; i < length && p[i] != 0; ++i)
        s.push_back(static_cast<char>(p[i]));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

void RegisterMap::setText(std::uint16_t address, int offset, int length, std::string_view value,
                          char pad) {
    std::uint8_t* p = bytes(address, offset);
    for (int i = 0; i < length; ++i) {
        p[i] = static_cast<std::uint8_t>(i < static_cast<int>(value.size()) ? value[i] : pad);
    }
}

}  // namespace flowcfg
