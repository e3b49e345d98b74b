#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

namespace flowcfg::testing {

// A modem answer held back until the test lets it go: stands for the long wait of a dial, during
// which the user may cancel. The scripted modem calls Hold on its own thread.
class HeldAnswer {
public:
    // Notes that the command came, waits until released (at most 10 s, so that a failing test
    // cannot hang), then gives `answer`.
    std::string Hold(std::string answer) {
        std::unique_lock lock(mutex_);
        arrived_ = true;
        changed_.notify_all();
        changed_.wait_for(lock, std::chrono::seconds(10), [this] { return released_; });
        return answer;
    }
    // True once the command came; waits for it at most `timeoutMs`.
    bool WaitArrived(int timeoutMs = 5000) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                 [this] { return arrived_; });
    }
    bool Arrived() {
        std::lock_guard lock(mutex_);
        return arrived_;
    }
    void Release() {
        std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool arrived_ = false;
    bool released_ = false;
};

}  // namespace flowcfg::testing
