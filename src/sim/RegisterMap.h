#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace flowcfg {

// The instrument's 16-bit holding registers, 0x0000 ... 0xFFFF, as one flat store. Blocks are
// declared with their start register and size; a register belongs to the map when some block
// covers it, and may be written when some writable block covers it. Blocks may overlap, so a
// read can start at any mapped register, as on the instrument. Field accessors address bytes
// by block address and byte offset; values are big-endian.
class RegisterMap {
public:
    enum class Access { ReadOnly, ReadWrite };
    struct Block {
        std::uint16_t address = 0;
        int registers = 0;
        Access access = Access::ReadOnly;
        std::string name;
    };

    RegisterMap();

    // Declares a block; its registers read as zero until set.
    void declare(std::uint16_t address, int registers, Access access, std::string name);
    const std::vector<Block>& blocks() const { return blocks_; }
    // The declared block that starts at `address`, or nullptr.
    const Block* findBlock(std::uint16_t address) const;

    // True when every register of start ... start + count - 1 is mapped (resp. writable).
    bool mapped(std::uint16_t start, int count) const;
    bool writable(std::uint16_t start, int count) const;

    // Appends the 2 x count bytes of the registers to `out`. The caller checks `mapped`.
    void read(std::uint16_t start, int count, std::vector<std::uint8_t>& out) const;
    // Stores 2 x count bytes. The caller checks `writable`.
    void write(std::uint16_t start, const std::uint8_t* data, int count);

    // Field access by block address and byte offset.
    std::uint8_t* bytes(std::uint16_t address, int offset = 0);
    const std::uint8_t* bytes(std::uint16_t address, int offset = 0) const;
    std::uint8_t u8(std::uint16_t address, int offset) const;
    void setU8(std::uint16_t address, int offset, std::uint8_t value);
    std::uint16_t u16(std::uint16_t address, int offset) const;
    void setU16(std::uint16_t address, int offset, std::uint16_t value);
    std::uint32_t u32(std::uint16_t address, int offset) const;
    void setU32(std::uint16_t address, int offset, std::uint32_t value);
    std::int32_t s32(std::uint16_t address, int offset) const;
    void setS32(std::uint16_t address, int offset, std::int32_t value);
    float f32(std::uint16_t address, int offset) const;
    void setF32(std::uint16_t address, int offset, float value);
    // Characters up to `length` or the first zero byte, trailing spaces removed.
    std::string text(std::uint16_t address, int offset, int length) const;
    // The text cut to `length`, the rest filled with `pad`.
    void setText(std::uint16_t address, int offset, int length, std::string_view value,
                 char pad = '\0');

private:
    static constexpr int kRegisterCount = 0x10000;
    // Bytes past the last register, so that a field read near 0xFFFF never leaves the store.
    static constexpr int kSlack = 256;

    std::vector<std::uint8_t> store_;
    std::vector<std::uint8_t> flags_;  // per register: bit 0 mapped, bit 1 writable
    std::vector<Block> blocks_;
};

}  // namespace flowcfg
