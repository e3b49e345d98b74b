#include "link/SerialLink.h"

#include <algorithm>
#include <chrono>

#include "link/PortUtilities.h"

namespace flowcfg {

const SerialLink::BaudEntry SerialLink::kBaudTable[kBaudTableSize] = {
    {300, 1000},    {600, 1000},    {1200, 1000}, {2400, 1000}, {4800, 1000}, {9600, 1000},
    {115200, 1000}, {115200, 1000}, {0, 0},       {0, 0},       {0, 0},
};

SerialLink::~SerialLink() {
    channel_.Close();
}

int SerialLink::BaudCount() {
    int count = 0;
    while (count < kBaudTableSize && kBaudTable[count].baud != 0)
        ++count;
    return count;
}

int SerialLink::Open(int portNumber, int baudIndex, char parity, int dataBits, int stopBits,
                     bool useModem, bool* modemConnected) {
    if (useModem) {
        if (modemConnected && *modemConnected) return 0;
        if (!modem_ || !modem_->Connect(*this, portNumber, baudIndex, parity, dataBits, stopBits))
            return linkresult::kModemNotConnected;
        if (modemConnected) *modemConnected = true;
        baudIndex_ = baudIndex;
        channel_.StartReceiver(answerTimeout_);
        return 0;
    }
    if (baudIndex < 0 || baudIndex >= kBaudTableSize) return linkresult::kOpenFailed;
    const BaudEntry& entry = kBaudTable[baudIndex];
    if (channel_.Open(this, portNumber, entry.baud, parity, dataBits, stopBits) != 0)
        return linkresult::kOpenFailed;
    interByteTimeout_ = entry.interByteTimeoutMs;
    channel_.SetByteTimeout(entry.interByteTimeoutMs);
    baudIndex_ = baudIndex;
    channel_.StartReceiver(answerTimeout_);
    return 0;
}

int SerialLink::SendText(const std::string& text) {
    return channel_.SendBytes(Bytes(text.begin(), text.end()));
}

int SerialLink::Receive(Bytes& out, bool purgeFirst) {
    {
        std::lock_guard lock(receiveMutex_);
        buffer_.clear();
        receiving_ = !cancelled_;
        lastReadError_ = 0;
    }
    if (purgeFirst) channel_.Purge();
    channel_.SetByteTimeout(answerTimeout_);
    // A cancelled receive asks nothing of the port.
    if (receiving_) {
        if (channel_.ReceiverRunning())
            channel_.RequestByte();
        else
            EndReceive();  // nothing can arrive without the receive thread
    }

    std::unique_lock lock(receiveMutex_);
    if (GetIdleHook()) {
        // A window thread keeps its interface alive while it waits.
        while (receiving_) {
            lock.unlock();
            channel_.RunIdleHook();
            lock.lock();
            receiveEnded_.wait_for(lock, std::chrono::milliseconds(kIdleSliceMs),
                                   [this] { return !receiving_; });
        }
    } else {
        receiveEnded_.wait(lock, [this] { return !receiving_; });
    }
    out = buffer_;
    return out.empty() ? linkresult::kNoAnswer : 0;
}

int SerialLink::ReceiveText(std::string& out) {
    Bytes bytes;
    const int result = Receive(bytes, false);
    out.assign(bytes.begin(), bytes.end());
    return result;
}

int SerialLink::Allowance() const {
    const int received = static_cast<int>(buffer_.size());
    const int expected = expectedLength_;
    const int beforeEnd = std::min(expected > received ? expected - received : kNoLimit,
                                   BytesBeforeFrameEnd(buffer_));
    return std::max(beforeEnd, 1);
}

int SerialLink::AppendBytes(const std::uint8_t* bytes, int count) {
    bool ended = false;
    int allowed = 1;
    {
        std::lock_guard lock(receiveMutex_);
        if (!receiving_) return -1;
        // In pieces that reach at most the nearest length where the receive could end: checking
        // for the end after each piece is the same as checking after each byte. Bytes after the
        // end are dropped; the channel never hands over more than allowed anyway.
        for (int done = 0; done < count && !ended;) {
            const int piece = std::min(count - done, Allowance());
            buffer_.insert(buffer_.end(), bytes + done, bytes + done + piece);
            done += piece;
            ended = static_cast<int>(buffer_.size()) == expectedLength_ || FrameEnded(buffer_);
        }
        channel_.SetByteTimeout(interByteTimeout_);
        if (ended)
            receiving_ = false;
        else
            allowed = Allowance();
    }
    if (ended)
        receiveEnded_.notify_all();
    else
        channel_.RequestBytes(allowed);
    return 0;
}

int SerialLink::OnByte(int byte) {
    const std::uint8_t value = static_cast<std::uint8_t>(byte);
    return AppendBytes(&value, 1);
}

void SerialLink::OnBytes(const std::uint8_t* bytes, int count) {
    AppendBytes(bytes, count);
}

void SerialLink::CancelReceives(bool cancel) {
    std::lock_guard lock(receiveMutex_);
    cancelled_ = cancel;
    if (cancel) receiving_ = false;
    receiveEnded_.notify_all();
}

void SerialLink::EndReceive() {
    std::lock_guard lock(receiveMutex_);
    receiving_ = false;
    receiveEnded_.notify_all();
}

void SerialLink::OnByteTimeout() {
    EndReceive();
}

void SerialLink::OnReadError(int code) {
    lastReadError_ = code;
    EndReceive();
}

void SerialLink::OnReceiverStopped() {
    EndReceive();
}

}  // namespace flowcfg
