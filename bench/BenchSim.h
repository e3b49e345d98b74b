#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "sim/SimThread.h"

namespace flowcfg::bench {

// flowsim on a thread of the benchmark; a benchmark that cannot start it says why and stops.
inline std::unique_ptr<SimThread> startSim(const std::vector<std::string>& args) {
    std::string error;
    auto sim = SimThread::start(args, error);
    if (!sim) {
        std::fprintf(stderr, "flowsim could not start: %s\n", error.c_str());
        std::exit(1);
    }
    return sim;
}

}  // namespace flowcfg::bench
