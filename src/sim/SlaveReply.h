#pragma once

#include <cstdint>
#include <vector>

namespace flowcfg {

// The instrument's answer to one request: the function code (with 0x80 for an exception) and the
// bytes between it and the CRC, sent from the slave address `slave`.
struct SlaveReply {
    std::uint8_t slave = 0;
    std::uint8_t function = 0;
    int exception = 0;  // 0, or the exception code carried in the payload
    std::vector<std::uint8_t> payload;
};

}  // namespace flowcfg
