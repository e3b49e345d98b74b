// A measurement recording of 100 000 samples: the measurement page's parameter blocks, then
// its nine measurement blocks per sample. Opening the file, indexing it and reading every record
// is timed against reading the same file sequentially with plain fread, in the same run.
// Target: within 3 times the fread time. Indexing is timed on its own as well (indexAll).

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "acquisition/RecordFile.h"

namespace {

using Clock = std::chrono::steady_clock;

// Register counts of the nine measurement blocks 0x0325, 0x03CD, 0x03A5, 0x0225, 0x0265,
// 0x0625, 0x0665, 0x0200 and 0x0600, and of the 36 parameter blocks before them.
constexpr int kMeasurementRegisters[] = {40, 40, 40, 32, 32, 32, 32, 40, 40};
constexpr int kParameterBlocks = 36;
constexpr int kSamples = 100000;

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

template <typename F>
double bestOf(int runs, F&& run) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        run();
        best = std::min(best, seconds(Clock::now() - start));
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : kSamples;
    std::string dir = (std::filesystem::temp_directory_path() / "flowcfg-bench-XXXXXX").string();
    if (!mkdtemp(dir.data())) {
        std::perror("mkdtemp");
        return 2;
    }
    std::string path = dir + "/recording.mes";

    // The recording, written the way the recording pages write it: record by record.
    flowcfg::RecordFile writer;
    auto start = Clock::now();
    if (writer.create(path, "Measurement\nZq4xxKRw 03\n0\n") != flowcfg::RecordStatus::Ok) {
        std::fprintf(stderr, "cannot create %s\n", path.c_str());
        return 2;
    }
    std::vector<std::uint8_t> block(256);
    for (int p = 0; p < kParameterBlocks; ++p) {
        block.assign(std::size_t(46 + 2 * p), std::uint8_t(p));
        writer.append(block);
    }
    for (int s = 0; s < samples; ++s)
        for (int registers : kMeasurementRegisters) {
            block.assign(std::size_t(registers) * 2, std::uint8_t(s));
            if (writer.append(block) != flowcfg::RecordStatus::Ok) {
                std::fprintf(stderr, "append failed\n");
                return 2;
            }
        }
    writer.close();
    double appendTime = seconds(Clock::now() - start);
    auto fileSize = std::filesystem::file_size(path);
    int records = kParameterBlocks + samples * 9;

    std::vector<char> buffer(1 << 20);
    std::size_t freadBytes = 0;
    auto freadAll = [&] {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        freadBytes = 0;
        std::size_t n;
        while ((n = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
            freadBytes += n;
        std::fclose(file);
    };
    freadAll();  // the page cache holds the file for every run below

    std::size_t payloadBytes = 0;
    int readCount = 0;
    auto recordFileAll = [&] {
        flowcfg::RecordFile reader;
        if (reader.open(path) != flowcfg::RecordStatus::Ok) return;
        std::vector<std::uint8_t> payload;
        payloadBytes = 0;
        readCount = 0;
        for (int k = 0; k < reader.count(); ++k) {
            if (reader.read(k, payload) != flowcfg::RecordStatus::Ok) return;
            payloadBytes += payload.size();
            ++readCount;
        }
    };
    auto openAndIndex = [&] {
        flowcfg::RecordFile reader;
        if (reader.open(path) == flowcfg::RecordStatus::Ok) reader.indexAll();
    };
    auto sampleAccess = [&] {  // sample k of the recording, from the last to the first
        flowcfg::RecordFile reader;
        if (reader.open(path) != flowcfg::RecordStatus::Ok) return;
        std::vector<std::uint8_t> payload;
        for (int s = samples - 1; s >= 0; s -= 97)
            for (int j = 0; j < 9; ++j)
                reader.read(kParameterBlocks + 9 * s + j, payload);
    };

    double freadTime = bestOf(10, freadAll);
    double recordTime = bestOf(10, recordFileAll);
    double indexTime = bestOf(10, openAndIndex);
    double sampleTime = bestOf(10, sampleAccess);
    double ratio = recordTime / freadTime;
    std::filesystem::remove_all(dir);

    std::printf("recording: %d samples, %d records, %.1f MB\n", samples, records,
                double(fileSize) / 1e6);
    std::printf("append, record by record:            %8.4f s  (%.0f records/s)\n", appendTime,
                records / appendTime);
    std::printf("fread, sequential, 1 MiB buffer:     %8.4f s  (%.0f MB/s, %zu bytes)\n", freadTime,
                double(freadBytes) / 1e6 / freadTime, freadBytes);
    std::printf("open + index every record:           %8.4f s\n", indexTime);
    std::printf(
        "open, index and read every record:   %8.4f s  (%.0f records/s, %zu payload "
        "bytes)\n",
        recordTime, readCount / recordTime, payloadBytes);
    std::printf("open, then %d samples from the last: %8.4f s\n", (samples + 96) / 97, sampleTime);
    std::printf("ratio to fread: %.2f (target: at most 3)  %s\n", ratio,
                ratio <= 3.0 && readCount == records ? "PASS" : "FAIL");
    return ratio <= 3.0 && readCount == records ? 0 : 1;
}
