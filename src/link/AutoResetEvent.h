#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace flowcfg {

// A signal that releases one wait and then clears itself. Setting it while nobody waits keeps it
// set for the next wait.
class AutoResetEvent {
public:
    void Set();
    void Reset();
    // Blocks until the event is set, then clears it.
    void Wait();
    // The same with a limit: true when the event was set within `timeout`.
    bool WaitFor(std::chrono::milliseconds timeout);

private:
    std::mutex mutex_;
    std::condition_variable signal_;
    bool set_ = false;
};

}  // namespace flowcfg
