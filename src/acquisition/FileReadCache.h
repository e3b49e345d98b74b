#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "acquisition/PosixFile.h"

namespace flowcfg {

// A window of a file kept in memory, so that many small reads that move forward through the
// file (record headers, payloads of a few dozen bytes) cost one system call per window instead
// of one per read. Reads larger than the window go straight to the file.
class FileReadCache {
public:
    static constexpr std::size_t kDefaultWindow = 64 * 1024;

    explicit FileReadCache(std::size_t window = kDefaultWindow) : capacity_(window) {}

    // Exactly `length` bytes at `offset`; false on a read error or when the file ends first.
    bool read(PosixFile& file, std::int64_t offset, void* data, std::size_t length);
    // Forgets the window (after the file was written or truncated).
    void invalidate();

private:
    std::size_t capacity_;
    std::vector<unsigned char> window_;
    std::int64_t start_ = 0;
    std::size_t filled_ = 0;
};

}  // namespace flowcfg
