#pragma once

#include <cstddef>
#include <deque>

namespace flowcfg {

// The signals of one chord as its signal window plots them: the last delta-T and transit-time
// values (a bounded number of each, oldest first), their means, and the chord's latest gains and
// sound velocity with the water temperature that velocity stands for.
class ChordSignalTrace {
public:
    static constexpr std::size_t kDefaultPoints = 300;

    explicit ChordSignalTrace(std::size_t points = kDefaultPoints) : capacity_(points) {}

    struct Sample {
        double deltaT = 0;         // ns
        double transitTime = 0;    // µs
        double gainUp = 0;         // dB
        double gainDown = 0;       // dB
        double soundVelocity = 0;  // m/s
    };
    // Appends one reading; the oldest goes once the trace is full.
    void add(const Sample& sample);
    void clear();

    // The vertical range of a plot: from the largest multiple of 0.1 not above the lowest value
    // to the smallest multiple of 0.1 not below the highest ({0, 0} for an empty trace).
    struct Range {
        double low = 0;
        double high = 0;
    };
    static Range rangeOf(const std::deque<double>& values);
    static double meanOf(const std::deque<double>& values);

    const std::deque<double>& deltaT() const { return deltaT_; }
    const std::deque<double>& transitTime() const { return transit_; }
    double meanDeltaT() const { return meanOf(deltaT_); }
    double meanTransitTime() const { return meanOf(transit_); }
    Range deltaTRange() const { return rangeOf(deltaT_); }
    Range transitTimeRange() const { return rangeOf(transit_); }
    const Sample& latest() const { return latest_; }
    // WaterTemperatureFromSoundSpeed of the latest sound velocity.
    double waterTemperature() const;
    std::size_t capacity() const { return capacity_; }
    // Readings added since the trace was made or cleared (the plots' abscissa).
    long long added() const { return added_; }

private:
    std::size_t capacity_;
    std::deque<double> deltaT_;
    std::deque<double> transit_;
    Sample latest_;
    long long added_ = 0;
};

}  // namespace flowcfg
