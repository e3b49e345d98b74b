#pragma once

#include <termios.h>

#include <atomic>
#include <mutex>
#include <string>

namespace flowcfg {

// What the system serial driver keeps for one open port.
struct PortDriverState {
    static constexpr int kQueueSize = 1050;
    // How the DTR and RTS lines are driven: the values of the line-control fields of the dump.
    static constexpr int kLineDisabled = 0;
    static constexpr int kLineEnabled = 1;
    static constexpr int kLineHandshake = 2;

    int rxQueueSize = kQueueSize;
    int txQueueSize = kQueueSize;
    termios settings{};               // the line settings in force
    std::atomic<unsigned> errors{0};  // accumulated line error bits, see LineStatus
    std::mutex countersMutex;         // guards the counters below
    bool countersKnown = false;
    int lastCounters[5] = {};  // break, frame, overrun, parity, buffer overrun
    int uartImage = 0;         // register image of the dump; always 0 with this driver
    int fd = -1;
    std::string devicePath;
    int dtrControl = kLineEnabled;
    int rtsControl = kLineEnabled;
    long baud = 0;
    char parity = 'N';
    int dataBits = 8;
    int stopBits = 1;
    // Set when the device reported a hang-up or an I/O error: the adapter is gone.
    std::atomic<bool> deviceLost{false};
};

}  // namespace flowcfg
