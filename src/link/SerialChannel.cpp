#include "link/SerialChannel.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include "link/PortDriverState.h"
#include "link/PortTable.h"
#include "link/PortUtilities.h"
#include "link/PosixSerialDriver.h"

namespace flowcfg {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTransmitWaitLimit = std::chrono::milliseconds(100);
// The most bytes handed to the sink in one run; a longer allowance takes several runs.
constexpr int kLongestRun = 512;

}  // namespace

SerialChannel::~SerialChannel() {
    Close();
}

bool SerialChannel::DeviceLost() const {
    SerialPort* port = port_.load();
    return port && port->driver && port->driver->deviceLost.load();
}

std::string SerialChannel::DevicePath() const {
    SerialPort* port = port_.load();
    return port && port->driver ? port->driver->devicePath : std::string();
}

int SerialChannel::Open(ByteSink* sink, int portNumber, long baud, char parity, int dataBits,
                        int stopBits) {
    if (!sink) return -1;
    sink_ = sink;
    // The port table may have given the number to another device since the port was opened
    // (the options page, a configuration load): the open port is kept only while the number
    // still names its device.
    const std::string path = PortTable::InstalledPath(portNumber);
    if (IsOpen() && !DeviceLost() && portNumber == portNumber_ && baud == baud_ &&
        parity == parity_ && dataBits == dataBits_ && stopBits == stopBits_ && path == DevicePath())
        return 0;
    if (IsOpen()) Close();

    SerialPort* port = OpenPosixDevice(path, portNumber - 1, baud, parity, dataBits, stopBits);
    if (port->status != PORT_OK) {
        port->Close();  // releases the device and the object (never the fallback object)
        return -1;
    }
    port_ = port;
    ++openCount_;
    portNumber_ = portNumber;
    baud_ = baud;
    parity_ = parity;
    dataBits_ = dataBits;
    stopBits_ = stopBits;
    return 0;
}

int SerialChannel::Close() {
    if (!IsOpen()) return 0;
    StopReceiver();
    SerialPort* port = port_.exchange(nullptr);
    portNumber_ = -1;
    baud_ = -1;
    parity_ = 0;
    dataBits_ = -1;
    stopBits_ = -1;
    return port->Close();
}

void SerialChannel::WaitTransmitted(SerialPort& port, int bytes) {
    // One character time at the open rate between looks at the queue: the wait follows the
    // line instead of spinning. At most 0.1 s per byte.
    const long rate = std::max(baud_, 300L);
    const auto characterTime = std::chrono::microseconds(10'000'000L / rate);
    const auto limit = kTransmitWaitLimit * std::max(bytes, 1);
    const Clock::time_point start = Clock::now();
    while (TxEmpty(port) == 0 && Clock::now() - start < limit)
        std::this_thread::sleep_for(characterTime);
}

int SerialChannel::SendBytes(const Bytes& bytes) {
    SerialPort* port = port_.load();
    if (!port) return 0;
    const double delay = sendDelay_.load();
    if (delay > 0) {
        for (std::uint8_t byte : bytes) {
            port->WriteByte(byte);
            WaitTransmitted(*port, 1);
            std::this_thread::sleep_for(std::chrono::duration<double>(delay));
        }
        return 0;
    }
    // Without pacing the frame goes out in one piece: a gap of more than 1.5 characters
    // between its bytes would split it for the instrument.
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        port->WriteBuffer(bytes.data() + sent, static_cast<int>(bytes.size() - sent));
        const int queued = port->transferCount;
        WaitTransmitted(*port, queued);
        if (queued <= 0) break;  // the device takes nothing: the missing answer will tell
        sent += static_cast<std::size_t>(queued);
    }
    return 0;
}

int SerialChannel::Purge() {
    SerialPort* port = port_.load();
    if (!port) return 0;
    if (DrainInput(*port) != PORT_OK) return linkresult::kPurgeInputFailed;
    if (port->ClearTxBuffer() != PORT_OK) return linkresult::kPurgeOutputFailed;
    return 0;
}

int SerialChannel::StartReceiver(int byteTimeoutMs) {
    if (running_) return 0;
    SetByteTimeout(byteTimeoutMs);
    if (thread_.joinable()) thread_.join();
    running_ = true;
    started_.Reset();
    readRequested_ = 0;
    try {
        thread_ = std::thread(&SerialChannel::ReceiveThread, this);
    } catch (const std::system_error&) {
        running_ = false;
        return 0;
    }
    started_.Wait();
    return 1;
}

void SerialChannel::StopReceiver() {
    if (running_) {
        started_.Reset();
        running_ = false;
        RequestByte();
    }
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void SerialChannel::SetByteTimeout(int milliseconds) {
    byteTimeout_.store(milliseconds, std::memory_order_release);
}

int SerialChannel::RunIdleHook() {
    const IdleHook hook = GetIdleHook();
    if (!hook) return 0;
    SerialPort* port = port_.load();
    return hook(port ? *port : *SerialPort::Fallback());
}

int SerialChannel::DumpState(const LineOutput& output) {
    SerialPort* port = port_.load();
    return port ? port->DumpState(output) : PORT_ERR_UNSUPPORTED;
}

void SerialChannel::ReceiveThread() {
    started_.Set();
    std::uint8_t run[kLongestRun];
    for (;;) {
        readRequested_.wait(0);
        std::lock_guard lock(lock_);
        // A sink that asks for the next byte while handling this one is served in the same
        // pass, without going back to sleep.
        for (int allowed; (allowed = readRequested_.exchange(0, std::memory_order_acq_rel)) > 0;) {
            SerialPort* port = port_.load();
            if (!port || !running_) {
                if (ByteSink* sink = sink_.load()) sink->OnReceiverStopped();
                return;
            }
            ByteSink* sink = sink_.load();
            // What is already waiting goes over in one piece, no more than the sink allows;
            // the rest stays in the port.
            if (allowed > 1 && port->ReadBuffer(run, std::min(allowed, kLongestRun)) == PORT_OK) {
                sink->OnBytes(run, port->transferCount);
                continue;
            }
            const int result = ReadByteTimed(*port, byteTimeout_);
            if (result == PORT_ERR_NO_DATA)
                sink->OnByteTimeout();
            else if (result < 0)
                sink->OnReadError(result);
            else
                sink->OnByte(result);
        }
    }
}

}  // namespace flowcfg
