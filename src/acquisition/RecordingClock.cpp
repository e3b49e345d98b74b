#include "acquisition/RecordingClock.h"

#include <cmath>

namespace flowcfg {

void RecordingClock::configure(int periodSeconds, double durationMinutes) {
    period_ = periodSeconds < 1 ? 1 : periodSeconds;
    duration_ = std::isfinite(durationMinutes) && durationMinutes > 0 ? durationMinutes : 0;
}

void RecordingClock::restart() {
    started_ = newFile_ = false;
    start_ = previous_ = accumulator_ = 0;
}

bool RecordingClock::takeSample(std::int64_t now) {
    if (!started_) {
        started_ = true;
        start_ = previous_ = now;
        accumulator_ = period_;
    }
    if (newFile_ && now >= previous_) {
        newFile_ = false;
        previous_ = now;
        accumulator_ = 0;
        return true;
    }
    const std::int64_t elapsed = now - previous_;
    previous_ = now;
    if (elapsed < 0) {
        start_ += elapsed;
        accumulator_ = 0;
        return false;
    }
    accumulator_ += elapsed;
    if (accumulator_ < period_) return false;
    accumulator_ %= period_;
    return true;
}

bool RecordingClock::durationElapsed(std::int64_t now) const {
    return duration_ > 0 && started_ && double(now) >= double(start_) + duration_ * 60.0;
}

std::int64_t RecordingClock::secondsLeft(std::int64_t now) const {
    if (duration_ <= 0) return 0;
    const double left = double(start_) + duration_ * 60.0 - double(now);
    return left > 0 ? std::int64_t(std::ceil(left)) : 0;
}

}  // namespace flowcfg
