#pragma once

#include <QTimer>
#include <condition_variable>
#include <functional>
#include <mutex>

#include "link/LinkSettings.h"
#include "link/ModemDialer.h"
#include "link/ModemReportReceiver.h"
#include "ui/PageDialog.h"

class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace flowcfg {

// Dials or hangs up the modem and shows how it goes: the whole conversation with the modem, and
// while dialing a bar that fills in the dial's 60 s. The dialer's threads hand each report to
// the window's thread and wait until it has been handled. Connecting ends with OK only when the
// call is up. The modem settings are read from the configuration file as the dialog opens.
class ModemDialog : public PageDialog, private ModemReportReceiver {
    Q_OBJECT
public:
    enum Mode { kConnect = 1, kDisconnect = 2 };
    static constexpr int kProgressSteps = 120;
    static constexpr int kProgressTickMs = 500;
    // How often the window looks whether a procedure it waits for has ended.
    static constexpr int kIdlePollMs = 20;

    // `modemConnected` is the application's connection flag, cleared when a hang-up starts
    // (disconnect mode only).
    ModemDialog(Application& application, SerialLink& link, Mode mode, bool* modemConnected,
                QWidget* parent = nullptr);
    // Waits for a procedure that still runs.
    ~ModemDialog() override;

    // The procedures' waits, the pause before ending and the progress tick; tests shorten them.
    void setTiming(const ModemDialer::Timing& timing, int settleMs, int tickMs);
    // The same for every dialog made from now on (the program keeps the real ones).
    static void setDefaultTiming(const ModemDialer::Timing& timing, int settleMs, int tickMs);

    // Starts the procedure and runs the window until the procedure has ended it (or it was
    // cancelled). A port that cannot be opened is reported and ends it at once.
    int exec() override;
    // Cancel: no number is dialled from now on, and the window closes once a running procedure
    // has finished. A dial that still takes the line meanwhile (the modem answers "CONNECT", or
    // something unknown) is hung up first; the window shows that hang-up and waits for it.
    void reject() override;

    // Tests: see ModemDialer::SetDialAnswerWaitPoint.
    void setDialAnswerWaitPoint(std::function<void()> waitPoint) {
        dialer_.SetDialAnswerWaitPoint(std::move(waitPoint));
    }

    QString statusText() const;
    QProgressBar* progressBar() const { return progress_; }
    QPushButton* cancelButton() const { return cancel_; }
    bool isBusy() const { return dialer_.IsRunning(); }

private:
    bool OnModemReport(int code, const std::string& text) override;
    void handleReport(int code, const std::string& text);
    // After a cancel: the report is shown, and only a failed hang-up gets its message.
    void showAfterCancel(int code, const std::string& text);
    void startAutomaticHangUp();
    void finish(int result, bool pause);
    void tick();
    // The window is going away: the procedure runs to its end without delivering anything
    // more to it.
    void detach();

    SerialLink& link_;
    Mode mode_;
    bool* modemConnected_;
    LinkSettings settings_;
    QPlainTextEdit* status_;
    QProgressBar* progress_;
    QPushButton* cancel_;
    QTimer progressTimer_;
    int settleMs_ = 2000;
    bool ending_ = false;
    bool ownConnected_ = false;   // the flag of an automatic hang-up
    bool hangUpPending_ = false;  // an automatic hang-up is decided and not yet started

    std::mutex reportMutex_;
    std::condition_variable reportHandled_;
    bool closing_ = false;       // guarded by reportMutex_
    unsigned handledCount_ = 0;  // guarded by reportMutex_

    ModemDialer dialer_;  // last: its procedure ends before the rest of the window goes
};

}  // namespace flowcfg
