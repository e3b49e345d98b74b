#include "link/AutoResetEvent.h"

namespace flowcfg {

void AutoResetEvent::Set() {
    {
        std::lock_guard lock(mutex_);
        set_ = true;
    }
    signal_.notify_one();
}

void AutoResetEvent::Reset() {
    std::lock_guard lock(mutex_);
    set_ = false;
}

void AutoResetEvent::Wait() {
    std::unique_lock lock(mutex_);
    signal_.wait(lock, [this] { return set_; });
    set_ = false;
}

bool AutoResetEvent::WaitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!signal_.wait_for(lock, timeout, [this] { return set_; })) return false;
    set_ = false;
    return true;
}

}  // namespace flowcfg
