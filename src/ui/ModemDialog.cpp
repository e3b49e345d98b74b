#include "ui/ModemDialog.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/ModemCommands.h"
#include "link/ModemReportRules.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

// The status area is plain text: the modem's carriage returns go, its line feeds stay.
struct DefaultTiming {
    ModemDialer::Timing timing;
    int settleMs = ModemReportRules::kSettleMs;
    int tickMs = ModemDialog::kProgressTickMs;
};
DefaultTiming& defaults() {
    static DefaultTiming timing;
    return timing;
}

QString forStatus(const std::string& text) {
    return QString::fromStdString(text).remove(QLatin1Char('\r'));
}

}  // namespace

ModemDialog::ModemDialog(Application& application, SerialLink& link, Mode mode,
                         bool* modemConnected, QWidget* parent)
    : PageDialog(application, parent),
      link_(link),
      mode_(mode),
      modemConnected_(modemConnected),
      settings_(LinkSettings::Load(config())),
      status_(new QPlainTextEdit(this)),
      progress_(new QProgressBar(this)),
      cancel_(new QPushButton(this)) {
    setObjectName("ModemDialog");
    setCaptionId(mode == kConnect ? ModemReportRules::kTextConnectTitle
                                  : ModemReportRules::kTextDisconnectTitle);
    status_->setReadOnly(true);
    status_->setMinimumSize(360, 160);
    progress_->setRange(0, kProgressSteps);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    cancel_->setText(QString::fromStdString(text(textid::kTextCancel)));
    connect(cancel_, &QPushButton::clicked, this, &ModemDialog::reject);
    connect(&progressTimer_, &QTimer::timeout, this, &ModemDialog::tick);
    setTiming(defaults().timing, defaults().settleMs, defaults().tickMs);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel_);
    auto* column = new QVBoxLayout(this);
    column->addWidget(status_, 1);
    column->addWidget(progress_);
    column->addLayout(buttons);
}

ModemDialog::~ModemDialog() {
    detach();
    dialer_.WaitIdle();
}

void ModemDialog::setTiming(const ModemDialer::Timing& timing, int settleMs, int tickMs) {
    dialer_.SetTiming(timing);
    settleMs_ = settleMs;
    progressTimer_.setInterval(tickMs);
}

void ModemDialog::setDefaultTiming(const ModemDialer::Timing& timing, int settleMs, int tickMs) {
    defaults() = {timing, settleMs, tickMs};
}

int ModemDialog::exec() {
    const int port = settings_.portNumber;
    const int baud = settings_.baudIndex;
    // Also what the dial procedure sends when a cancelled dial connects all the same.
    dialer_.SetHangUpCommand(ModemCommands::HangUp(settings_.hangUpString));
    if (mode_ == kConnect) {
        if (dialer_.Connect(this, &link_, language(), port, baud,
                            ModemCommands::Init(settings_.initString),
                            ModemCommands::Dial(settings_.dialingMethod, settings_.phoneNumber),
                            'N', 8, 1) != 0) {
            showError(ModemReportRules::kTextCannotOpenPort, ModemReportRules::kTextError);
            return QDialog::Rejected;
        }
        // One step a tick: the bar fills in the time the dial is given.
        progressTimer_.start();
    } else if (dialer_.Disconnect(this, &link_, modemConnected_, language(), port, baud,
                                  ModemCommands::HangUp(settings_.hangUpString), 'N', 8, 1) != 0) {
        // No hang-up started (no connection, or the port cannot be opened): nothing would ever
        // end the window.
        return QDialog::Rejected;
    }
    return PageDialog::exec();
}

QString ModemDialog::statusText() const {
    return status_->toPlainText();
}

bool ModemDialog::OnModemReport(int code, const std::string& text) {
    // On the dialer's thread: the report is handled on the window's thread, and the procedure
    // waits for it, unless the window is going away. Whether it was handled tells the dialer
    // whether anybody acts on the modem's answer.
    std::unique_lock lock(reportMutex_);
    if (closing_) return false;
    const unsigned ticket = handledCount_ + 1;
    QMetaObject::invokeMethod(
        this,
        [this, code, text] {
            {
                std::lock_guard guard(reportMutex_);
                if (closing_) return;
            }
            handleReport(code, text);
            std::lock_guard guard(reportMutex_);
            ++handledCount_;
            reportHandled_.notify_all();
        },
        Qt::QueuedConnection);
    reportHandled_.wait(lock, [&] { return closing_ || handledCount_ >= ticket; });
    return handledCount_ >= ticket;
}

void ModemDialog::handleReport(int code, const std::string& text) {
    if (ending_) {
        showAfterCancel(code, text);
        return;
    }
    status_->moveCursor(QTextCursor::End);
    status_->insertPlainText(forStatus(text));
    status_->ensureCursorVisible();

    const ModemReportAction action = ModemReportRules::Decide(code, text);
    if (action.restartProgress) progress_->setValue(0);
    if (action.stopProgress) progressTimer_.stop();
    if (action.messageId != 0) showError(action.messageId, ModemReportRules::kTextCaution);
    // Cancelled while the message was up: the dialer heard of it before this report was
    // handled, and hangs up itself what needs it.
    if (ending_) return;
    if (action.startHangUp) {
        // The dial procedure is still delivering this report: the hang-up starts once it ended,
        // and a cancel meanwhile waits for it. The procedure is told before it goes on, so that
        // a cancel from now on does not make it hang up too.
        hangUpPending_ = true;
        dialer_.LeaveHangUpToReceiver();
        QTimer::singleShot(0, this, &ModemDialog::startAutomaticHangUp);
        return;
    }
    if (action.end == ModemReportAction::End::Connected)
        finish(QDialog::Accepted, action.pauseBeforeEnd);
    else if (action.end == ModemReportAction::End::Cancelled)
        finish(QDialog::Rejected, action.pauseBeforeEnd);
}

void ModemDialog::showAfterCancel(int code, const std::string& text) {
    status_->moveCursor(QTextCursor::End);
    status_->insertPlainText(forStatus(text));
    status_->ensureCursorVisible();
    // The user gave the call up and hears no more of it, unless a hang-up failed: the line may
    // still be up.
    if (code != ModemDialer::kEscapeAnswer && code != ModemDialer::kHangUpAnswer) return;
    const ModemReportAction action = ModemReportRules::Decide(code, text);
    if (action.messageId != 0) showError(action.messageId, ModemReportRules::kTextCaution);
}

void ModemDialog::startAutomaticHangUp() {
    // Runs even after a cancel: the modem may be off hook. The dial procedure is ending; the
    // window's thread looks again later rather than wait for it, since a procedure that still
    // reports waits for this thread.
    if (dialer_.IsRunning()) {
        QTimer::singleShot(kIdlePollMs, this, &ModemDialog::startAutomaticHangUp);
        return;
    }
    hangUpPending_ = false;
    dialer_.WaitIdle();  // every report is delivered: the thread is ending
    // A flag of the dialog's own: the application's connection flag stays as it is.
    ownConnected_ = true;
    if (dialer_.Disconnect(this, &link_, &ownConnected_, language(), settings_.portNumber,
                           settings_.baudIndex, ModemCommands::HangUp(settings_.hangUpString), 'N',
                           8, 1) != 0 &&
        !ending_)
        finish(QDialog::Rejected, false);
}

void ModemDialog::finish(int result, bool pause) {
    ending_ = true;
    cancel_->setEnabled(false);
    if (pause)
        // The modem settles before anything else goes on the line; the window stays live.
        QTimer::singleShot(settleMs_, this, [this, result] { done(result); });
    else
        done(result);
}

void ModemDialog::tick() {
    progress_->setValue(std::min(progress_->value() + 1, progress_->maximum()));
}

void ModemDialog::detach() {
    {
        std::lock_guard lock(reportMutex_);
        closing_ = true;
    }
    reportHandled_.notify_all();
    dialer_.Abandon();
}

void ModemDialog::reject() {
    if (ending_) return;  // an outcome is on its way
    ending_ = true;
    progressTimer_.stop();
    cancel_->setEnabled(false);
    // Before any further report is handled: the dialer then knows that nobody here takes a
    // call that connects, and hangs it up.
    dialer_.Cancel();
    const auto busy = [this] { return dialer_.IsRunning() || hangUpPending_; };
    if (!busy()) {
        PageDialog::reject();
        return;
    }
    // The procedure finishes on its own (an answer it waits for comes or times out, a hang-up
    // runs to its end); the window stays live meanwhile, shows what happens and closes as soon
    // as it has.
    auto* waiter = new QTimer(this);
    waiter->setInterval(kIdlePollMs);
    connect(waiter, &QTimer::timeout, this, [this, waiter, busy] {
        if (busy()) return;
        waiter->stop();
        dialer_.WaitIdle();
        done(QDialog::Rejected);
    });
    waiter->start();
}

}  // namespace flowcfg
