// The logger page's download of 2 000 records of 4 parameters at 9600 baud against flowsim
// paced at 9600 baud: the time from the download command to the last record in the ".log"
// file, against the line time of the frames the download put on the line (10 bits a byte,
// requests and replies, as flowsim's log lists them) plus the answer turnaround of each.
// Target: within 10 % of that sum. Prints the figures; the exit status is 1 when it is missed.
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>

#include "BenchSim.h"
#include "acquisition/CompletionQueue.h"
#include "acquisition/LoggerPage.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kRecords = 2000;
constexpr int kParameters = 4;
constexpr int kTurnaroundMs = 2;

struct Silent : flowcfg::Prompts {
    std::string last;
    void showError(const std::string& message, const std::string&) override { last = message; }
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> chooseFile(const flowcfg::FileRequest&) override { return {}; }
};

// The frames of flowsim's log lines from `first` on: their bytes on the line, requests and
// replies ("slave=1 fn=4 start=0x0000 count=114 -> ok").
struct Frames {
    long exchanges = 0;
    long bytes = 0;
};

Frames framesOf(const std::string& log, std::size_t first) {
    Frames frames;
    std::istringstream in(log.substr(first));
    for (std::string line; std::getline(in, line);) {
        int function = 0, count = 0;
        const std::size_t fn = line.find(" fn="), n = line.find(" count=");
        if (fn == std::string::npos || n == std::string::npos) continue;
        function = std::stoi(line.substr(fn + 4));
        count = std::stoi(line.substr(n + 7));
        ++frames.exchanges;
        // A read: 8 bytes, then 5 and 2 a register; a write: 9 and 2 a register, then 8.
        frames.bytes += function == 16 ? 9 + 2 * count + 8 : 8 + 5 + 2 * count;
    }
    return frames;
}

}  // namespace

int main() {
    using namespace flowcfg;
    testing::TempDir logDir;
    const std::string logPath = logDir.file("sim.log");
    auto sim = bench::startSim({"--pace", "9600", "--turnaround", std::to_string(kTurnaroundMs),
                                "--logger-params", std::to_string(kParameters), "--logger-records",
                                std::to_string(kRecords), "--log", logPath});
    testing::TestApplication t;
    PortTable table;
    table.Assign(1, sim->path());
    PortTable::Install(table);
    IniFile config = t.config();
    config.writeReal("Com", "Port", 0);
    config.writeReal("Com", "Bauds", 5);  // 9600
    config.writeReal("Com", "JBus", 1);

    Silent prompts;
    InstrumentLink link;
    CompletionQueue queue;
    LoggerPage page(t.app, prompts, link);
    queue.attach(page);
    auto runUntil = [&](auto done) {
        const auto end = Clock::now() + 600s;
        while (!done() && !page.closed() && Clock::now() < end)
            queue.pump(page, 100ms);
        return done();
    };
    if (page.OpenPage() != 0 || !runUntil([&] { return page.stateShown(); })) {
        std::printf("the logger state did not come: %s\n", prompts.last.c_str());
        return 1;
    }
    const std::size_t logStart = testing::readFile(logPath).size();
    const Clock::time_point start = Clock::now();
    if (page.StartDownload(t.dir.file("bench.log")) != 0) {
        std::printf("download did not start: %s\n", prompts.last.c_str());
        return 1;
    }
    runUntil([&] { return !page.downloading(); });
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    if (page.lastAction() != LoggerDownload::Action::Finished || page.progressValue() != kRecords) {
        std::printf("download failed after %ld records: %s\n", page.progressValue(),
                    prompts.last.c_str());
        return 1;
    }
    const Frames frames = framesOf(testing::readFile(logPath), logStart);
    const double lineSeconds = double(frames.bytes) * 10.0 / 9600.0;
    const double expected = lineSeconds + double(frames.exchanges) * kTurnaroundMs / 1000.0;
    const double ratio = took / expected;
    const bool ok = ratio <= 1.10;
    std::printf(
        "logger download of %d records (N = %d) at 9600 baud, %ld exchanges, %ld bytes on the "
        "line: %.2f s; line time %.2f s + turnaround %ld x %d ms = %.2f s; ratio %.3f "
        "[target: at most 1.10: %s]\n",
        kRecords, kParameters, frames.exchanges, frames.bytes, took, lineSeconds, frames.exchanges,
        kTurnaroundMs, expected, ratio, ok ? "ok" : "MISSED");
    return ok ? 0 : 1;
}
