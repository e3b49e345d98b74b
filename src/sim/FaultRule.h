#pragma once

#include <string>
#include <string_view>

namespace flowcfg {

// One fault to inject, as given on the command line: KIND[=ARG][@REGISTER][*COUNT][~PROBABILITY].
struct FaultRule {
    enum class Kind { NoAnswer, BadCrc, Truncate, WrongSlave, Exception, Garbage, Delay, Unplug };

    Kind kind = Kind::NoAnswer;
    bool hasArgument = false;
    long argument = 0;        // exception code, delay or replug time in ms, byte count, address
    long startRegister = -1;  // -1: any request
    long count = -1;          // -1: no limit; otherwise the matching requests still to hit
    double probability = 1.0;

    // The kind's name as written on the command line and in the log ("noanswer", ...).
    static const char* kindName(Kind kind);
    const char* name() const { return kindName(kind); }

    // Parses one --fault value; on failure returns false with a message in `error`.
    static bool parse(std::string_view text, FaultRule& out, std::string& error);
};

}  // namespace flowcfg
