#include "link/ModemSession.h"

#include <chrono>
#include <thread>

#include "link/ModemCommands.h"

namespace flowcfg {

ModemSession::ModemSession(const LinkSettings& settings, int language, ModemSessionView& view)
    : settings_(settings), language_(language), view_(view) {}

void ModemSession::SetTiming(const ModemDialer::Timing& timing, int settleMs) {
    dialer_.SetTiming(timing);
    settleMs_ = settleMs;
}

bool ModemSession::Connect(SerialLink& link, int portNumber, int baudIndex, char parity,
                           int dataBits, int stopBits) {
    connected_ = hangUpNeeded_ = false;
    dialer_.SetHangUpCommand(ModemCommands::HangUp(settings_.hangUpString));
    const int started = dialer_.Connect(
        this, &link, language_, portNumber, baudIndex, ModemCommands::Init(settings_.initString),
        ModemCommands::Dial(settings_.dialingMethod, settings_.phoneNumber), parity, dataBits,
        stopBits);
    if (started != 0) {
        ShowMessage(ModemReportRules::kTextCannotOpenPort, ModemReportRules::kTextError);
        return false;
    }
    dialer_.WaitIdle();
    if (hangUpNeeded_) {
        // The modem gave an answer nobody knows: hang it up with a flag of our own, so that the
        // application's connection flag is left as it is.
        bool offHook = true;
        if (dialer_.Disconnect(this, &link, &offHook, language_, portNumber, baudIndex,
                               ModemCommands::HangUp(settings_.hangUpString), parity, dataBits,
                               stopBits) == 0)
            dialer_.WaitIdle();
    }
    return connected_;
}

int ModemSession::Disconnect(SerialLink& link, bool* connected, int portNumber, int baudIndex) {
    hangUpConfirmed_ = false;
    const int started =
        dialer_.Disconnect(this, &link, connected, language_, portNumber, baudIndex,
                           ModemCommands::HangUp(settings_.hangUpString), 'N', 8, 1);
    if (started != 0) return started;
    dialer_.WaitIdle();
    return hangUpConfirmed_ ? 0 : ModemReportRules::kTextDisconnectionFailed;
}

void ModemSession::ShowMessage(int textId, int captionId) {
    view_.ShowMessage(textId, captionId);
}

bool ModemSession::OnModemReport(int code, const std::string& text) {
    view_.ShowConversation(text);
    const ModemReportAction action = ModemReportRules::Decide(code, text);
    if (action.messageId != 0) ShowMessage(action.messageId, ModemReportRules::kTextCaution);
    if (action.startHangUp) hangUpNeeded_ = true;
    if (code == ModemDialer::kHangUpAnswer && action.messageId == 0) hangUpConfirmed_ = true;
    if (action.end == ModemReportAction::End::Connected) {
        // The modem settles before the first exchange. (The dialog also lingers after a
        // confirmed hang-up so that it can be read; without a window nothing needs that.)
        if (action.pauseBeforeEnd)
            std::this_thread::sleep_for(std::chrono::milliseconds(settleMs_));
        connected_ = true;
    }
    return true;
}

}  // namespace flowcfg
