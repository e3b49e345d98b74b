#pragma once

#include <string>

namespace flowcfg {

// Receives the steps of a modem procedure from the dialer's thread. The call is synchronous: the
// procedure goes on only when it returns, so a receiver that lives on another thread (a window)
// hands the report over and waits until it has been handled. `text` is valid only during the
// call.
class ModemReportReceiver {
public:
    virtual ~ModemReportReceiver() = default;
    // `code`: 0 information, 1 answer to the initialisation command, 2 answer to the dial
    // command, 100 answer to the escape sequence, 101 answer to the hang-up command. Returns
    // false when the receiver dropped the report because it is going away: the dialer then
    // knows that nobody acts on the answer (a call that connected is hung up).
    virtual bool OnModemReport(int code, const std::string& text) = 0;
};

}  // namespace flowcfg
