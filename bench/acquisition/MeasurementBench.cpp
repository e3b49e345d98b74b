// The measurement page's figures:
//  1. a complete cycle (two paths: nine blocks) at 9600 baud against flowsim paced at 9600 baud,
//     against the line time of its frames (10 bits a byte, requests and replies), the answer
//     turnaround and the link's 100 ms interval after each exchange; target: within 10 %;
//  2. appending a sample (its nine blocks, as the page's recording writes them) to a
//     100 000-sample recording against appending it to a recording of the parameter blocks
//     only; target: a ratio under 1.5;
//  3. opening a 100 000-sample recording in file mode and showing its last sample; target:
//     under 100 ms.
// Prints the figures; the exit status is 1 when a target is missed.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchSim.h"
#include "acquisition/CompletionQueue.h"
#include "acquisition/MeasurementBlocks.h"
#include "acquisition/MeasurementPage.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"

namespace {

using namespace flowcfg;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kTurnaroundMs = 2;
constexpr int kIntervalMs = 100;  // the link's interval once the first path block came
constexpr int kCycles = 10;
constexpr int kSamples = 100000;
constexpr int kAppends = 40;

struct Silent : Prompts {
    std::string last;
    void showError(const std::string& message, const std::string&) override { last = message; }
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> chooseFile(const FileRequest&) override { return {}; }
};

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

bool cycleTime(testing::TestApplication& t) {
    auto sim = bench::startSim(
        {"--pace", "9600", "--turnaround", std::to_string(kTurnaroundMs), "--pipes", "2"});
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
    MeasurementPage page(t.app, prompts, link, {2, true, true});
    queue.attach(page);
    auto runUntil = [&](int cycles) {
        const auto end = Clock::now() + 120s;
        while (page.cycles() < cycles && !page.closed() && Clock::now() < end)
            queue.pump(page, 100ms);
        return page.cycles() >= cycles;
    };
    if (page.Build(nullptr) != 0 || page.Open() != 0 || !runUntil(2)) {
        std::printf("the measurement page did not cycle: %s\n", prompts.last.c_str());
        return false;
    }
    // From the end of a cycle to the end of the cycle kCycles later: whole cycles only.
    const Clock::time_point start = Clock::now();
    if (!runUntil(2 + kCycles)) {
        std::printf("the cycles stopped: %s\n", prompts.last.c_str());
        return false;
    }
    const double took = seconds(Clock::now() - start) / kCycles;
    page.Close();

    long bytes = 0;
    for (int address : kMeasurementCycleOrder)
        bytes += 8 + 5 + 2 * page.table().RegisterCount(address);  // request, reply
    const int exchanges = int(kMeasurementCycleOrder.size());
    const double line = double(bytes) * 10.0 / 9600.0;
    const double expected = line + exchanges * (kTurnaroundMs + kIntervalMs) / 1000.0;
    const double ratio = took / expected;
    const bool ok = ratio <= 1.10;
    std::printf(
        "complete cycle, two paths, %d exchanges, %ld bytes at 9600 baud: %.3f s; line time "
        "%.3f s + %d x (%d ms turnaround + %d ms interval) = %.3f s; ratio %.3f [target: at "
        "most 1.10: %s]\n",
        exchanges, bytes, took, line, exchanges, kTurnaroundMs, kIntervalMs, expected, ratio,
        ok ? "ok" : "MISSED");
    return ok;
}

// A recording of the page's blocks with `samples` samples of zeros.
bool writeRecording(MeasurementPage& page, const std::string& path, int samples) {
    RecordFile file(1 << 16);
    if (file.create(path, page.DescriptionText()) != RecordStatus::Ok) return false;
    std::vector<std::uint8_t> payload;
    for (int address : kMeasurementParameterOrder) {
        payload.assign(std::size_t(2 * page.table().RegisterCount(address)), 0);
        if (file.append(payload) != RecordStatus::Ok) return false;
    }
    for (int s = 0; s < samples; ++s)
        for (int address : kMeasurementCycleOrder) {
            payload.assign(std::size_t(2 * page.table().RegisterCount(address)), std::uint8_t(s));
            if (file.append(payload) != RecordStatus::Ok) return false;
        }
    return true;
}

// The median time of appending one sample to `path` through the page's write-one-block.
double appendTime(MeasurementPage& page, const std::string& path) {
    page.setRecordPath(path);
    std::vector<std::vector<std::uint8_t>> blocks;
    for (int address : kMeasurementCycleOrder)
        blocks.emplace_back(std::size_t(2 * page.table().RegisterCount(address)), 7);
    std::vector<double> times;
    for (int k = 0; k < kAppends; ++k) {
        const Clock::time_point start = Clock::now();
        for (const auto& block : blocks)
            if (page.WriteOneBlock(block, AcquisitionPage::kAppend) != 0) return -1;
        times.push_back(seconds(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool recordingFigures(testing::TestApplication& t) {
    Silent prompts;
    InstrumentLink link;
    MeasurementPage page(t.app, prompts, link, {2, true, true});
    if (page.Build(nullptr) != 0) return false;
    const std::string empty = t.dir.file("empty.mes"), full = t.dir.file("full.mes");
    if (!writeRecording(page, empty, 0) || !writeRecording(page, full, kSamples)) {
        std::printf("the recordings could not be written\n");
        return false;
    }
    const double small = appendTime(page, empty), large = appendTime(page, full);
    if (small <= 0 || large <= 0) {
        std::printf("appending failed: %s\n", prompts.last.c_str());
        return false;
    }
    const double ratio = large / small;
    const bool appendOk = ratio < 1.5;
    std::printf(
        "append a sample (9 blocks, median of %d): to the parameters only %.3f ms, to %d "
        "samples %.3f ms; ratio %.2f [target: under 1.5: %s]\n",
        kAppends, small * 1e3, kSamples, large * 1e3, ratio, appendOk ? "ok" : "MISSED");

    double best = 1e30;
    int shown = -1;
    for (int run = 0; run < 5; ++run) {
        MeasurementPage viewer(t.app, prompts, link, {2, true, true});
        if (viewer.Build(nullptr) != 0) return false;
        const Clock::time_point start = Clock::now();
        if (viewer.Open(full) != 0) {
            std::printf("the recording did not open: %s\n", prompts.last.c_str());
            return false;
        }
        viewer.ShowLast();
        best = std::min(best, seconds(Clock::now() - start));
        shown = viewer.currentSample();
    }
    const bool showOk = best < 0.1 && shown == kSamples + kAppends - 1;
    std::printf(
        "open a %d-sample recording and show its last sample (best of 5): %.1f ms, sample %d "
        "[target: under 100 ms: %s]\n",
        kSamples + kAppends, best * 1e3, shown + 1, showOk ? "ok" : "MISSED");
    return appendOk && showOk;
}

}  // namespace

int main() {
    testing::TestApplication t;
    const bool cycle = cycleTime(t);
    const bool recording = recordingFigures(t);
    return cycle && recording ? 0 : 1;
}
