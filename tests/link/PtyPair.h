#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>

#include "link/Bytes.h"
#include "link/PortTable.h"

namespace flowcfg::testing {

// A pseudo-terminal: the program's side (the slave device, opened as a port through its path)
// and the peer's side (the master descriptor), which stands for the instrument. Closing the
// master looks like an unplugged adapter to the port.
class PtyPair {
public:
    PtyPair() {
        int slave = -1;
        char name[256] = {};
        termios raw{};
        ::cfmakeraw(&raw);
        if (::openpty(&master_, &slave, name, &raw, nullptr) != 0)
            throw std::runtime_error("openpty failed");
        path_ = name;
        // Keep a slave descriptor open until the port has opened the device, so that the
        // master never sees a hang-up before the test starts.
        slave_ = slave;
    }
    ~PtyPair() {
        CloseMaster();
        if (slave_ >= 0) ::close(slave_);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& path() const { return path_; }
    int master() const { return master_; }

    // Gives the device COM `number` in a process table of its own.
    void InstallAs(int number) const {
        PortTable table;
        table.Assign(number, path_);
        PortTable::Install(table);
    }

    void Write(const Bytes& bytes) const {
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
            if (n < 0) throw std::runtime_error("pty write failed");
            done += static_cast<std::size_t>(n);
        }
    }

    // Reads what arrives until `count` bytes came or `timeoutMs` passed without a byte.
    Bytes Read(std::size_t count, int timeoutMs) const {
        Bytes out;
        while (out.size() < count) {
            pollfd entry{master_, POLLIN, 0};
            if (::poll(&entry, 1, timeoutMs) <= 0 || !(entry.revents & POLLIN)) break;
            std::uint8_t buffer[512];
            ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, count - out.size()));
            if (n <= 0) break;
            out.insert(out.end(), buffer, buffer + n);
        }
        return out;
    }

    void CloseMaster() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

}  // namespace flowcfg::testing
