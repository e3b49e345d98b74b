#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace flowcfg {

class AcquisitionPage;

// The polling notifications of a page without a window: the link's worker posts one per
// exchange (never waiting), and the thread that runs the page takes them one by one and lets the
// page handle each, as a window's message loop would. The command-line tool and the tests run
// their pages on it.
class CompletionQueue {
public:
    // Connects `page` to this queue: its notifications are posted here. The queue must outlive
    // the page's polling.
    void attach(AcquisitionPage& page);

    // Any thread: one more notification waits.
    void post();
    // Waits up to `timeout` for a notification and takes it: true when one was taken. Returns
    // early, false, once interrupt() was called.
    bool wait(std::chrono::milliseconds timeout);
    // Takes one notification and lets the page handle it: true when one was handled.
    bool pump(AcquisitionPage& page, std::chrono::milliseconds timeout);
    // Ends the current and every later wait at once (a signal handler's flag is polled by the
    // caller; this is for other threads).
    void interrupt();
    int pending() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable posted_;
    int pending_ = 0;
    bool interrupted_ = false;
};

}  // namespace flowcfg
