// The conversion of a 100 000-sample measurement recording to the export's text file, as the
// measurement page's export runs it on a recorded file: every sample's nine blocks read from the
// record file into the page's fields and written as one line. The recording is made from a few
// samples recorded from flowsim, repeated. Target: at least 10 000 samples per second, with the
// progress indicator moving during the conversion.
// Usage: bench_export_text [SAMPLES]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchSim.h"
#include "acquisition/CompletionQueue.h"
#include "acquisition/MeasurementPage.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kSamples = 100000;
constexpr int kRecordedSamples = 4;
constexpr double kTargetSamplesPerSecond = 10000;

// Processor time of the process so far (user and system), in seconds.
double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Silent : flowcfg::Prompts {
    std::string last;
    void showError(const std::string& message, const std::string&) override { last = message; }
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> chooseFile(const flowcfg::FileRequest&) override { return {}; }
};

struct CountingProgress : flowcfg::ProgressView {
    int steps = 0;
    void setRange(int) override {}
    void step() override { ++steps; }
    void hide() override {}
    void setStatus(const std::string&) override {}
};

// `source`'s parameter records, then its samples repeated until there are `samples`.
bool expand(const std::string& source, const std::string& target, int parameterRecords,
            int blocksPerSample, int samples) {
    using flowcfg::RecordStatus;
    flowcfg::RecordFile in, out;
    if (in.open(source) != RecordStatus::Ok || in.indexAll() != RecordStatus::Ok) return false;
    if (out.create(target, in.header().description) != RecordStatus::Ok) return false;
    std::vector<std::vector<std::uint8_t>> records(std::size_t(in.count()));
    for (int k = 0; k < in.count(); ++k)
        if (in.read(k, records[std::size_t(k)]) != RecordStatus::Ok) return false;
    const int recorded = (in.count() - parameterRecords) / blocksPerSample;
    if (recorded < 1) return false;
    for (int k = 0; k < parameterRecords; ++k)
        if (out.append(records[std::size_t(k)]) != RecordStatus::Ok) return false;
    for (int s = 0; s < samples; ++s)
        for (int b = 0; b < blocksPerSample; ++b) {
            const int k = parameterRecords + (s % recorded) * blocksPerSample + b;
            if (out.append(records[std::size_t(k)]) != RecordStatus::Ok) return false;
        }
    out.close();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace flowcfg;
    const int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : kSamples;
    auto sim = bench::startSim({"--pipes", "2", "--chords", "4", "4"});
    testing::TestApplication t;
    PortTable table;
    table.Assign(1, sim->path());
    PortTable::Install(table);
    IniFile config = t.config();
    config.writeReal("Com", "Port", 0);
    config.writeReal("Com", "Bauds", 5);
    config.writeReal("Com", "JBus", 1);
    config.writeReal("Spreadsheet", "Export Format", 1);  // the text file

    Silent prompts;
    InstrumentLink link;
    MeasurementLayout layout{2, true, true};
    const std::string recorded = t.dir.file("recorded.mes");
    int parameterRecords = 0, blocksPerSample = 0;
    {
        MeasurementPage page(t.app, prompts, link, layout);
        CompletionQueue queue;
        queue.attach(page);
        page.Build(nullptr);
        page.StartAutomaticRecording(1, 0, recorded);
        if (page.Open() != 0) {
            std::printf("the measurement page did not open: %s\n", prompts.last.c_str());
            return 1;
        }
        const auto end = Clock::now() + 120s;
        while (page.sampleCounter() < kRecordedSamples && Clock::now() < end)
            queue.pump(page, 100ms);
        page.Close();
        parameterRecords = page.parameterRecords();
        blocksPerSample = page.blocksPerSample();
    }
    const std::string recording = t.dir.file("recording.mes");
    if (!expand(recorded, recording, parameterRecords, blocksPerSample, samples)) {
        std::printf("the recording could not be made\n");
        return 1;
    }

    MeasurementPage page(t.app, prompts, link, layout);
    CountingProgress progress;
    page.setExportTools(nullptr, &progress, nullptr);
    page.Build(nullptr);
    if (page.Open(recording) != 0) {
        std::printf("the recording did not open: %s\n", prompts.last.c_str());
        return 1;
    }
    SpreadsheetExport::Request request;
    request.recordPath = recording;
    request.convert = true;
    request.automatic = true;
    request.startProgram = false;
    request.workbook = false;
    request.output = t.dir.file("recording.prn");
    const Clock::time_point start = Clock::now();
    const double processorStart = processorSeconds();
    const int result = page.Export(request);
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    const double processor = processorSeconds() - processorStart;
    if (result != 0) {
        std::printf("the export failed: %s\n", prompts.last.c_str());
        return 1;
    }
    const auto bytes = std::filesystem::file_size(*request.output);
    // The machine may be shared: the target is checked on the processor time the conversion
    // took, the wall time is printed beside it.
    const double rate = samples / processor;
    const bool ok = rate >= kTargetSamplesPerSecond && progress.steps > 0;
    std::printf(
        "text export of a %d-sample recording (two paths of four chords, %.1f MB): processor "
        "%.2f s, %.0f samples/s; wall %.2f s, %.0f samples/s; %d progress steps [target >= "
        "%.0f samples/s of processor time, progress moving: %s]\n",
        samples, double(bytes) / 1e6, processor, rate, took, samples / took, progress.steps,
        kTargetSamplesPerSecond, ok ? "ok" : "MISSED");
    return ok ? 0 : 1;
}
