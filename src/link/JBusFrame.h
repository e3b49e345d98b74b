#pragma once

#include <cstddef>
#include <cstdint>

#include "link/Bytes.h"
#include "link/LinkResult.h"

namespace flowcfg {

// One JBus frame, request or reply: slave address, function code, the bytes between them and the
// CRC, and the whole frame as it goes on the line. The CRC is the Modbus RTU CRC-16 and travels
// low byte first; `crc` holds it in transmission order (first byte on the line in the high 8
// bits).
class JBusFrame {
public:
    static constexpr std::size_t kMinimumLength = 5;

    JBusFrame() { ResetFrame(); }

    // slave := 255, function := 255, payload and raw emptied, crc := 0xFFFF.
    void ResetFrame();
    // Appends slave, function, the payload bytes and the CRC to raw (reset the frame first).
    // Returns 0.
    int BuildFrame(std::uint8_t slaveAddress, std::uint8_t functionCode, const Bytes& payloadBytes);
    // Takes a received frame apart: 0, 202 (fewer than 5 bytes) or 201 (CRC wrong). A frame that
    // fails keeps slave and function 255 and an empty payload; raw holds what was received.
    int ParseFrame(const Bytes& received);
    // The CRC of raw without its last two bytes, in transmission order; 0xFFFF when raw has two
    // bytes or fewer.
    std::uint16_t ComputeCrc() const;
    // 0 when raw has more than two bytes and its CRC matches the stored crc, else -1.
    int CheckCrc() const;

    // The plain CRC-16 value (initial 0xFFFF, reflected polynomial 0xA001, no final XOR) of
    // `length` bytes; its low byte is sent first. Bitwise, no table.
    static std::uint16_t Crc16(const std::uint8_t* data, std::size_t length);

    Bytes payload;          // the bytes between the function code and the CRC (parsed frames)
    Bytes raw;              // the whole frame
    std::uint16_t crc = 0;  // transmission order: first CRC byte on the line in the high byte
    std::uint8_t function = 0;
    std::uint8_t slave = 0;
};

}  // namespace flowcfg
