#include "link/ModemDialer.h"

#include <chrono>
#include <system_error>

#include "link/ModemCommands.h"
#include "link/ModemReportRules.h"

namespace flowcfg {
namespace {

constexpr int kTextInitialization = 303;  // "Initialization:"
constexpr int kTextDial = 409;            // "Dial:"
constexpr int kTextHangUp = 456;          // "Hang up"

bool contains(const std::string& text, const char* word) {
    return text.find(word) != std::string::npos;
}

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

ModemDialer::~ModemDialer() {
    WaitIdle();
}

void ModemDialer::WaitIdle() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void ModemDialer::Cancel() {
    cancelled_ = true;
}

void ModemDialer::Abandon() {
    abandoned_ = true;
}

bool ModemDialer::Idle() {
    if (running_) return false;
    // The last procedure has delivered its reports; its thread is ending or has ended.
    WaitIdle();
    return true;
}

int ModemDialer::Start(void (ModemDialer::*procedure)()) {
    abandoned_ = false;
    cancelled_ = false;
    receiverHangsUp_ = false;
    running_ = true;
    try {
        thread_ = std::thread(procedure, this);
    } catch (const std::system_error&) {
        running_ = false;
        return -1;
    }
    return 0;
}

int ModemDialer::Connect(ModemReportReceiver* receiver, SerialLink* link, int language,
                         int portNumber, int baudIndex, const std::string& initCommand,
                         const std::string& dialCommand, char parity, int dataBits, int stopBits) {
    if (!Idle() || !link) return -1;
    receiver_ = receiver;
    link_ = link;
    language_ = language;
    initCommand_ = initCommand;
    dialCommand_ = dialCommand;
    const int opened = link->Open(portNumber, baudIndex, parity, dataBits, stopBits);
    if (opened != 0) return opened;
    return Start(&ModemDialer::DialProcedure);
}

int ModemDialer::Disconnect(ModemReportReceiver* receiver, SerialLink* link, bool* connected,
                            int language, int portNumber, int baudIndex,
                            const std::string& hangUpCommand, char parity, int dataBits,
                            int stopBits) {
    if (!Idle() || !link) return -1;
    receiver_ = receiver;
    link_ = link;
    language_ = language;
    hangUpCommand_ = hangUpCommand;
    if (!connected || !*connected) return -1;
    if (!link->IsOpen()) {
        const int opened = link->Open(portNumber, baudIndex, parity, dataBits, stopBits);
        if (opened != 0) return opened;
    }
    *connected = false;
    return Start(&ModemDialer::HangUpProcedure);
}

int ModemDialer::Report(const std::string& text, int code) {
    if (!receiver_ || abandoned_) return -1;
    return receiver_->OnModemReport(code, text) ? 0 : -1;
}

int ModemDialer::ReportText(int textId, int code) {
    return Report(texts_.text(textId, language_), code);
}

std::string ModemDialer::Converse(const std::string& command, int answerMs) {
    link_->SetAnswerTimeout(answerMs);
    link_->SendText(command);
    std::string answer;
    link_->ReceiveText(answer);
    return answer;
}

void ModemDialer::DialProcedure() {
    ReportText(kTextInitialization, kInformation);
    Report(ModemCommands::ForDisplay(initCommand_) + "\n", kInformation);
    const std::string initAnswer = Converse(initCommand_, timing_.initAnswer);
    Report(ModemCommands::ForDisplay(initAnswer) + "\n", kInitAnswer);
    // Without "OK" nothing more is sent; nor is a number dialled for a receiver that gave the
    // call up or has gone.
    if (contains(initAnswer, "OK") && !cancelled_ && !abandoned_) {
        ReportText(kTextDial, kInformation);
        Report(dialCommand_, kInformation);
        const std::string dialAnswer = Converse(dialCommand_, timing_.dialAnswer);
        const bool taken = Report(dialAnswer, kDialAnswer) == 0;
        if (dialAnswerWaitPoint_) dialAnswerWaitPoint_();
        // The answer came after a cancel, or nobody took it: nobody else will hang up, unless
        // the receiver said it does. A line that may be up (connected, or an answer nobody
        // knows) is hung up before the procedure ends, so that whoever waits for the procedure
        // waits for the hang-up too.
        const ModemReportAction action = ModemReportRules::Decide(kDialAnswer, dialAnswer);
        const bool lineMayBeUp =
            action.end == ModemReportAction::End::Connected || action.startHangUp;
        if ((cancelled_ || !taken) && lineMayBeUp && !receiverHangsUp_) HangUp();
    }
    // Every report has been delivered: only now may the receiver see the procedure ended.
    running_ = false;
}

void ModemDialer::HangUpProcedure() {
    HangUp();
    running_ = false;
}

void ModemDialer::HangUp() {
    // The modem only takes "+++" after a guard time of silence.
    sleepMs(timing_.silenceBeforeEscape);
    Report("\n" + std::string(ModemCommands::kEscape) + "\n", kInformation);
    link_->SendText(ModemCommands::kEscape);
    link_->SetAnswerTimeout(timing_.escapeAnswer);
    std::string escapeAnswer;
    link_->ReceiveText(escapeAnswer);
    Report(escapeAnswer + "\n", kEscapeAnswer);
    if (contains(escapeAnswer, "OK")) {
        sleepMs(timing_.pauseBeforeHangUp);
        ReportText(kTextHangUp, kInformation);
        Report(ModemCommands::ForDisplay(hangUpCommand_), kInformation);
        const std::string hangUpAnswer = Converse(hangUpCommand_, timing_.hangUpAnswer);
        Report(ModemCommands::ForDisplay(hangUpAnswer), kHangUpAnswer);
    }
}

}  // namespace flowcfg
