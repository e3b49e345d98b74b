#pragma once

#include <cstdint>
#include <vector>

namespace flowcfg {

// A growable byte array: frames on the line and register block data travel in it.
using Bytes = std::vector<std::uint8_t>;

}  // namespace flowcfg
