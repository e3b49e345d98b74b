#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/CliTestSupport.h"
#include "common/TempDir.h"
#include "shell/IniFile.h"
#include "sim/SimTestSupport.h"

namespace flowcfg::testing {

// flowsim on a pseudo-terminal at COM9 and a configuration file talking to it at 9600 baud in
// English; run() runs one flowcfg-cli command on that configuration, answering its questions
// from `answers`.
struct CliSimSite {
    TempDir dir;
    RunningSim sim{{}};
    std::string config = dir.file("site.cfg");

    CliSimSite() {
        IniFile ini(config);
        ini.writeString("Ports", "COM9", sim.path());
        ini.writeReal("Com", "Port", 8);
        ini.writeReal("Com", "Bauds", 5);
        ini.writeReal("Com", "JBus", 1);
        ini.writeReal("Language", "Language", 1);  // English
    }
    StartupEnvironment environment() const { return environmentIn(dir); }
    CliRun run(std::vector<std::string> args, const std::string& answers = {}) {
        args.insert(args.end(), {"--config", config});
        std::ostringstream out, err;
        std::istringstream in(answers);
        cli::CliContext context{out, err, environment(), &in};
        CliRun result;
        result.status = cli::runCli(args, context);
        result.out = out.str();
        result.err = err.str();
        return result;
    }
    // The write requests (function 16) flowsim has answered so far.
    int writes() const {
        std::string log = sim.log();
        int n = 0;
        for (std::size_t at = log.find("fn=16"); at != std::string::npos;
             at = log.find("fn=16", at + 1))
            ++n;
        return n;
    }
};

// True when `text` holds `line` as a whole line.
inline bool hasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

}  // namespace flowcfg::testing
