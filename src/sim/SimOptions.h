#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/FaultRule.h"

namespace flowcfg {

// What the simulated instrument, its line and its modem are, as set on flowsim's command line.
struct SimOptions {
    enum class DialAnswer { Connect, Busy, NoDialtone, NoCarrier, Silent };

    // The instrument.
    int slave = 1;
    int pipes = 1;
    int chordsA = 2;
    int chordsB = 2;
    std::array<std::uint16_t, 24> modules{};  // module word per slot, 0 = empty
    int loggerParameters = 4;
    long loggerRecords = 3000;
    long loggerCapacity = 20000;
    std::string firmware = "03-12-B2.14";
    bool profileCurve = true;  // the profile curve blocks 0x1300 and 0x1500
    std::string statePath;

    // The line.
    int baud = 9600;
    int pace = 0;  // 0: bytes travel as fast as the pseudo-terminal takes them
    int turnaroundMs = 0;
    std::vector<FaultRule> faults;
    std::uint32_t seed = 1;

    // The modem.
    bool modem = false;
    DialAnswer dialAnswer = DialAnswer::Connect;
    int guardMs = 1000;

    // The program.
    std::string logPath;   // "-" for standard error
    std::string linkPath;  // symbolic link to the pseudo-terminal
    bool help = false;

    // Which options were given explicitly (they override a loaded state file).
    bool slaveGiven = false;
    bool baudGiven = false;

    SimOptions();

    // Parses the arguments after the program name. False with a message on the first bad one.
    static bool parse(const std::vector<std::string>& args, SimOptions& out, std::string& error);
    static const char* usage();
};

}  // namespace flowcfg
