// Feeds arbitrary bytes to the record file reader as a file, then appends to it.
// Checks, beyond the sanitizers: every record the walk reports reads back with its length,
// nothing past the records reads, and an append to any file the reader accepts for appending
// leaves a file in the documented layout with one more record and the earlier ones unchanged.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "acquisition/RecordFile.h"

namespace {

int memoryFile() {
    static int fd = memfd_create("record-file-fuzz", 0);
    return fd;
}

std::string pathOf(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

void check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using flowcfg::RecordFile;
    using flowcfg::RecordStatus;
    int fd = memoryFile();
    if (fd < 0 || ftruncate(fd, 0) != 0) return 0;
    if (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;
    const std::string path = pathOf(fd);

    // A window of a few dozen bytes makes records cross it everywhere.
    RecordFile reader(size % 3 == 0 ? 32 : 64 + size % 61);
    if (reader.open(path) != RecordStatus::Ok) return 0;
    // Records indexed as they are reached and records indexed at once agree.
    std::vector<std::uint8_t> first;
    int believed = reader.count();
    bool readable = reader.count() > 0 && reader.read(0, first) == RecordStatus::Ok;
    check(reader.indexAll() == RecordStatus::Ok);
    check(reader.count() <= believed);
    check(readable == (reader.count() > 0));
    std::vector<std::vector<std::uint8_t>> records;
    std::vector<std::uint8_t> payload;
    for (int k = 0; k < reader.count(); ++k) {
        check(reader.read(k, payload) == RecordStatus::Ok);
        check(static_cast<std::int64_t>(payload.size()) == reader.payloadLength(k));
        check(payload.size() <= size);
        records.push_back(payload);
    }
    check(reader.read(reader.count(), payload) != RecordStatus::Ok);
    RecordFile::Tail tail = reader.tail();
    reader.close();

    // A torn or clean file always takes an append and comes out in the documented layout, with
    // the earlier records unchanged. A damaged file is either refused or, when its end has the
    // documented shape, appended to as it stands.
    RecordFile writer;
    RecordStatus opened = writer.open(path, RecordFile::Mode::Append);
    if (tail == RecordFile::Tail::Damaged) {
        if (opened == RecordStatus::Ok) writer.append(std::vector<std::uint8_t>{1, 2});
        return 0;
    }
    check(opened == RecordStatus::Ok);
    const std::vector<std::uint8_t> block = {0x12, 0x34, 0x56};
    check(writer.append(block) == RecordStatus::Ok);
    writer.close();

    RecordFile after;
    check(after.open(path) == RecordStatus::Ok);
    check(after.tail() == RecordFile::Tail::Clean);
    check(after.count() == static_cast<int>(records.size()) + 1);
    for (std::size_t k = 0; k < records.size(); ++k) {
        check(after.read(static_cast<int>(k), payload) == RecordStatus::Ok);
        check(payload == records[k]);
    }
    check(after.read(after.count() - 1, payload) == RecordStatus::Ok);
    check(payload == block);
    return 0;
}
