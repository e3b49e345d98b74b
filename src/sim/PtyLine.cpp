#include "sim/PtyLine.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace flowcfg {

namespace {

struct SpeedEntry {
    int baud;
    speed_t speed;
};

constexpr SpeedEntry kSpeeds[] = {
    {50, B50},         {75, B75},           {110, B110},       {134, B134},       {150, B150},
    {200, B200},       {300, B300},         {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},     {4800, B4800},       {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600},   {115200, B115200},   {230400, B230400}, {460800, B460800}, {500000, B500000},
    {921600, B921600}, {1000000, B1000000},
};

// How long a write may wait for room before the rest is dropped.
constexpr int kWriteWaitMs = 200;

}  // namespace

unsigned PtyLine::speedConstant(int baud) {
    for (const SpeedEntry& e : kSpeeds) {
        if (e.baud == baud) return e.speed;
    }
    return 0;
}

int PtyLine::baudOf(unsigned speed) {
    for (const SpeedEntry& e : kSpeeds) {
        if (e.speed == speed) return e.baud;
    }
    return 0;
}

PtyLine::~PtyLine() {
    close();
}

bool PtyLine::open(int baud, std::string& error) {
    close();
    char name[256] = {};
    int master = -1;
    int slave = -1;
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    termios t{};
    tcgetattr(slave, &t);
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~(PARENB | CSTOPB | CSIZE);
    t.c_cflag |= CS8;
    const speed_t speed = speedConstant(baud) != 0 ? speedConstant(baud) : B9600;
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    tcsetattr(slave, TCSANOW, &t);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    master_ = master;
    slave_ = slave;
    path_ = name;
    return true;
}

void PtyLine::close() {
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
    master_ = -1;
    slave_ = -1;
}

int PtyLine::peerBaud() const {
    termios t{};
    if (slave_ < 0 || tcgetattr(slave_, &t) != 0) return 0;
    return baudOf(cfgetospeed(&t));
}

long PtyLine::read(std::uint8_t* buffer, std::size_t size) {
    const ssize_t n = ::read(master_, buffer, size);
    if (n < 0) return errno == EAGAIN || errno == EINTR ? 0 : -1;
    return n;
}

std::size_t PtyLine::write(const std::uint8_t* data, std::size_t length) {
    std::size_t done = 0;
    while (done < length && master_ >= 0) {
        const ssize_t n = ::write(master_, data + done, length - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) break;
        pollfd p{master_, POLLOUT, 0};
        if (poll(&p, 1, kWriteWaitMs) <= 0) break;
    }
    return done;
}

}  // namespace flowcfg
