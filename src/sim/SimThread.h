#pragma once

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "sim/SimServer.h"

namespace flowcfg {

// flowsim served on a thread of the calling process, for tests, benchmarks and demos that want
// an instrument without a child process. Stopped and joined at the latest when the object goes.
class SimThread {
public:
    // Parses flowsim's command-line options, opens the line and starts serving; nothing and a
    // message in `error` when the options or the line are refused.
    static std::unique_ptr<SimThread> start(const std::vector<std::string>& args,
                                            std::string& error);
    ~SimThread();
    SimThread(const SimThread&) = delete;
    SimThread& operator=(const SimThread&) = delete;

    // Stops serving and waits for the thread; the server's exit status (see SimServer::run).
    int stop();
    // The pseudo-terminal the instrument serves, as it was when serving started.
    const std::string& path() const { return path_; }

private:
    explicit SimThread(std::unique_ptr<SimServer> server);

    std::unique_ptr<SimServer> server_;
    std::string path_;
    std::thread thread_;
    int status_ = 0;
};

}  // namespace flowcfg
