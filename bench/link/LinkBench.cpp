// Timing of the instrument link over a pseudo-terminal:
//  1. round trip of a 10- and a 125-register read against a prompt responder, for this link and,
//     in the same run against the same responder, for libmodbus's modbus_read_registers;
//  2. processor time of a process that waits 10 s for answers that never come.
#include <modbus.h>
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "link/InstrumentLink.h"
#include "link/JBusFrame.h"
#include "link/PtyPair.h"

namespace {

using flowcfg::Bytes;
using flowcfg::InstrumentLink;
using flowcfg::JBusFrame;
using flowcfg::testing::PtyPair;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 1000;

// Answers every 8-byte read request at once, on each of its pseudo-terminals, with registers
// holding their own numbers.
class PromptResponder {
public:
    PromptResponder(std::vector<const PtyPair*> lines, bool silent = false)
        : lines_(std::move(lines)), silent_(silent) {
        thread_ = std::thread([this] { Run(); });
    }
    ~PromptResponder() {
        stop_ = true;
        thread_.join();
    }

private:
    void Run() {
        std::vector<pollfd> entries;
        for (const PtyPair* line : lines_)
            entries.push_back({line->master(), POLLIN, 0});
        std::vector<Bytes> requests(lines_.size());
        while (!stop_) {
            if (::poll(entries.data(), entries.size(), 20) <= 0) continue;
            for (std::size_t i = 0; i < entries.size(); ++i) {
                if (!(entries[i].revents & POLLIN)) continue;
                std::uint8_t buffer[512];
                const ssize_t n = ::read(entries[i].fd, buffer, sizeof buffer);
                if (n <= 0) continue;
                Bytes& request = requests[i];
                request.insert(request.end(), buffer, buffer + n);
                while (request.size() >= 8) {
                    if (!silent_) lines_[i]->Write(Reply(request));
                    request.erase(request.begin(), request.begin() + 8);
                }
            }
        }
    }
    static Bytes Reply(const Bytes& request) {
        const int start = request[2] << 8 | request[3];
        const int count = request[4] << 8 | request[5];
        Bytes body{request[0], request[1], static_cast<std::uint8_t>(2 * count)};
        for (int r = start; r < start + count; ++r) {
            body.push_back(static_cast<std::uint8_t>(r >> 8));
            body.push_back(static_cast<std::uint8_t>(r));
        }
        const std::uint16_t crc = JBusFrame::Crc16(body.data(), body.size());
        body.push_back(static_cast<std::uint8_t>(crc & 0xFF));
        body.push_back(static_cast<std::uint8_t>(crc >> 8));
        return body;
    }

    std::vector<const PtyPair*> lines_;
    bool silent_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

double medianMicroseconds(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

template <typename Exchange>
double timeOne(Exchange& exchange, bool& ok) {
    const auto start = Clock::now();
    ok = exchange() && ok;
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// Returns false when the target is missed. The two clients take turns, round by round, so that
// the load of the machine weighs on both alike.
bool roundTrip(int count) {
    PtyPair ourLine, theirLine;
    PromptResponder responder({&ourLine, &theirLine});
    ourLine.InstallAs(1);

    InstrumentLink link;
    if (link.Open(1, 7, 'N', 8, 1) != 0) {
        std::printf("cannot open the pseudo-terminal\n");
        return false;
    }
    link.SetAnswerTimeout(1000);
    modbus_t* context = modbus_new_rtu(theirLine.path().c_str(), 115200, 'N', 8, 1);
    if (!context || modbus_connect(context) != 0) {
        std::printf("libmodbus cannot open the pseudo-terminal\n");
        return false;
    }
    modbus_set_slave(context, 1);

    Bytes data;
    std::vector<std::uint16_t> registers(count);
    auto ours = [&] {
        return link.Exchange(1, 3, 0, count, data, 2) == 0 &&
               data.size() == static_cast<std::size_t>(2 * count);
    };
    auto theirs = [&] {
        return modbus_read_registers(context, 0, count, registers.data()) == count;
    };
    bool ok = true;
    std::vector<double> ourTimes, theirTimes;
    for (int i = 0; i < kRounds; ++i) {
        ourTimes.push_back(timeOne(ours, ok));
        theirTimes.push_back(timeOne(theirs, ok));
    }
    modbus_close(context);
    modbus_free(context);

    const double ourMedian = medianMicroseconds(ourTimes);
    const double theirMedian = medianMicroseconds(theirTimes);
    const double ratio = ourMedian / theirMedian;
    const bool met = ok && ratio <= 1.5;
    std::printf(
        "round trip, %3d registers: flowcfg median %8.1f us, libmodbus median %8.1f us, "
        "ratio %.2f (target <= 1.50) %s\n",
        count, ourMedian, theirMedian, ratio, ok ? (met ? "met" : "MISSED") : "EXCHANGE FAILED");
    return met;
}

double cpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool idleWait() {
    PtyPair pty;
    PromptResponder responder({&pty}, true);
    pty.InstallAs(1);
    InstrumentLink link;
    if (link.Open(1, 5, 'N', 8, 1) != 0) return false;
    link.SetAnswerTimeout(1000);
    const double cpuStart = cpuSeconds();
    const auto start = Clock::now();
    int exchanges = 0;
    Bytes data;
    while (Clock::now() - start < std::chrono::seconds(10)) {
        link.Exchange(1, 3, 0, 10, data, 2);
        ++exchanges;
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const double share = 100.0 * (cpuSeconds() - cpuStart) / wall;
    const bool met = share < 1.0;
    std::printf(
        "waiting for answers that never come: %d exchanges in %.1f s, processor time %.3f %% of "
        "the wall time (target < 1 %%) %s\n",
        exchanges, wall, share, met ? "met" : "MISSED");
    return met;
}

}  // namespace

int main() {
    bool met = roundTrip(10);
    met = roundTrip(125) && met;
    met = idleWait() && met;
    return met ? 0 : 1;
}
