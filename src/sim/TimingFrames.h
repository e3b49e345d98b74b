#pragma once

#include <cstdint>
#include <random>

#include "sim/RegisterMap.h"

namespace flowcfg {

class Plant;

// Raw frames of the timing circuit (blocks 0xF100 and 0xF200): a new frame for every read, built
// from the chord values the plant measures, with a frame number that advances each time.
class TimingFrames {
public:
    explicit TimingFrames(std::uint32_t seed) : random_(seed) {}

    // Builds the next frame into `block` (0xF100 or 0xF200).
    void next(RegisterMap& map, std::uint16_t block, const Plant& plant);
    std::uint32_t framesBuilt() const { return frames_; }

private:
    std::mt19937 random_;
    std::uint32_t frames_ = 0;
};

}  // namespace flowcfg
