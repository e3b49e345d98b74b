#pragma once

#include <optional>
#include <set>
#include <string>

#include "CliCommands.h"
#include "CliOptions.h"
#include "link/LinkSettings.h"
#include "link/PortTable.h"

namespace flowcfg::cli {

// The link options every command that talks to the instrument takes:
//   --config PATH       the configuration file (otherwise the current one, found as the desktop
//                       tool finds it)
//   --port COMn|DEVICE  the port: a COM number of the port table or a device path
//   --baud-index I      the entry of the baud table (0 300 ... 5 9600, 6 BlueTooth, 7 115200)
//   --slave S           the JBus slave address (0 answers from any address)
// The last three override the link settings of the configuration file.
struct InstrumentTarget {
    std::string configPath;
    LinkSettings settings;
    PortTable ports;
    std::string devicePath;  // the device of settings.portNumber (empty when unassigned)
};

class InstrumentOptions {
public:
    // The option names above, to pass to CliOptions with a command's own.
    static std::set<std::string> Names();
    // One help line for them.
    static const char* Usage();
    // Runs the start-up settings, reads the link settings and the port table of the
    // configuration file, applies the options and installs the port table for the process.
    // nullopt with `error` set when an option is malformed.
    static std::optional<InstrumentTarget> Resolve(const CliOptions& options, CliContext& context,
                                                   std::string& error);
};

}  // namespace flowcfg::cli
