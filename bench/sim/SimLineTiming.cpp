// flowsim's answer times on its pseudo-terminal, seen from a master:
//  - unpaced, a 125-register read is answered within 1 ms of the request's last byte;
//  - with --pace 9600, a request and its answer take their line time (10 bits a byte) within 5 %.
// Prints the figures; the exit status is 1 when a target is missed.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "BenchSim.h"
#include "link/JBusCodec.h"
#include "sim/PtyLine.h"

namespace {

using Clock = std::chrono::steady_clock;

int openPort(const std::string& path, int baud) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) throw std::runtime_error("cannot open " + path);
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&t, flowcfg::PtyLine::speedConstant(baud));
    cfsetospeed(&t, flowcfg::PtyLine::speedConstant(baud));
    tcsetattr(fd, TCSANOW, &t);
    return fd;
}

// Sends the request and returns the seconds until the whole reply is in; negative on time-out.
double exchange(int fd, const std::vector<std::uint8_t>& request, std::size_t replyLength) {
    std::vector<std::uint8_t> reply;
    const Clock::time_point sent = Clock::now();
    if (::write(fd, request.data(), request.size()) != static_cast<ssize_t>(request.size())) {
        return -1.0;
    }
    while (reply.size() < replyLength) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 2000) <= 0) return -1.0;
        std::uint8_t buffer[512];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) reply.insert(reply.end(), buffer, buffer + n);
    }
    return std::chrono::duration<double>(Clock::now() - sent).count();
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

}  // namespace

int main() {
    int status = 0;
    flowcfg::JBusCodec codec;
    // 125 registers of the logger memory (function 4): the longest read there is.
    codec.BuildRequest(1, 4, 0, 125, 2, {});
    const std::vector<std::uint8_t> request = codec.RequestBytes();
    const std::size_t replyLength = static_cast<std::size_t>(codec.ExpectedReplyLength());

    {
        auto sim = flowcfg::bench::startSim({});
        const int fd = openPort(sim->path(), 9600);
        std::vector<double> times;
        for (int i = 0; i < 300; ++i) {
            const double t = exchange(fd, request, replyLength);
            if (t < 0) {
                std::printf("unpaced: no answer\n");
                return 1;
            }
            times.push_back(t);
        }
        ::close(fd);
        const double median = percentile(times, 0.5) * 1e3;
        const double p95 = percentile(times, 0.95) * 1e3;
        const double worst = percentile(times, 1.0) * 1e3;
        const bool ok = median <= 1.0;
        std::printf(
            "unpaced 125-register read, request to last reply byte, %zu runs: median %.3f ms, "
            "95%% %.3f ms, worst %.3f ms (target: within 1 ms) %s\n",
            times.size(), median, p95, worst, ok ? "ok" : "MISSED");
        if (!ok) status = 1;
    }
    {
        auto sim = flowcfg::bench::startSim({"--pace", "9600"});
        const int fd = openPort(sim->path(), 9600);
        const double line = static_cast<double>(request.size() + replyLength) * 10.0 / 9600.0;
        std::vector<double> times;
        for (int i = 0; i < 12; ++i) {
            const double t = exchange(fd, request, replyLength);
            if (t < 0) {
                std::printf("paced: no answer\n");
                return 1;
            }
            times.push_back(t);
        }
        ::close(fd);
        double mean = 0.0;
        for (double t : times)
            mean += t;
        mean /= static_cast<double>(times.size());
        const double lo = percentile(times, 0.0);
        const double hi = percentile(times, 1.0);
        const bool ok = std::fabs(lo - line) <= 0.05 * line && std::fabs(hi - line) <= 0.05 * line;
        std::printf(
            "paced at 9600 baud, 8-byte request + %zu-byte reply: line time %.2f ms, measured "
            "mean %.2f ms, range %.2f ... %.2f ms (%+.2f %% ... %+.2f %%; target within 5 %%) %s\n",
            replyLength, line * 1e3, mean * 1e3, lo * 1e3, hi * 1e3, (lo / line - 1.0) * 100.0,
            (hi / line - 1.0) * 100.0, ok ? "ok" : "MISSED");
        if (!ok) status = 1;
    }
    return status;
}
