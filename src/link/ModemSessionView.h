#pragma once

#include <string>

namespace flowcfg {

// Where a modem session without a window shows its work: the conversation with the modem as
// the modem dialog's status area would show it, and the dialog's messages. Called on the
// dialer's thread while the session waits.
class ModemSessionView {
public:
    virtual ~ModemSessionView() = default;
    // One report of the dialer, appended to what was shown before.
    virtual void ShowConversation(const std::string& text) = 0;
    // A message box: text and caption by text id of the language table.
    virtual void ShowMessage(int textId, int captionId) = 0;
};

}  // namespace flowcfg
