#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

#include "link/ByteSink.h"
#include "link/Bytes.h"
#include "link/LinkResult.h"
#include "link/ModemConnector.h"
#include "link/SerialChannel.h"

namespace flowcfg {

// The byte-level link on a serial channel: opens the port by an entry of the baud table, runs
// one receive at a time and sends and receives plain text for the modem procedures. A receive
// collects bytes until the expected length, until the answer time-out passes with nothing
// received (251), or until the inter-byte time-out passes in silence after the first byte (the
// bytes so far are returned).
class SerialLink : public ByteSink {
public:
    static constexpr int kBaudTableSize = 11;
    static constexpr int kBluetoothIndex = 6;

    struct BaudEntry {
        long baud;
        int interByteTimeoutMs;
    };
    // 300 ... 9600, "BlueTooth" (115200 with send pacing), 115200; an entry with rate 0 ends it.
    static const BaudEntry kBaudTable[kBaudTableSize];

    SerialLink() = default;
    ~SerialLink() override;
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Opens COM `portNumber` at the baud table entry `baudIndex` and starts the receive thread:
    // 0, 253 when the port cannot be opened (or the index names no rate), 252 when a modem link
    // cannot be connected. With `useModem`, a connection already up (`*modemConnected`) is
    // kept as it is; otherwise the modem connector dials and, on success, sets the flag.
    int Open(int portNumber, int baudIndex, char parity, int dataBits, int stopBits,
             bool useModem = false, bool* modemConnected = nullptr);
    int Close() { return channel_.Close(); }
    bool IsOpen() const { return channel_.IsOpen(); }
    // The number of entries before the table's end: 8.
    static int BaudCount();
    void SetAnswerTimeout(int milliseconds) { answerTimeout_ = milliseconds; }
    int GetAnswerTimeout() const { return answerTimeout_; }
    void SetExpectedLength(int bytes) { expectedLength_ = bytes; }
    int ExpectedLength() const { return expectedLength_; }
    int BaudIndex() const { return baudIndex_; }
    int InterByteTimeout() const { return interByteTimeout_; }
    void SetModemConnector(ModemConnector* connector) { modem_ = connector; }

    // The characters of `text` as bytes. Returns 0.
    int SendText(const std::string& text);
    // One receive (see the class comment): 0 with the bytes in `out`, or 251 with `out` empty.
    // With `purgeFirst` the input is drained and the transmit queue cleared first. Ends at once
    // with what it has when no receive thread runs.
    int Receive(Bytes& out, bool purgeFirst);
    // A receive without purge, as text: 0 or 251.
    int ReceiveText(std::string& out);
    // Ends the receive in progress and makes every receive end at once with what it has, until
    // called again with false: a polling worker being stopped does not keep its caller waiting
    // for an answer nobody will read.
    void CancelReceives(bool cancel);
    bool ReceivesCancelled() const { return cancelled_.load(); }

    int OnByte(int byte) override;
    void OnBytes(const std::uint8_t* bytes, int count) override;
    void OnByteTimeout() override;
    void OnReadError(int code) override;
    void OnReceiverStopped() override;

    SerialChannel& Channel() { return channel_; }

protected:
    // Whether the bytes received so far make a whole frame: a protocol above that recognises
    // its frame end says so here, and the receive ends at once. The base recognises none.
    virtual bool FrameEnded(const Bytes& /*received*/) const { return false; }
    // How many more bytes can be received before FrameEnded could first say yes: bytes already
    // waiting are taken in runs of no more than this (and never fewer than one), so that
    // nothing past the end of a frame is taken from the port.
    virtual int BytesBeforeFrameEnd(const Bytes& /*received*/) const { return kNoLimit; }
    // The error of the last read that failed during a receive (0 when none).
    int LastReadError() const { return lastReadError_; }

    static constexpr int kNoLimit = 1 << 30;

private:
    // Appends received bytes in order while the receive runs; it ends at the expected length or
    // when FrameEnded says so, otherwise the next bytes are asked for. -1 when no receive is in
    // progress (the bytes are dropped), else 0.
    int AppendBytes(const std::uint8_t* bytes, int count);
    // How many bytes the receive in progress can take before it could end: at least 1.
    int Allowance() const;
    void EndReceive();

    SerialChannel channel_;
    Bytes buffer_;             // guarded by receiveMutex_
    std::mutex receiveMutex_;  // around the buffer and the end of a receive
    std::condition_variable receiveEnded_;
    std::atomic<bool> receiving_{false};
    std::atomic<bool> cancelled_{false};
    std::atomic<int> expectedLength_{500};
    std::atomic<int> answerTimeout_{500};
    std::atomic<int> interByteTimeout_{1000};
    std::atomic<int> baudIndex_{-1};
    std::atomic<int> lastReadError_{0};
    ModemConnector* modem_ = nullptr;
};

}  // namespace flowcfg
