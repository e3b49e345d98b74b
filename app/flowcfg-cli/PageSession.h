#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "CliCommands.h"
#include "InstrumentConnection.h"
#include "InstrumentOptions.h"
#include "TerminalPrompts.h"
#include "acquisition/AcquisitionPage.h"
#include "acquisition/CompletionQueue.h"
#include "shell/Application.h"

namespace flowcfg::cli {

// What a command needs to run one of the polling pages without a window: the application of
// the command's configuration file, the terminal for the page's messages, the instrument
// connection, and the queue of the page's notifications, taken on the command's thread as a
// window's message loop would. Ctrl-C while the page runs ends the wait, so that the command
// can stop the page cleanly.
class PageSession {
public:
    PageSession(const InstrumentTarget& target, CliContext& context, std::string command);
    ~PageSession();
    PageSession(const PageSession&) = delete;
    PageSession& operator=(const PageSession&) = delete;

    Application& application() { return *application_; }
    TerminalPrompts& terminal() { return terminal_; }
    InstrumentLink& link() { return connection_.Link(); }
    int language() const { return language_; }

    // Opens the connection (dialling when the configuration uses a modem): 0 or the link's
    // result, explained on the error stream.
    int Open();
    // Gives `page` the command's link settings and this session's queue; before the page opens.
    void attach(AcquisitionPage& page);

    // Lets `page` handle its notifications until `done`, the page closes, Ctrl-C, or no
    // notification came for `silence` (a line that stalls; the page's own time-outs come well
    // before). `each` runs after every notification. true when `done` or the page closed.
    bool run(AcquisitionPage& page, const std::function<bool()>& done,
             const std::function<void()>& each = {},
             std::chrono::milliseconds silence = std::chrono::seconds(60));
    // Ctrl-C was pressed during a run.
    bool interrupted() const;

private:
    const InstrumentTarget& target_;
    CliContext& context_;
    std::string command_;
    std::unique_ptr<Application> application_;
    TerminalPrompts terminal_;
    InstrumentConnection connection_;
    CompletionQueue queue_;
    int language_ = 0;
};

}  // namespace flowcfg::cli
