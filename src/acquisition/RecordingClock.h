#pragma once

#include <cstdint>

namespace flowcfg {

// Which complete polling cycles of a recording become samples, timed by the instrument's own
// clock (seconds since 1980-01-01 00:00:00). The first cycle is always a sample; afterwards a
// sample is taken once a whole period of instrument time has passed since the last one, the
// remainder carried over, so a period of 1 s with a clock that advances 3 s a cycle still takes
// one sample a cycle. At most one sample is taken a cycle, however far the clock jumps.
//
// A clock that steps backwards (set by hand, a battery swap) restarts the period at its new time
// and moves the start back with it, so the recording neither writes at once nor loses its
// duration; the carried time never becomes negative.
class RecordingClock {
public:
    // A period below 1 s counts as 1 s; a negative duration as none (0 = unlimited).
    void configure(int periodSeconds, double durationMinutes);
    int period() const { return period_; }
    double durationMinutes() const { return duration_; }

    // Before the first sample of a recording: the next cycle is a sample and starts the time
    // base.
    void restart();
    // A recording going on in a new file (the file limit was reached): the next cycle is the new
    // file's first sample, and the duration still counts from the recording's first sample, so
    // that a recording with a duration ends however many files it fills.
    void continueInNewFile() { newFile_ = true; }
    // Makes the next cycle count from 1980-01-01 00:00:00, so that it is a sample whatever the
    // period (pages whose samples are not paced by the clock).
    void forgetPrevious() { previous_ = 0; }

    // A complete cycle at instrument time `now`: true when it is to be written as a sample.
    bool takeSample(std::int64_t now);
    // Whether the recording's duration has passed at `now` (never without a duration).
    bool durationElapsed(std::int64_t now) const;
    // Seconds of the duration left at `now`, never below 0.
    std::int64_t secondsLeft(std::int64_t now) const;

    std::int64_t start() const { return start_; }
    std::int64_t previous() const { return previous_; }
    std::int64_t carried() const { return accumulator_; }

private:
    int period_ = 1;
    double duration_ = 0;
    bool started_ = false;
    bool newFile_ = false;
    std::int64_t start_ = 0;
    std::int64_t previous_ = 0;
    std::int64_t accumulator_ = 0;
};

}  // namespace flowcfg
