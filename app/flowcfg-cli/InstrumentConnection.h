#pragma once

#include <string>

#include "CliCommands.h"
#include "InstrumentOptions.h"
#include "link/InstrumentLink.h"
#include "link/ModemSession.h"
#include "link/ModemSessionView.h"

namespace flowcfg::cli {

// The link of a command that talks to the instrument, opened as the configuration file says:
// directly, or, when "Use modem" is yes, through the telephone modem: the modem is initialised
// and dials with the configured strings before the first exchange and hangs up when the
// connection goes, and the conversation with the modem is printed on the way.
class InstrumentConnection : private ModemSessionView {
public:
    InstrumentConnection(const InstrumentTarget& target, CliContext& context, std::string command);
    // Hangs up when a call was made, then closes the link.
    ~InstrumentConnection() override;
    InstrumentConnection(const InstrumentConnection&) = delete;
    InstrumentConnection& operator=(const InstrumentConnection&) = delete;

    // Opens the link with the configured port and speed: 0, 253 when the port cannot be opened,
    // 252 when the modem could not make the call. Failures are explained on the error stream.
    int Open();
    InstrumentLink& Link() { return link_; }
    // A modem call is up (made by Open).
    bool modemConnected() const { return modemConnected_; }

    // The waits of the modem procedures for every connection made from now on. The program keeps
    // the real ones; tests shorten them.
    static void SetModemTiming(const ModemDialer::Timing& timing, int settleMs);

private:
    void ShowConversation(const std::string& text) override;
    void ShowMessage(int textId, int captionId) override;

    const InstrumentTarget& target_;
    CliContext& context_;
    std::string command_;
    ModemSession modem_;
    InstrumentLink link_;  // destroyed before the session that dials for it
    bool modemConnected_ = false;
};

}  // namespace flowcfg::cli
