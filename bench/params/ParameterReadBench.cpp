// A full read of the parameter set at 9600 baud against flowsim paced at 9600 baud: the time the
// settings page takes (identification, firmware check, the 46 blocks of read group 1) against the
// sum of its frames' line times (10 bits a byte, request and reply) and the answer turnaround.
// Target: within 10 % of that sum. Prints the figures; the exit status is 1 when it is missed.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "BenchSim.h"
#include "link/InstrumentLink.h"
#include "link/LinkSettings.h"
#include "link/PortTable.h"
#include "params/LayoutOptions.h"
#include "params/LinkBlockExchange.h"
#include "params/ParameterBlocks.h"
#include "params/ParameterPage.h"
#include "params/ProgressView.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kTurnaroundMs = 2;

struct Silent : flowcfg::Prompts {
    std::string last;
    void showError(const std::string& message, const std::string&) override { last = message; }
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> chooseFile(const flowcfg::FileRequest&) override { return {}; }
};

}  // namespace

int main() {
    using namespace flowcfg;
    auto sim =
        flowcfg::bench::startSim({"--pace", "9600", "--turnaround", std::to_string(kTurnaroundMs)});
    PortTable table;
    table.Assign(1, sim->path());
    PortTable::Install(table);
    LinkSettings settings;
    settings.portNumber = 1;
    settings.baudIndex = 5;  // 9600
    settings.slaveAddress = 1;
    InstrumentLink link;
    LinkBlockExchange line(link, settings);
    Silent prompts;
    NoProgress progress;
    LayoutOptions options;
    options.instrumentType = 0;
    ParameterPage page(options, PageContext{prompts, progress, line, 2}, ParameterPage::kModeRead);
    page.Build(nullptr);

    // The frames of one read: 8-byte requests, replies of 5 bytes and 2 per register.
    std::vector<int> blocks = {ParameterBlocks::kIdentification};
    blocks.insert(blocks.end(), kParameterSetOrder.begin(), kParameterSetOrder.end());
    double lineSeconds = 0;
    long bytes = 0;
    for (int address : blocks) {
        int registers = page.table().RegisterCount(address);
        bytes += 8 + 5 + 2 * registers;
    }
    lineSeconds = double(bytes) * 10.0 / 9600.0;
    const double expected = lineSeconds + double(blocks.size()) * kTurnaroundMs / 1000.0;

    int status = 0;
    std::vector<double> ratios;
    for (int run = 0; run < 3; ++run) {
        const Clock::time_point start = Clock::now();
        const int result = page.ReadParameterSet();
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        if (result != 0) {
            std::printf("read failed: %s\n", prompts.last.c_str());
            return 1;
        }
        ratios.push_back(took / expected);
        std::printf(
            "full parameter read, %zu exchanges, %ld bytes on the line: %.3f s; line "
            "time %.3f s + turnaround %zu x %d ms = %.3f s; ratio %.3f\n",
            blocks.size(), bytes, took, lineSeconds, blocks.size(), kTurnaroundMs, expected,
            took / expected);
    }
    const double worst = *std::max_element(ratios.begin(), ratios.end());
    const bool ok = worst <= 1.10;
    std::printf("worst ratio %.3f (target: at most 1.10) %s\n", worst, ok ? "ok" : "MISSED");
    if (!ok) status = 1;
    return status;
}
