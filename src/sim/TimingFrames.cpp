#include "sim/TimingFrames.h"

#include <algorithm>
#include <cmath>

#include "sim/Plant.h"
#include "sim/RegisterLayout.h"

namespace flowcfg {

void TimingFrames::next(RegisterMap& map, std::uint16_t block, const Plant& plant) {
    using F = TimingFrameBlock;
    ++frames_;
    std::normal_distribution<double> noise(0.0, 1.0);
    const int chords =
        std::min<int>(F::kChords, map.u16(PipeBlock::kAddressA, PipeBlock::kNumberOfChords));
    map.setU8(block, F::kVersion, 3);
    map.setU8(block, F::kFlagArray, static_cast<std::uint8_t>(frames_ & 0x0F));
    map.setU8(block, F::kConfigCounter, 1);
    map.setU8(block, F::kPhase, static_cast<std::uint8_t>(frames_ % 4));
    map.setU8(block, F::kFrameNumber, static_cast<std::uint8_t>(frames_));
    map.setU8(block, F::kChordCount, static_cast<std::uint8_t>(chords));
    map.setU8(block, F::kGainUp, static_cast<std::uint8_t>(38 + frames_ % 3));
    map.setU8(block, F::kGainDown, static_cast<std::uint8_t>(38 + (frames_ + 1) % 3));
    map.setU8(block, F::kStatus, 0);
    map.setU8(block, F::kJitter, static_cast<std::uint8_t>(2 + frames_ % 5));
    map.setU16(block, F::kFlags, static_cast<std::uint16_t>(0x0005 | ((frames_ & 1) << 9)));

    double sumDelta = 0.0;
    double sumTransit = 0.0;
    for (int c = 0; c < F::kChords; ++c) {
        const int at = F::kChordValues + F::kChordValueBytes * c;
        if (c >= chords) {
            map.setU16(block, at + F::kChordDeltaT, 0);
            map.setU16(block, at + F::kChordUpDown, 0);
            map.setU16(block, at + F::kChordDownUp, 0);
            continue;
        }
        const int e = ChordValuesBlock::kEntryBytes * c;
        const double transit =
            map.f32(ChordValuesBlock::kAddressA, e + ChordValuesBlock::kTransitTime);
        const double delta = map.f32(ChordValuesBlock::kAddressA, e + ChordValuesBlock::kDeltaT) +
                             0.3 * noise(random_);
        const double up = transit + delta / 2000.0;
        const double down = transit - delta / 2000.0;
        sumDelta += delta;
        sumTransit += transit;
        map.setU16(
            block, at + F::kChordDeltaT,
            static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(delta * 10.0))));
        map.setU16(block, at + F::kChordUpDown, static_cast<std::uint16_t>(std::lround(up * 10.0)));
        map.setU16(block, at + F::kChordDownUp,
                   static_cast<std::uint16_t>(std::lround(down * 10.0)));
    }
    const double n = std::max(chords, 1);
    map.setU32(block, F::kMeanDeltaT,
               static_cast<std::uint32_t>(std::lround(std::fabs(sumDelta / n) * 100.0)));
    map.setU32(block, F::kMeanTransitTime,
               static_cast<std::uint32_t>(std::lround(sumTransit / n * 100.0)));
    map.setU16(block, F::kTemperature,
               static_cast<std::uint16_t>(std::lround(plant.waterTemperature() * 100.0)));
    map.setU16(block, F::kSupply,
               static_cast<std::uint16_t>(3300 + std::lround(noise(random_) * 5.0)));
    map.setU16(block, F::kNoise,
               static_cast<std::uint16_t>(std::lround(20.0 + std::fabs(noise(random_)) * 4.0)));
    map.setU16(block, F::kAmplitudeUp,
               static_cast<std::uint16_t>(std::lround(900.0 + noise(random_) * 10.0)));
    map.setU16(block, F::kAmplitudeDown,
               static_cast<std::uint16_t>(std::lround(880.0 + noise(random_) * 10.0)));
    // The received echo: a tone burst under a rising and falling envelope, centred at 128.
    for (int i = 0; i < F::kEchoSampleCount; ++i) {
        const double envelope = std::sin(3.14159265358979 * i / (F::kEchoSampleCount - 1));
        const double sample =
            128.0 + 110.0 * envelope * std::sin(i * 1.3 + frames_ * 0.1) + 2.0 * noise(random_);
        map.setU8(block, F::kEchoSamples + i,
                  static_cast<std::uint8_t>(std::clamp(std::lround(sample), 0L, 255L)));
    }
}

}  // namespace flowcfg
