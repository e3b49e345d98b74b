// A 100 000-sample measurement export (two paths of four chords, as the measurement page
// writes its lines) written as a workbook with its charts. Targets: under 20 s, and memory
// bounded: the peak resident size grows by less than 32 MB between the first 10 000 samples and
// the end, whatever the number of samples (the rows go to disk as they are written).
// Usage: bench_workbook [SAMPLES] [KEEP.xlsx]

#include <stdlib.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "acquisition/ExportTexts.h"
#include "acquisition/WorkbookFields.h"
#include "acquisition/WorkbookWriter.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kSamples = 100000;
constexpr double kTargetSeconds = 20;
constexpr long kMemoryGrowthKb = 32 * 1024;

long peakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : kSamples;
    std::string dir = (std::filesystem::temp_directory_path() / "flowcfg-bench-XXXXXX").string();
    if (!mkdtemp(dir.data())) {
        std::perror("mkdtemp");
        return 2;
    }
    std::string path = argc > 2 ? argv[2] : dir + "/recording.xlsx";

    // The texts of a short recording, repeated with the sample number and time of each sample.
    flowcfg::testing::ExportTexts texts = flowcfg::testing::measurementExport({4, 4}, 1440, ',');
    flowcfg::WorkbookWriter::Options options;
    options.dataSheetName = "recording";
    options.identificationSheet = "Identification";
    options.defaultTitle = "recording";
    options.decimalSeparator = ',';
    options.expectedSamples = std::uint64_t(samples);

    auto start = Clock::now();
    flowcfg::WorkbookWriter writer(path, options);
    long earlyKb = 0;
    bool ok = writer.begin(texts.header, texts.transfer) == 0;
    for (int s = 0; ok && s < samples; ++s) {
        ok = writer.addSample(texts.samples[std::size_t(s) % texts.samples.size()]) == 0;
        if (s + 1 == std::min(samples, 10000)) earlyKb = peakResidentKb();
    }
    ok = ok && writer.finish() == 0;
    double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    if (!ok) {
        std::fprintf(stderr, "workbook failed: %s\n", writer.error().c_str());
        return 2;
    }
    long growthKb = peakResidentKb() - earlyKb;
    auto bytes = std::filesystem::file_size(path);
    if (argc <= 2) std::filesystem::remove_all(dir);

    bool fast = elapsed < kTargetSeconds;
    bool bounded = growthKb < kMemoryGrowthKb;
    std::printf(
        "workbook of %d samples (%zu columns, 5 charts): %.2f s, %.0f samples/s, %.1f MB "
        "[target < %.0f s: %s]\n",
        samples, flowcfg::splitExportLine(texts.header).size(), elapsed, samples / elapsed,
        double(bytes) / 1e6, kTargetSeconds, fast ? "ok" : "MISSED");
    std::printf("peak memory %.1f MB, growth after 10 000 samples %.1f MB [target < %ld MB: %s]\n",
                peakResidentKb() / 1024.0, growthKb / 1024.0, kMemoryGrowthKb / 1024,
                bounded ? "ok" : "MISSED");
    return fast && bounded ? 0 : 1;
}
