#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "link/AutoResetEvent.h"
#include "link/JBusCodec.h"
#include "link/JBusRequest.h"
#include "link/PollingListener.h"
#include "link/SerialLink.h"

namespace flowcfg {

// The one path to the instrument: JBus exchanges on a serial link, either synchronous on the
// calling thread (up to three tries) or repeated by a polling worker that tells a listener after
// each exchange and waits for its acknowledge before pausing and running the next one.
//
// Exchange results: 0 success; -1 another exchange is running; 1 the request is longer than 255
// bytes; 251 no answer; 201, 202 (reply CRC, length); 101, 102, 103, 150 + exception code
// (reply checked against the request). Only the last try's code is returned.
class InstrumentLink : public SerialLink {
public:
    static constexpr int kTries = 3;
    static constexpr int kDefaultIntervalMs = 500;
    // Receives that do not recognise their frame end at least stop here.
    static constexpr int kMaxReceiveLength = 512;

    InstrumentLink() = default;
    // Stops polling, then closes the link: no thread outlives the link.
    ~InstrumentLink() override;

    // Runs one exchange on the calling thread. Function 16 writes `data`; any other function
    // reads. On success `data` holds the reply without its first byte (a read: the register
    // bytes; a write: start low byte, count high and low bytes); after any failure but -1 it is
    // empty. -1 changes nothing.
    int Exchange(int slave, int function, int start, int count, Bytes& data, int elementSize = 2);

    // Starts the worker on this request: 0, or -1 when polling already runs or the worker cannot
    // start. `listener` may be null: the worker then stops after one exchange.
    int StartPolling(PollingListener* listener, int slave, int function, int start, int count,
                     int intervalMs, int elementSize, const Bytes& data);
    // Ends polling and waits for the worker to exit; nothing is told to the listener after it
    // returns. Does nothing when no worker runs.
    void StopPolling();
    // Releases the worker waiting after its notification. Harmless when nobody waits (the
    // next wait then passes at once).
    void Acknowledge() { acknowledge_.Set(); }
    // The current request with the data and result of the last exchange.
    void GetLastResult(JBusRequest& out);
    // The request the worker runs from its next cycle on.
    void ChangeRequest(const JBusRequest& request);
    // The pause between an acknowledge and the next exchange.
    void SetInterval(int milliseconds) { interval_ = milliseconds; }
    bool IsPolling() const { return workerActive_.load(); }
    // The 1-based try of the exchange in progress, or of the last one.
    int CurrentTry() const { return currentTry_.load(); }

protected:
    // The frame-end rules: a read reply ends by its own byte count, a write echo at 8 bytes,
    // anything else (another slave or function, an exception) at 512 bytes at the latest.
    bool FrameEnded(const Bytes& received) const override;
    int BytesBeforeFrameEnd(const Bytes& received) const override;

private:
    int RunExchange(int slave, int function, int start, int count, Bytes& data, int elementSize,
                    bool holdsRequestLock);
    void Worker();

    int repeatCounter_ = -1;  // guarded by runMutex_
    bool running_ = false;    // guarded by runMutex_
    AutoResetEvent started_;
    AutoResetEvent acknowledge_;
    std::thread worker_;
    std::atomic<bool> workerActive_{false};
    std::atomic<int> interval_{kDefaultIntervalMs};
    JBusCodec codec_;
    std::mutex requestMutex_;  // guards current_
    std::mutex runMutex_;      // guards running_, repeatCounter_, listener_ and the notification
    std::condition_variable runChanged_;
    JBusRequest current_;
    PollingListener* listener_ = nullptr;
    std::atomic<bool> busy_{false};
    std::atomic<int> currentTry_{0};
    int tries_ = kTries;
    // Slave and function of the exchange on the line, for the frame-end check on the receive
    // thread.
    std::atomic<int> lineSlave_{-1};
    std::atomic<int> lineFunction_{-1};
};

}  // namespace flowcfg
