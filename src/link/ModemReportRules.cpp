#include "link/ModemReportRules.h"

#include "link/ModemDialer.h"

namespace flowcfg {
namespace {

bool contains(const std::string& text, const char* word) {
    return text.find(word) != std::string::npos;
}

ModemReportAction cancelWith(int messageId) {
    ModemReportAction action;
    action.stopProgress = true;
    action.messageId = messageId;
    action.end = ModemReportAction::End::Cancelled;
    return action;
}

ModemReportAction dialAnswer(const std::string& answer) {
    using End = ModemReportAction::End;
    ModemReportAction action;
    action.stopProgress = true;
    if (contains(answer, "CONNECT")) {
        action.pauseBeforeEnd = true;
        action.end = End::Connected;
    } else if (contains(answer, "BUSY")) {
        action = cancelWith(ModemReportRules::kTextBusy);
    } else if (contains(answer, "NO DIALTONE")) {
        action = cancelWith(ModemReportRules::kTextNoDialtone);
    } else if (contains(answer, "NO CARRIER")) {
        action = cancelWith(ModemReportRules::kTextConnectionFailed);
    } else {
        // Nothing or something unknown: the modem may still be off hook, so hang it up; the
        // dialog ends with the hang-up's answers.
        action.messageId = ModemReportRules::kTextConnectionFailed;
        action.startHangUp = true;
    }
    return action;
}

}  // namespace

ModemReportAction ModemReportRules::Decide(int code, const std::string& answer) {
    ModemReportAction action;
    switch (code) {
        case ModemDialer::kInitAnswer:
            if (contains(answer, "OK"))
                action.restartProgress = true;
            else
                action = cancelWith(kTextInitFailed);
            break;
        case ModemDialer::kDialAnswer:
            action = dialAnswer(answer);
            break;
        case ModemDialer::kEscapeAnswer:
            // With "OK" the hang-up command follows; wait for its answer.
            if (!contains(answer, "OK")) action = cancelWith(kTextDisconnectionFailed);
            break;
        case ModemDialer::kHangUpAnswer:
            if (contains(answer, "OK")) {
                action.stopProgress = true;
                action.pauseBeforeEnd = true;
                action.end = ModemReportAction::End::Cancelled;
            } else {
                action = cancelWith(kTextDisconnectionFailed);
            }
            break;
        default:
            break;  // information only
    }
    return action;
}

}  // namespace flowcfg
