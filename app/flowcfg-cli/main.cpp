#include <iostream>
#include <string>
#include <vector>

#include "CliCommands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    flowcfg::cli::CliContext context{std::cout, std::cerr,
                                     flowcfg::StartupEnvironment::fromProcess(argc, argv)};
    return flowcfg::cli::runCli(args, context);
}
