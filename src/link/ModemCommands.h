#pragma once

#include <string>

namespace flowcfg {

// The AT commands sent to the modem, built from the link settings, and the form in which the
// modem dialog shows them.
class ModemCommands {
public:
    // Sent after a second of silence, without a line end: the modem leaves data mode.
    static constexpr const char* kEscape = "+++";

    // "AT " + the initialisation string, with its line end.
    static std::string Init(const std::string& initString);
    // "ATDT" (tone, method 0) or "ATDP" (pulse, any other method) + the number, with its line
    // end.
    static std::string Dial(int dialingMethod, const std::string& phoneNumber);
    // "AT " + the disconnect string, with its line end.
    static std::string HangUp(const std::string& hangUpString);
    // `text` with every "&" and "%" doubled: a status line would take a single "&" for a
    // mnemonic marker and a "%" for a format. Only what is shown is doubled; the modem always
    // receives the commands as configured.
    static std::string ForDisplay(const std::string& text);
};

}  // namespace flowcfg
