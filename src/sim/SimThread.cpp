#include "sim/SimThread.h"

#include "sim/SimOptions.h"

namespace flowcfg {

std::unique_ptr<SimThread> SimThread::start(const std::vector<std::string>& args,
                                            std::string& error) {
    SimOptions options;
    if (!SimOptions::parse(args, options, error)) return nullptr;
    auto server = std::make_unique<SimServer>(options);
    if (!server->open(error)) return nullptr;
    return std::unique_ptr<SimThread>(new SimThread(std::move(server)));
}

SimThread::SimThread(std::unique_ptr<SimServer> server)
    : server_(std::move(server)), path_(server_->devicePath()) {
    thread_ = std::thread([this] { status_ = server_->run(); });
}

SimThread::~SimThread() {
    stop();
}

int SimThread::stop() {
    if (thread_.joinable()) {
        server_->stop();
        thread_.join();
    }
    return status_;
}

}  // namespace flowcfg
