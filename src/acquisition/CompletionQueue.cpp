#include "acquisition/CompletionQueue.h"

#include "acquisition/AcquisitionPage.h"

namespace flowcfg {

void CompletionQueue::attach(AcquisitionPage& page) {
    page.setFramePoster([this] { post(); });
}

void CompletionQueue::post() {
    {
        std::lock_guard lock(mutex_);
        ++pending_;
    }
    posted_.notify_one();
}

bool CompletionQueue::wait(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!posted_.wait_for(lock, timeout, [this] { return pending_ > 0 || interrupted_; }))
        return false;
    if (interrupted_) return false;
    --pending_;
    return true;
}

bool CompletionQueue::pump(AcquisitionPage& page, std::chrono::milliseconds timeout) {
    if (!wait(timeout)) return false;
    page.HandleNewFrame();
    return true;
}

void CompletionQueue::interrupt() {
    {
        std::lock_guard lock(mutex_);
        interrupted_ = true;
    }
    posted_.notify_all();
}

int CompletionQueue::pending() const {
    std::lock_guard lock(mutex_);
    return pending_;
}

}  // namespace flowcfg
