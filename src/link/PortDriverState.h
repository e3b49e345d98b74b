#pragma once

#include <termios.h>

#include <atomic>
#include <cstdint>
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
    std::atomic<bool> countersUnsupported{false};  // the driver counts no line errors (ptys)
    int lastCounters[5] = {};                      // break, frame, overrun, parity, buffer overrun
    int uartImage = 0;  // register image of the dump; always 0 with this driver
    int fd = -1;
    std::string devicePath;
    int dtrControl = kLineEnabled;
    int rtsControl = kLineEnabled;
    long baud = 0;
    char parity = 'N';
    int dataBits = 8;
    int stopBits = 1;
    // The receive queue: bytes taken from the device and not yet read, so that a run of
    // single-byte reads costs one system call per burst instead of several per byte.
    std::mutex inputMutex;
    std::uint8_t input[kQueueSize] = {};
    int inputHead = 0;  // next byte to read
    int inputTail = 0;  // end of the bytes queued
    // Set when the device reported a hang-up or an I/O error: the adapter is gone.
    std::atomic<bool> deviceLost{false};
};

}  // namespace flowcfg
