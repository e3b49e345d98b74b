#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "CliCommands.h"
#include "common/TempDir.h"

namespace flowcfg::testing {

// A program installed in `dir`: its own directory, and a per-user directory inside it.
inline StartupEnvironment environmentIn(const TempDir& dir) {
    StartupEnvironment env;
    env.executableDirectory = dir.path();
    env.userConfigDirectory = dir.file("user/");
    return env;
}

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
