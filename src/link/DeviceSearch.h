#pragma once

#include <array>
#include <string>

#include "link/InstrumentLink.h"
#include "link/SearchProgress.h"

namespace flowcfg {

// Finds the instrument without knowing its port, speed or slave address. First every COM number
// 1 ... 255 is opened once to learn which ports exist; then, from the fastest baud entry down and
// over the available ports in order, the identification block is read from slave 0 (any
// instrument answers it). The first answer gives the port, the baud entry and the instrument's
// slave address, a byte of the reply data. The link is left closed; its answer time-out is used as
// it is.
class DeviceSearch {
public:
    static constexpr int kIdentificationRegister = 0xFF00;
    // The part of the identification block the program reads everywhere: up to the end of the
    // firmware version text (20 characters from byte 10).
    static constexpr int kIdentificationRegisters = 15;
    // The slave address is the second byte of the block's first register.
    static constexpr int kAddressByteOffset = 1;
    static constexpr int kPortCount = 256;  // flags by COM number, [0] unused

    // `baudLimit` is the number of entries of the baud list offered (at most the baud count);
    // `language` is the language of the texts shown.
    DeviceSearch(InstrumentLink& link, int startRegister, int registerCount, int addressByteOffset,
                 int baudLimit, int language);

    // Runs the whole search, showing its steps on `progress`. True when an instrument answered.
    bool Run(SearchProgress& progress);

    // 1-based COM number of the instrument found, -1 when none answered.
    int FoundPort() const { return foundPort_; }
    // Baud table index it answered at, -1 when none answered.
    int FoundBaudIndex() const { return foundBaudIndex_; }
    // Its slave address, -1 when none answered.
    int FoundAddress() const { return foundAddress_; }
    // The ports the scan could open, by COM number.
    const std::array<bool, kPortCount>& AvailablePorts() const { return available_; }
    int AvailableCount() const { return availableCount_; }

    // "Com 3 - 9600 bauds": the line shown while COM `port` is tried at baud entry `baudIndex`.
    static std::string TryLine(int port, int baudIndex, int language);
    // The user's name of baud entry `baudIndex` ("9600", "BlueTooth").
    static std::string BaudName(int baudIndex, int language);

private:
    void ScanPorts(SearchProgress& progress);
    bool TryPort(int port, int baudIndex);

    InstrumentLink& link_;
    int startRegister_;
    int registerCount_;
    int addressByteOffset_;
    int baudLimit_;
    int language_;
    int foundPort_ = -1;
    int foundBaudIndex_ = -1;
    int foundAddress_ = -1;
    std::array<bool, kPortCount> available_{};
    int availableCount_ = 0;
};

}  // namespace flowcfg
