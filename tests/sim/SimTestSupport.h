#pragma once

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/TempDir.h"
#include "sim/PtyLine.h"
#include "sim/SimOptions.h"
#include "sim/SimThread.h"

namespace flowcfg::testing {

// flowsim serving on its own thread for the length of a test, with its log in a temporary
// directory.
class RunningSim {
public:
    explicit RunningSim(std::vector<std::string> args, bool withLog = true) {
        if (withLog) {
            args.push_back("--log");
            args.push_back(dir_.file("sim.log"));
        }
        std::string error;
        sim_ = SimThread::start(args, error);
        if (!sim_) throw std::runtime_error(error);
    }

    int stop() { return sim_->stop(); }
    const std::string& path() const { return sim_->path(); }
    std::string log() const { return readFile(dir_.file("sim.log")); }
    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
    std::unique_ptr<SimThread> sim_;
};

// A bare serial port on the pseudo-terminal, for exchanges no Modbus library would make.
class RawPort {
public:
    explicit RawPort(const std::string& path, int baud = 9600) {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ < 0) throw std::runtime_error("cannot open " + path);
        termios t{};
        tcgetattr(fd_, &t);
        cfmakeraw(&t);
        t.c_cflag |= CLOCAL | CREAD;
        cfsetispeed(&t, PtyLine::speedConstant(baud));
        cfsetospeed(&t, PtyLine::speedConstant(baud));
        tcsetattr(fd_, TCSANOW, &t);
        tcflush(fd_, TCIOFLUSH);
    }
    ~RawPort() {
        if (fd_ >= 0) ::close(fd_);
    }
    RawPort(const RawPort&) = delete;
    RawPort& operator=(const RawPort&) = delete;

    void send(const std::vector<std::uint8_t>& bytes) {
        [[maybe_unused]] const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    }
    void send(const std::string& text) {
        send(std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    // Collects bytes until `length` have come (0: no limit) or `quietMs` pass without one.
    std::vector<std::uint8_t> receive(std::size_t length, int quietMs = 400) {
        std::vector<std::uint8_t> out;
        for (;;) {
            if (length > 0 && out.size() >= length) return out;
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, quietMs) <= 0) return out;
            std::uint8_t buffer[512];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0) return out;
            out.insert(out.end(), buffer, buffer + n);
        }
    }
    std::string receiveText(int quietMs = 400) {
        const auto b = receive(0, quietMs);
        return std::string(b.begin(), b.end());
    }
    int fd() const { return fd_; }

private:
    int fd_ = -1;
};

}  // namespace flowcfg::testing
