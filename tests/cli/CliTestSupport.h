#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "CliCommands.h"

namespace flowcfg::testing {

// Runs one flowcfg-cli command in-process and keeps what it printed.
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliRun runCliCommand(const std::vector<std::string>& args, StartupEnvironment environment) {
    std::ostringstream out, err;
    cli::CliContext context{out, err, std::move(environment)};
    CliRun run;
    run.status = cli::runCli(args, context);
    run.out = out.str();
    run.err = err.str();
    return run;
}

}  // namespace flowcfg::testing
