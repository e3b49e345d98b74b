#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "sim/FaultInjector.h"
#include "sim/FrameAssembler.h"
#include "sim/HayesModem.h"
#include "sim/Instrument.h"
#include "sim/PtyLine.h"
#include "sim/RequestLog.h"
#include "sim/SimOptions.h"

namespace flowcfg {

// flowsim's whole service: the instrument behind its line (and modem), one request at a time,
// as a real slave on a half-duplex line. `run` blocks on the line with poll until `stop`; the
// waits for pacing, turnaround and delays block too, never spin.
class SimServer {
public:
    explicit SimServer(SimOptions options);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Builds the instrument (loading the state file), opens the line, the log and the link.
    bool open(std::string& error);
    // The pseudo-terminal's path (changes when an unplugged line is plugged in again).
    const std::string& devicePath() const { return line_.path(); }
    // Serves until `stop`. Returns 0, or 1 when the state could not be saved at the end.
    int run();
    // Asks `run` to return. Safe from a signal handler and from another thread.
    void stop();

    // Seconds since the server started.
    double elapsed() const;
    // The instrument; only to be touched while `run` is not running.
    Instrument& instrument() { return *instrument_; }

private:
    void readLine(double now);
    void serve(const FrameAssembler::Frame& frame);
    void send(const std::vector<std::uint8_t>& bytes, double start);
    bool waitUntil(double time);
    void unplug(const FaultRule& fault, double now);
    void replug(double now);
    void updateLink();
    void removeLink();
    bool saveState(std::string& error);
    double nextDeadline() const;

    SimOptions options_;
    std::unique_ptr<Instrument> instrument_;
    PtyLine line_;
    FrameAssembler assembler_;
    std::unique_ptr<HayesModem> modem_;
    FaultInjector faults_;
    RequestLog log_;
    std::mt19937 random_;
    std::chrono::steady_clock::time_point start_;
    int stopPipe_[2] = {-1, -1};
    std::atomic<bool> stopping_{false};
    double byteTime_ = 0.0;  // seconds per byte with --pace, else 0
    double replugAt_ = -1.0;
};

}  // namespace flowcfg
