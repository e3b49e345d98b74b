#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimOptions.h"

namespace flowcfg {

// A Hayes-compatible modem between the line and the instrument. In command mode it takes lines
// ending with a carriage return: "AT..." answers "OK", "ATD..." dials (answering "CONNECT <baud>"
// and passing to data mode, or "BUSY", "NO DIALTONE", "NO CARRIER" or nothing, as set), "ATH..."
// hangs up and answers "OK", "ATO" goes back on line. In data mode bytes pass to the instrument
// until the escape sequence: a guard time of silence, "+++", a guard time of silence; then it
// answers "OK" in command mode with the call still up. Echo is off (as after "E0").
class HayesModem {
public:
    struct Output {
        std::vector<std::uint8_t> toLine;        // modem answers for the PC
        std::vector<std::uint8_t> toInstrument;  // data mode bytes for the instrument
        std::vector<std::string> log;            // conversation, for the log
    };

    HayesModem(SimOptions::DialAnswer answer, int connectBaud, double guardSeconds);

    // Bytes from the PC received at `time` (seconds).
    void receive(const std::uint8_t* data, std::size_t length, double time, Output& out);
    // Lets time pass: completes an escape sequence whose closing guard time is over.
    void tick(double time, Output& out);
    // When `tick` has something to do; negative when nothing waits.
    double deadline() const;

    bool dataMode() const { return dataMode_; }
    bool connected() const { return connected_; }

private:
    void commandByte(std::uint8_t b, double time, Output& out);
    void commandLine(const std::string& line, Output& out);
    void answer(const std::string& text, Output& out);
    void abortEscape(Output& out);

    SimOptions::DialAnswer dialAnswer_;
    int connectBaud_;
    double guard_;
    bool connected_ = false;
    bool dataMode_ = false;
    std::string line_;
    double lastByteTime_ = -1e9;
    int pluses_ = 0;
    double lastPlusTime_ = 0.0;
};

}  // namespace flowcfg
