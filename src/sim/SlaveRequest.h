#pragma once

#include <cstdint>
#include <vector>

namespace flowcfg {

// A request as the instrument sees it once its frame is taken apart. For functions other than
// 3, 4 and 16 only slave and function are meaningful.
struct SlaveRequest {
    std::uint8_t slave = 0;
    std::uint8_t function = 0;
    std::uint16_t start = 0;
    std::uint16_t count = 0;
    int byteCount = -1;              // function 16: the byte count field
    std::vector<std::uint8_t> data;  // function 16: the register data
};

}  // namespace flowcfg
