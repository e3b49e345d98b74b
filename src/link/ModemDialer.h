#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "link/ModemReportReceiver.h"
#include "link/SerialLink.h"
#include "texts/LanguageTable.h"

namespace flowcfg {

// Dials and hangs up a Hayes modem with AT commands, each procedure on a thread of its own that
// reports every step, synchronously, to a receiver. One procedure runs at a time. A procedure
// delivers all its reports before it counts as ended, so a receiver that is told a procedure
// ended is never called by it again.
class ModemDialer {
public:
    // Report codes.
    static constexpr int kInformation = 0;
    static constexpr int kInitAnswer = 1;
    static constexpr int kDialAnswer = 2;
    static constexpr int kEscapeAnswer = 100;
    static constexpr int kHangUpAnswer = 101;

    // The waits of the procedures, in milliseconds.
    struct Timing {
        int initAnswer = 3000;   // for the answer to the initialisation command
        int dialAnswer = 60000;  // for the answer to the dial command
        int silenceBeforeEscape = 1500;
        int escapeAnswer = 3000;  // for the answer to "+++"
        int pauseBeforeHangUp = 2000;
        int hangUpAnswer = 10000;  // for the answer to the hang-up command
    };

    ModemDialer() = default;
    // Waits for a running procedure to end.
    ~ModemDialer();
    ModemDialer(const ModemDialer&) = delete;
    ModemDialer& operator=(const ModemDialer&) = delete;

    void SetTiming(const Timing& timing) { timing_ = timing; }
    const Timing& GetTiming() const { return timing_; }

    // Opens the port of `link` directly and starts the dial procedure: the initialisation
    // command, then, when the modem answered "OK", the dial command. Returns 0, -1 when a
    // procedure runs or its thread cannot start, or the link's open error (253).
    int Connect(ModemReportReceiver* receiver, SerialLink* link, int language, int portNumber,
                int baudIndex, const std::string& initCommand, const std::string& dialCommand,
                char parity, int dataBits, int stopBits);
    // Starts the hang-up procedure when `*connected` is set: silence, "+++", and when the modem
    // answered "OK", the hang-up command. Clears `*connected` when the procedure starts. The
    // link is opened directly when it is closed. Returns 0, -1 when a procedure runs, the flag is
    // not set or the thread cannot start, or the link's open error.
    int Disconnect(ModemReportReceiver* receiver, SerialLink* link, bool* connected, int language,
                   int portNumber, int baudIndex, const std::string& hangUpCommand, char parity,
                   int dataBits, int stopBits);
    // Waits (without limit) for a running procedure to end.
    void WaitIdle();
    // True from the start of a procedure until it has delivered its last report.
    bool IsRunning() const { return running_.load(); }
    // The receiver gives the call up (the dialog's cancel): a dial procedure does not send its
    // dial command from now on, and when the modem answers a dial already sent with anything
    // but a refusal ("BUSY", "NO DIALTONE", "NO CARRIER"), the procedure hangs up itself before
    // it ends, reporting the hang-up as Disconnect's does. Nothing else changes: the receiver
    // still hears every report, and a hang-up still runs to its end.
    void Cancel();
    // The receiver is going away: no report reaches it any more. A dial answer it did not take
    // is hung up as after Cancel, and no dial command is sent.
    void Abandon();
    // The receiver hangs up itself the line of the dial answer it is handling (called while it
    // handles that report): the procedure then never hangs up on its own, even when a cancel
    // comes before it has ended. Without it a cancel that came after the receiver had decided
    // to hang up would give two hang-ups, one of them waiting for the other.
    void LeaveHangUpToReceiver() { receiverHangsUp_ = true; }
    // Called on the dial procedure's thread after the receiver was given the dial answer and
    // before the procedure decides whether it hangs up itself; tests use it to put an event of
    // the receiver's thread exactly there.
    void SetDialAnswerWaitPoint(std::function<void()> waitPoint) {
        dialAnswerWaitPoint_ = std::move(waitPoint);
    }
    // The hang-up command sent when the dial procedure hangs up itself (Disconnect sets it too);
    // "AT H0" until set.
    void SetHangUpCommand(const std::string& command) { hangUpCommand_ = command; }

    // Hands `text` to the receiver with `code`: 0 when the receiver took it, -1 when there is no
    // receiver or it has gone (abandoned, or it dropped the report on its way out). Called on
    // the procedure's thread.
    int Report(const std::string& text, int code);
    // Report of text `textId` of the language table in the procedure's language.
    int ReportText(int textId, int code);

private:
    // Common start of both procedures: -1 when one runs; joins the thread of the last one.
    bool Idle();
    int Start(void (ModemDialer::*procedure)());
    void DialProcedure();
    void HangUpProcedure();
    // Silence, the escape sequence and, when the modem answered "OK", the hang-up command.
    void HangUp();
    // Sends `command` and collects the answer that starts within `answerMs`.
    std::string Converse(const std::string& command, int answerMs);

    Timing timing_;
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<bool> abandoned_{false};
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> receiverHangsUp_{false};
    std::function<void()> dialAnswerWaitPoint_;
    ModemReportReceiver* receiver_ = nullptr;
    SerialLink* link_ = nullptr;
    LanguageTable texts_;  // used on the procedure's thread only
    int language_ = 1;
    std::string initCommand_;
    std::string dialCommand_;
    std::string hangUpCommand_ = "AT H0\r\n";
};

}  // namespace flowcfg
