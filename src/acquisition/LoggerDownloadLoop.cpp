#include "acquisition/LoggerDownloadLoop.h"

#include <chrono>

#include "link/AutoResetEvent.h"
#include "link/PollingListener.h"

namespace flowcfg {
namespace {

// Tells the waiting thread that a completion is there.
class CompletionEvent : public PollingListener {
public:
    void OnNewFrame() override { event.Set(); }
    AutoResetEvent event;
};

constexpr std::chrono::milliseconds kStopCheck{100};

}  // namespace

bool LoggerDownloadLoop::apply(InstrumentLink& link, const LoggerDownload::Step& step) {
    using Action = LoggerDownload::Action;
    switch (step.action) {
        case Action::Request:
            link.ChangeRequest(step.request);
            link.Acknowledge();
            return true;
        case Action::Repeat:
            link.Acknowledge();
            return true;
        case Action::Wait:
            return true;
        case Action::NoRecordAfterDate:
            // The state read waits, unacknowledged, for the next download command.
            link.ChangeRequest(step.request);
            return false;
        default:
            link.Acknowledge();
            link.StopPolling();
            return false;
    }
}

LoggerDownloadLoop::Outcome LoggerDownloadLoop::run(InstrumentLink& link, int slave,
                                                    LoggerDownload& download,
                                                    const std::function<bool()>& stopRequested) {
    CompletionEvent completions;
    const JBusRequest first = LoggerDownload::stateRequest(slave);
    Outcome outcome;
    if (link.StartPolling(&completions, first.slave, first.function, first.start, first.count, 0,
                          first.elementSize, {}) != 0) {
        outcome.action = LoggerDownload::Action::CommunicationFailure;
        return outcome;
    }
    for (;;) {
        if (!completions.event.WaitFor(kStopCheck)) {
            if (stopRequested && stopRequested()) {
                download.stop();
                outcome.stopped = true;
                break;
            }
            continue;
        }
        JBusRequest completed;
        link.GetLastResult(completed);
        const LoggerDownload::Step step = download.handle(completed);
        outcome.action = step.action;
        if (!apply(link, step)) break;
        if (step.action == LoggerDownload::Action::Wait) break;
        if (stopRequested && stopRequested()) {
            download.stop();
            outcome.stopped = true;
            break;
        }
    }
    link.StopPolling();
    return outcome;
}

}  // namespace flowcfg
