#include "sim/HayesModem.h"

#include <cctype>

namespace flowcfg {

namespace {
constexpr std::size_t kMaxLine = 256;
}

HayesModem::HayesModem(SimOptions::DialAnswer answer, int connectBaud, double guardSeconds)
    : dialAnswer_(answer), connectBaud_(connectBaud), guard_(guardSeconds) {}

void HayesModem::answer(const std::string& text, Output& out) {
    const std::string framed = "\r\n" + text + "\r\n";
    out.toLine.insert(out.toLine.end(), framed.begin(), framed.end());
    out.log.push_back("> " + text);
}

void HayesModem::abortEscape(Output& out) {
    for (int i = 0; i < pluses_; ++i)
        out.toInstrument.push_back('+');
    pluses_ = 0;
}

void HayesModem::receive(const std::uint8_t* data, std::size_t length, double time, Output& out) {
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t b = data[i];
        if (!dataMode_) {
            commandByte(b, time, out);
            lastByteTime_ = time;
            continue;
        }
        const bool plus = b == '+';
        if (plus && pluses_ < 3 &&
            (pluses_ > 0 ? time - lastPlusTime_ < guard_ : time - lastByteTime_ >= guard_)) {
            ++pluses_;
            lastPlusTime_ = time;
        } else {
            abortEscape(out);
            out.toInstrument.push_back(b);
        }
        lastByteTime_ = time;
    }
}

void HayesModem::tick(double time, Output& out) {
    if (dataMode_ && pluses_ == 3 && time - lastPlusTime_ >= guard_) {
        pluses_ = 0;
        dataMode_ = false;
        out.log.push_back("< +++");
        answer("OK", out);
    }
}

double HayesModem::deadline() const {
    return dataMode_ && pluses_ == 3 ? lastPlusTime_ + guard_ : -1.0;
}

void HayesModem::commandByte(std::uint8_t b, double, Output& out) {
    if (b == '\r') {
        const std::string line = line_;
        line_.clear();
        if (!line.empty()) commandLine(line, out);
        return;
    }
    if (b == '\n') return;
    if (line_.size() >= kMaxLine) line_.clear();
    line_.push_back(static_cast<char>(b));
}

void HayesModem::commandLine(const std::string& raw, Output& out) {
    out.log.push_back("< " + raw);
    std::string line;
    for (char c : raw)
        line.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    const std::size_t at = line.find("AT");
    if (at == std::string::npos) return;  // not a command: a modem ignores it
    std::size_t i = at + 2;
    while (i < line.size() && line[i] == ' ')
        ++i;
    const char command = i < line.size() ? line[i] : '\0';
    if (command == 'D') {
        switch (dialAnswer_) {
            case SimOptions::DialAnswer::Connect:
                connected_ = true;
                dataMode_ = true;
                pluses_ = 0;
                answer("CONNECT " + std::to_string(connectBaud_), out);
                out.log.push_back("data mode");
                break;
            case SimOptions::DialAnswer::Busy:
                answer("BUSY", out);
                break;
            case SimOptions::DialAnswer::NoDialtone:
                answer("NO DIALTONE", out);
                break;
            case SimOptions::DialAnswer::NoCarrier:
                answer("NO CARRIER", out);
                break;
            case SimOptions::DialAnswer::Silent:
                out.log.push_back("(no answer to the dial)");
                break;
        }
    } else if (command == 'H') {
        if (connected_) out.log.push_back("call dropped");
        connected_ = false;
        answer("OK", out);
    } else if (command == 'O') {
        if (connected_) {
            dataMode_ = true;
            pluses_ = 0;
            answer("CONNECT " + std::to_string(connectBaud_), out);
            out.log.push_back("data mode");
        } else {
            answer("NO CARRIER", out);
        }
    } else {
        answer("OK", out);
    }
}

}  // namespace flowcfg
