#pragma once

#include <functional>

#include "acquisition/LoggerDownload.h"
#include "link/InstrumentLink.h"

namespace flowcfg {

// Runs the logger chain on an open link from the calling thread, without a window (the
// command-line tool and the tests): polling starts on the logger state 0x0200, every
// completion goes to the LoggerDownload, whose steps are carried out, until the chain ends.
// A download asked for before (LoggerDownload::start) runs to its end; otherwise the loop ends
// at the first state read, which the view has then shown.
class LoggerDownloadLoop {
public:
    struct Outcome {
        LoggerDownload::Action action = LoggerDownload::Action::Wait;
        bool stopped = false;  // `stopRequested` said so; the file holds complete lines
    };

    // `stopRequested` is asked between completions (for example a flag set by SIGINT).
    static Outcome run(InstrumentLink& link, int slave, LoggerDownload& download,
                       const std::function<bool()>& stopRequested = {});

    // Carries out a step on the polling link; false when the chain has ended with it.
    static bool apply(InstrumentLink& link, const LoggerDownload::Step& step);
};

}  // namespace flowcfg
