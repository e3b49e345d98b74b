#pragma once

#include <string>

namespace flowcfg {

// What the modem dialog does with one report of the dialer.
struct ModemReportAction {
    enum class End {
        None,       // the dialog stays open
        Connected,  // it ends with OK: the call is up
        Cancelled,  // it ends without a connection
    };
    bool restartProgress = false;  // the dialing phase starts a fresh bar
    bool stopProgress = false;     // the progress timer stops
    int messageId = 0;             // text id of the message to show first, 0 for none
    bool startHangUp = false;      // hang up after an answer the dialog cannot read
    bool pauseBeforeEnd = false;   // wait a moment before ending, as the modem settles
    End end = End::None;
};

// The modem dialog's reading of the dialer's reports: from the code and the modem's answer, what
// to show and whether the dialog ends. Shared by the desktop dialog and the command line.
class ModemReportRules {
public:
    // Message texts (caption 22 "Caution").
    static constexpr int kTextCaution = 22;
    static constexpr int kTextInitFailed = 215;  // "Failed connection! ..."
    static constexpr int kTextBusy = 412;
    static constexpr int kTextNoDialtone = 427;
    static constexpr int kTextConnectionFailed = 431;
    static constexpr int kTextDisconnectionFailed = 432;
    // The port could not be opened (caption 212 "Error").
    static constexpr int kTextCannotOpenPort = 217;
    static constexpr int kTextError = 212;
    // Titles of the dialog.
    static constexpr int kTextConnectTitle = 500;
    static constexpr int kTextDisconnectTitle = 501;
    // The pause before ending after "CONNECT" or a confirmed hang-up, in milliseconds.
    static constexpr int kSettleMs = 2000;

    static ModemReportAction Decide(int code, const std::string& answer);
};

}  // namespace flowcfg
