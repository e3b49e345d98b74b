#include "link/InstrumentLink.h"

#include <chrono>
#include <system_error>

namespace flowcfg {
namespace {

// Send pacing on the Bluetooth entry: the adapters lose bytes sent back to back.
constexpr double kBluetoothWriteDelay = 0.020;
constexpr double kBluetoothReadDelay = 0.003;

}  // namespace

InstrumentLink::~InstrumentLink() {
    StopPolling();
    Close();
}

int InstrumentLink::Exchange(int slave, int function, int start, int count, Bytes& data,
                             int elementSize) {
    return RunExchange(slave, function, start, count, data, elementSize, false);
}

int InstrumentLink::RunExchange(int slave, int function, int start, int count, Bytes& data,
                                int elementSize, bool holdsRequestLock) {
    if (busy_.exchange(true)) return linkresult::kBusy;
    struct ClearBusy {
        std::atomic<bool>& busy;
        ~ClearBusy() { busy = false; }
    } clearBusy{busy_};

    codec_.ResetRequest();
    double delay = 0;
    if (BaudIndex() == kBluetoothIndex)
        delay = function == JBusCodec::kWriteFunction ? kBluetoothWriteDelay : kBluetoothReadDelay;
    Channel().SetSendDelay(delay);

    if (codec_.BuildRequest(slave, function, start, count, elementSize, data) != 0) {
        data.clear();
        return linkresult::kBuildFailed;
    }
    const int expected = codec_.ExpectedReplyLength();
    {
        std::unique_lock lock(requestMutex_, std::defer_lock);
        if (!holdsRequestLock) lock.lock();
        current_.slave = slave;
        current_.function = function;
        current_.start = start;
        current_.count = count;
        current_.elementSize = elementSize;
    }
    lineSlave_ = slave & 0xFF;
    lineFunction_ = function & 0xFF;
    const Bytes request = codec_.RequestBytes();

    int result = linkresult::kNoAnswer;
    for (int attempt = 1; attempt <= tries_ && !ReceivesCancelled(); ++attempt) {
        currentTry_ = attempt;
        codec_.ResetReply();
        Bytes reply;
        Channel().Purge();
        SetExpectedLength(expected);
        Channel().SendBytes(request);
        // The line was purged just before the request: draining it again now could only throw
        // away the start of a prompt reply.
        if ((result = Receive(reply, false)) != 0) continue;
        if ((result = codec_.ParseReply(reply)) != 0) continue;
        if ((result = codec_.ValidateReply()) != 0) continue;
        const Bytes& payload = codec_.ReplyPayload();
        data.assign(payload.begin() + 1, payload.end());
        return 0;
    }
    data.clear();
    return result;
}

bool InstrumentLink::FrameEnded(const Bytes& received) const {
    const std::size_t n = received.size();
    const int function = lineFunction_;
    if (n >= 3 && received[0] == lineSlave_ && received[1] == function && function >= 3) {
        if (function == 3 || function == 4) return n == static_cast<std::size_t>(received[2]) + 5;
        if (function == JBusCodec::kWriteFunction) return n == 8;
    }
    return n >= static_cast<std::size_t>(kMaxReceiveLength);
}

// The same rules seen from before the end: how far the nearest length is at which FrameEnded
// could say yes.
int InstrumentLink::BytesBeforeFrameEnd(const Bytes& received) const {
    const int n = static_cast<int>(received.size());
    if (n < 3) return 3 - n;  // the first three bytes choose the rule
    const int function = lineFunction_;
    if (received[0] == lineSlave_ && received[1] == function && function >= 3) {
        if (function == 3 || function == 4) return received[2] + 5 - n;
        if (function == JBusCodec::kWriteFunction) return 8 - n;
    }
    return kMaxReceiveLength - n;
}

int InstrumentLink::StartPolling(PollingListener* listener, int slave, int function, int start,
                                 int count, int intervalMs, int elementSize, const Bytes& data) {
    if (workerActive_) return -1;
    if (worker_.joinable()) worker_.join();  // a worker that ended on its own
    {
        std::lock_guard lock(requestMutex_);
        current_ = JBusRequest{slave, function, start, count, data, elementSize, 0};
    }
    interval_ = intervalMs;
    {
        std::lock_guard lock(runMutex_);
        listener_ = listener;
        repeatCounter_ = -1;
        running_ = true;
    }
    // An acknowledge left over from the last polling must not let the worker run ahead.
    acknowledge_.Reset();
    started_.Reset();
    workerActive_ = true;
    try {
        worker_ = std::thread(&InstrumentLink::Worker, this);
    } catch (const std::system_error&) {
        workerActive_ = false;
        std::lock_guard lock(runMutex_);
        running_ = false;
        return -1;
    }
    started_.Wait();
    return 0;
}

void InstrumentLink::StopPolling() {
    if (!worker_.joinable()) return;
    started_.Reset();
    {
        std::lock_guard lock(runMutex_);
        running_ = false;
    }
    runChanged_.notify_all();
    Acknowledge();
    // An exchange on the line ends now instead of after its tries and time-outs.
    CancelReceives(true);
    worker_.join();
    CancelReceives(false);
    workerActive_ = false;
}

void InstrumentLink::GetLastResult(JBusRequest& out) {
    std::lock_guard lock(requestMutex_);
    out = current_;
}

void InstrumentLink::ChangeRequest(const JBusRequest& request) {
    std::lock_guard lock(requestMutex_);
    current_ = request;
}

void InstrumentLink::Worker() {
    started_.Set();
    for (;;) {
        {
            std::lock_guard lock(runMutex_);
            if (!running_) break;
        }
        {
            std::lock_guard lock(requestMutex_);
            JBusRequest& r = current_;
            r.result =
                RunExchange(r.slave, r.function, r.start, r.count, r.data, r.elementSize, true);
            // A cycle that could not run (a synchronous exchange held the line) is a failed
            // cycle, not a repeat of the last answer.
            if (r.result == linkresult::kBusy) r.data.clear();
        }
        {
            std::lock_guard lock(runMutex_);
            if (!listener_ || !running_) break;
            --repeatCounter_;
            listener_->OnNewFrame();
            if (repeatCounter_ == 0) break;
        }
        acknowledge_.Wait();
        std::unique_lock lock(runMutex_);
        runChanged_.wait_for(lock, std::chrono::milliseconds(interval_.load()),
                             [this] { return !running_; });
    }
    workerActive_ = false;
}

}  // namespace flowcfg
