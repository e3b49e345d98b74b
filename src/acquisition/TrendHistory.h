#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>

namespace flowcfg {

// The flows and path velocities of the last minutes, by instrument time, for the trend plot.
// Points older than the span (measured from the newest point) go; a clock that steps back
// starts the history again, so the time axis always runs forwards.
class TrendHistory {
public:
    enum Series { kQA, kQB, kQT, kVelocityA, kVelocityB, kSeriesCount };
    static constexpr std::int64_t kDefaultSpanSeconds = 600;
    static constexpr std::size_t kMaxPoints = 4000;

    struct Point {
        std::int64_t time = 0;  // seconds since 1980-01-01 00:00:00, instrument clock
        std::array<double, kSeriesCount> values{};
    };

    explicit TrendHistory(std::int64_t spanSeconds = kDefaultSpanSeconds) : span_(spanSeconds) {}

    void add(const Point& point);
    void clear() { points_.clear(); }
    const std::deque<Point>& points() const { return points_; }
    std::int64_t span() const { return span_; }

private:
    std::int64_t span_;
    std::deque<Point> points_;
};

}  // namespace flowcfg
