#include "acquisition/ChordSignalTrace.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "acquisition/WaterTemperature.h"

namespace flowcfg {

void ChordSignalTrace::add(const Sample& sample) {
    latest_ = sample;
    ++added_;
    for (auto [trace, value] :
         {std::pair{&deltaT_, sample.deltaT}, std::pair{&transit_, sample.transitTime}}) {
        trace->push_back(value);
        while (trace->size() > capacity_)
            trace->pop_front();
    }
}

void ChordSignalTrace::clear() {
    deltaT_.clear();
    transit_.clear();
    latest_ = Sample();
    added_ = 0;
}

double ChordSignalTrace::meanOf(const std::deque<double>& values) {
    if (values.empty()) return 0;
    return std::accumulate(values.begin(), values.end(), 0.0) / double(values.size());
}

ChordSignalTrace::Range ChordSignalTrace::rangeOf(const std::deque<double>& values) {
    if (values.empty()) return {};
    auto [low, high] = std::minmax_element(values.begin(), values.end());
    // Tenths counted as integers, with a little slack so that 12.3 (stored as 12.2999...)
    // stays 12.3 and does not become 12.2.
    constexpr double kSlack = 1e-9;
    Range range{std::floor(*low * 10 + kSlack) / 10, std::ceil(*high * 10 - kSlack) / 10};
    return range;
}

double ChordSignalTrace::waterTemperature() const {
    return WaterTemperatureFromSoundSpeed(latest_.soundVelocity);
}

}  // namespace flowcfg
