#pragma once

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "link/PtyPair.h"

namespace flowcfg::testing {

// Two pseudo-terminals joined master to master, like a null-modem cable: what one program writes
// to the first device the other reads from the second, and back. Lets two programs that each
// want a device path talk to each other.
class PtyBridge {
public:
    PtyBridge() {
        thread_ = std::thread([this] { Run(); });
    }
    ~PtyBridge() {
        stop_ = true;
        thread_.join();
    }
    const std::string& first() const { return a_.path(); }
    const std::string& second() const { return b_.path(); }
    const PtyPair& firstPair() const { return a_; }

private:
    void Run() {
        pollfd entries[2] = {{a_.master(), POLLIN, 0}, {b_.master(), POLLIN, 0}};
        while (!stop_) {
            if (::poll(entries, 2, 20) <= 0) continue;
            for (int i = 0; i < 2; ++i) {
                if (!(entries[i].revents & POLLIN)) continue;
                std::uint8_t buffer[512];
                const ssize_t n = ::read(entries[i].fd, buffer, sizeof buffer);
                if (n > 0) (i == 0 ? b_ : a_).Write(Bytes(buffer, buffer + n));
            }
        }
    }

    PtyPair a_;
    PtyPair b_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace flowcfg::testing
