#include "link/ModemCommands.h"

namespace flowcfg {

std::string ModemCommands::Init(const std::string& initString) {
    return "AT " + initString + "\r\n";
}

std::string ModemCommands::Dial(int dialingMethod, const std::string& phoneNumber) {
    return (dialingMethod == 0 ? "ATDT" : "ATDP") + phoneNumber + "\r\n";
}

std::string ModemCommands::HangUp(const std::string& hangUpString) {
    return "AT " + hangUpString + "\r\n";
}

std::string ModemCommands::ForDisplay(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '&' || c == '%') out += c;
    }
    return out;
}

}  // namespace flowcfg
