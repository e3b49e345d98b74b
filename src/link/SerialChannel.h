#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "link/AutoResetEvent.h"
#include "link/ByteSink.h"
#include "link/Bytes.h"
#include "link/LinkResult.h"
#include "link/SerialPort.h"

namespace flowcfg {

// The open port and its receive thread. The thread reads one byte each time it is asked to
// (RequestByte), waiting at most the byte time-out, and hands the byte or the time-out to the
// byte sink; nothing is read from the port unless a receive asked for it. A sink that knows the
// next bytes cannot end its receive may allow a run (RequestBytes): bytes already waiting are
// then handed over together, at most as many as allowed, and the rest stay in the port. The sink
// is called on the receive thread with the channel lock held: it may ask for more and change the
// byte time-out, which take no lock, but must not stop or close the channel. Sending and purging
// run on the calling thread, at moments when no read has been requested.
class SerialChannel {
public:
    SerialChannel() = default;
    // Closes the port (stopping the receive thread) when one is open.
    ~SerialChannel();
    SerialChannel(const SerialChannel&) = delete;
    SerialChannel& operator=(const SerialChannel&) = delete;

    // Opens COM `portNumber` (1-based) for `sink`: 0, or -1 when there is no sink or the port
    // cannot be opened or configured. A port already open with the same five settings is kept,
    // with its receive thread, unless its device went away or the installed port table now
    // gives the number to another device; otherwise it is closed and the number's device opened.
    int Open(ByteSink* sink, int portNumber, long baud, char parity, int dataBits, int stopBits);
    // Stops the receive thread and closes the port: the port's close result, 0 when none was
    // open.
    int Close();
    bool IsOpen() const { return port_.load() != nullptr; }
    // True when the open port's device reported a hang-up or an I/O error.
    bool DeviceLost() const;
    // The device path of the open port; empty while closed.
    std::string DevicePath() const;

    // Sends the bytes and waits (at most 0.1 s a byte) for the transmit queue to empty. With a
    // send delay each byte goes alone, followed by the wait and the delay. Returns 0; write
    // errors show as a missing answer.
    int SendBytes(const Bytes& bytes);
    // Drops waiting input, then clears the transmit queue: 0, 504 or 503.
    int Purge();

    // Starts the receive thread: 1 when started, 0 when one already runs or none can start.
    int StartReceiver(int byteTimeoutMs);
    // Stops the receive thread and waits for it. A read in progress finishes first (at most its
    // byte time-out). Does nothing when no thread runs.
    void StopReceiver();
    bool ReceiverRunning() const { return running_.load(); }
    // Asks the receive thread for the next byte.
    void RequestByte() { RequestBytes(1); }
    // Asks the receive thread for the next byte and allows it to hand over up to `upTo` bytes at
    // once when they are already waiting; a byte that has to be waited for comes alone.
    void RequestBytes(int upTo) {
        // A read-modify-write, so that the receive thread taking this request also sees what
        // a concurrent StopReceiver stored before its own request.
        readRequested_.exchange(upTo < 1 ? 1 : upTo, std::memory_order_acq_rel);
        readRequested_.notify_one();
    }
    // The time-out of the next single-byte read.
    void SetByteTimeout(int milliseconds);
    // An extra pause after each byte sent, in seconds; 0 for none.
    void SetSendDelay(double seconds) { sendDelay_ = seconds; }
    double SendDelay() const { return sendDelay_.load(); }

    // Calls the installed idle hook, if any, for this channel's port: 0 or the hook's code.
    int RunIdleHook();
    // The port's status dump; -24 when no port is open.
    int DumpState(const LineOutput& output);

    // How many ports this channel has opened so far (a kept port is not counted again).
    int OpenCount() const { return openCount_; }
    int PortNumber() const { return portNumber_; }
    long Baud() const { return baud_; }
    char Parity() const { return parity_; }
    int DataBits() const { return dataBits_; }
    int StopBits() const { return stopBits_; }

private:
    void ReceiveThread();
    void WaitTransmitted(SerialPort& port, int bytes);

    std::atomic<SerialPort*> port_{nullptr};
    // The time-out of the next read; a change never touches a read in progress.
    std::atomic<int> byteTimeout_{1000};
    AutoResetEvent started_;
    // The request for the next byte, 0 when none: how many bytes the sink allows at once. Set
    // by RequestBytes, taken by the receive thread. An atomic rather than an event, because a
    // receive asks again after every byte or run.
    std::atomic<int> readRequested_{0};
    // Held by the receive thread while it reads and hands over the bytes asked for.
    std::mutex lock_;
    std::thread thread_;
    std::atomic<ByteSink*> sink_{nullptr};
    int portNumber_ = -1;
    long baud_ = -1;
    char parity_ = 0;
    int dataBits_ = -1;
    int stopBits_ = -1;
    std::atomic<bool> running_{false};
    std::atomic<double> sendDelay_{0.0};
    int openCount_ = 0;
};

}  // namespace flowcfg
