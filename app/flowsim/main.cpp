// flowsim: a simulated flowmeter (and Hayes modem) on a pseudo-terminal. Prints the device path
// as the first line on standard output, then serves until SIGINT or SIGTERM.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "sim/SimOptions.h"
#include "sim/SimServer.h"

namespace {

flowcfg::SimServer* gServer = nullptr;

void onSignal(int) {
    if (gServer != nullptr) gServer->stop();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    flowcfg::SimOptions options;
    std::string error;
    if (!flowcfg::SimOptions::parse(args, options, error)) {
        std::fprintf(stderr, "flowsim: %s\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(flowcfg::SimOptions::usage(), stdout);
        return 0;
    }
    flowcfg::SimServer server(options);
    if (!server.open(error)) {
        std::fprintf(stderr, "flowsim: %s\n", error.c_str());
        return 1;
    }
    gServer = &server;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::printf("%s\n", server.devicePath().c_str());
    std::fflush(stdout);
    const int status = server.run();
    gServer = nullptr;
    return status;
}
