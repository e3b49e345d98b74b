#pragma once

#include "link/LinkSettings.h"
#include "link/ModemConnector.h"
#include "link/ModemDialer.h"
#include "link/ModemReportReceiver.h"
#include "link/ModemReportRules.h"
#include "link/ModemSessionView.h"

namespace flowcfg {

// The modem dialog without a window: runs the dial or hang-up procedure of a ModemDialer to its
// end, shows the conversation and the messages on a view, and reads the modem's answers as the
// dialog does (an unknown answer to the dial is followed by a hang-up of its own). The command
// line opens its links through it.
class ModemSession : public ModemConnector, private ModemReportReceiver {
public:
    // The modem settings come from `settings`; texts are in `language`.
    ModemSession(const LinkSettings& settings, int language, ModemSessionView& view);

    // The procedures' waits, and the pause after "CONNECT" before the link is used.
    void SetTiming(const ModemDialer::Timing& timing, int settleMs);

    // Opens the port of `link` directly, initialises the modem and dials: true when the call is
    // up.
    bool Connect(SerialLink& link, int portNumber, int baudIndex, char parity, int dataBits,
                 int stopBits) override;
    // Hangs up when `*connected` is set, clearing it: 0 when the modem confirmed the hang-up,
    // -1 when there was no connection (nothing is sent), 253 when the port cannot be opened,
    // 432 when the modem did not confirm.
    int Disconnect(SerialLink& link, bool* connected, int portNumber, int baudIndex);

private:
    bool OnModemReport(int code, const std::string& text) override;
    void ShowMessage(int textId, int captionId);

    LinkSettings settings_;
    int language_;
    ModemSessionView& view_;
    ModemDialer dialer_;
    int settleMs_ = ModemReportRules::kSettleMs;
    // Written on the dialer's thread, read after it has ended.
    bool connected_ = false;
    bool hangUpNeeded_ = false;
    bool hangUpConfirmed_ = false;
};

}  // namespace flowcfg
