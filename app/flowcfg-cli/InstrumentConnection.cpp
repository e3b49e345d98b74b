#include "InstrumentConnection.h"

#include <mutex>
#include <ostream>

#include "texts/LanguageTable.h"

namespace flowcfg::cli {
namespace {

std::mutex timingMutex;
ModemDialer::Timing modemTiming;
int modemSettleMs = ModemReportRules::kSettleMs;

}  // namespace

void InstrumentConnection::SetModemTiming(const ModemDialer::Timing& timing, int settleMs) {
    std::lock_guard lock(timingMutex);
    modemTiming = timing;
    modemSettleMs = settleMs;
}

InstrumentConnection::InstrumentConnection(const InstrumentTarget& target, CliContext& context,
                                           std::string command)
    : target_(target),
      context_(context),
      command_(std::move(command)),
      modem_(target.settings, LanguageTable::English, *this) {
    std::lock_guard lock(timingMutex);
    modem_.SetTiming(modemTiming, modemSettleMs);
}

InstrumentConnection::~InstrumentConnection() {
    if (modemConnected_) {
        const LinkSettings& s = target_.settings;
        modem_.Disconnect(link_, &modemConnected_, s.portNumber, s.baudIndex);
    }
    link_.Close();
}

int InstrumentConnection::Open() {
    const LinkSettings& s = target_.settings;
    link_.SetModemConnector(&modem_);
    link_.SetAnswerTimeout(s.answerTimeoutMs());
    const int result =
        link_.Open(s.portNumber, s.baudIndex, 'N', 8, 1, s.useModem, &modemConnected_);
    if (result == linkresult::kOpenFailed) {
        context_.err << "flowcfg-cli " << command_ << ": cannot open COM" << s.portNumber
                     << (target_.devicePath.empty() ? " (no device assigned)"
                                                    : " (" + target_.devicePath + ")")
                     << "\n";
    } else if (result == linkresult::kModemNotConnected) {
        context_.err << "flowcfg-cli " << command_ << ": no modem connection on COM" << s.portNumber
                     << "\n";
    }
    return result;
}

void InstrumentConnection::ShowConversation(const std::string& text) {
    // The dialog's status area runs the reports together; on a terminal each goes on its own
    // lines, without the modem's carriage returns and empty lines.
    std::string line;
    for (char c : text) {
        if (c == '\r') continue;
        if (c != '\n') {
            line += c;
            continue;
        }
        if (!line.empty()) context_.out << "modem: " << line << "\n";
        line.clear();
    }
    if (!line.empty()) context_.out << "modem: " << line << "\n";
    context_.out.flush();
}

void InstrumentConnection::ShowMessage(int textId, int) {
    // One line: the message box's line breaks become single spaces.
    std::string text;
    for (char c : LanguageTable().text(textId, LanguageTable::English)) {
        if (c == '\n') c = ' ';
        if (c != ' ' || (!text.empty() && text.back() != ' ')) text += c;
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    context_.err << "flowcfg-cli " << command_ << ": " << text << "\n";
}

}  // namespace flowcfg::cli
