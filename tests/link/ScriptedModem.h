#pragma once

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/PtyPair.h"

namespace flowcfg::testing {

// A stand-in for a Hayes modem on the master side of a pseudo-terminal: takes command lines
// (ending with a carriage return) and the escape sequence "+++", keeps every byte it received, and
// answers each command as the script says (nothing when the script gives an empty text).
class ScriptedModem {
public:
    using Script = std::function<std::string(const std::string& command)>;

    ScriptedModem(PtyPair& pty, Script script) : pty_(pty), script_(std::move(script)) {
        thread_ = std::thread([this] { Run(); });
    }
    ~ScriptedModem() { Stop(); }

    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    // The commands taken, without their line ends.
    std::vector<std::string> Commands() const {
        std::lock_guard lock(mutex_);
        return commands_;
    }
    // Every byte received, as text.
    std::string Received() const {
        std::lock_guard lock(mutex_);
        return received_;
    }

private:
    void Take(const std::string& command) {
        {
            std::lock_guard lock(mutex_);
            commands_.push_back(command);
        }
        const std::string answer = script_(command);
        if (!answer.empty()) pty_.Write(Bytes(answer.begin(), answer.end()));
    }

    void Run() {
        std::string line;
        while (!stop_) {
            pollfd entry{pty_.master(), POLLIN, 0};
            if (::poll(&entry, 1, 20) <= 0 || !(entry.revents & POLLIN)) {
                // "+++" stands alone between two silences.
                if (line == "+++") {
                    line.clear();
                    Take("+++");
                }
                continue;
            }
            char buffer[256];
            const ssize_t n = ::read(pty_.master(), buffer, sizeof buffer);
            if (n <= 0) continue;
            {
                std::lock_guard lock(mutex_);
                received_.append(buffer, static_cast<std::size_t>(n));
            }
            for (ssize_t i = 0; i < n; ++i) {
                if (buffer[i] == '\n' && line.empty()) continue;
                if (buffer[i] == '\r') {
                    Take(line);
                    line.clear();
                } else {
                    line += buffer[i];
                }
            }
        }
    }

    PtyPair& pty_;
    Script script_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> commands_;
    std::string received_;
    std::thread thread_;
};

}  // namespace flowcfg::testing
