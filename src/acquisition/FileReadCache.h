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
    static constexpr std::size_t kDefaultWindow = 256 * 1024;
    static constexpr std::size_t kJump = 8 * 1024;  // read for a jump away from the window
    static constexpr std::size_t kMinimumWindow = 32;

    explicit FileReadCache(std::size_t window = kDefaultWindow)
        : capacity_(window < kMinimumWindow ? kMinimumWindow : window) {}

    // Exactly `length` bytes at `offset`; false on a read error or when the file ends first.
    bool read(PosixFile& file, std::int64_t offset, void* data, std::size_t length);
    // The `length` bytes at `offset` inside the window, without copying them; nullptr on a read
    // error, when the file ends first, or when `length` exceeds the window. Valid until the
    // next call.
    const unsigned char* view(PosixFile& file, std::int64_t offset, std::size_t length);
    // The bytes from `offset` to the end of the window, at least `length` of them (refilling
    // the window at `offset` when fewer are there); their number in `available`.
    const unsigned char* viewFrom(PosixFile& file, std::int64_t offset, std::size_t length,
                                  std::size_t& available);
    // The `length` bytes at `offset` when the window holds them already, else nullptr: never
    // reads the file. Reading a file through asks for bytes that are nearly always there, so
    // this check stays inline.
    const unsigned char* peek(std::int64_t offset, std::size_t length) const {
        if (offset < start_ || std::uint64_t(offset - start_) + length > filled_) return nullptr;
        return window_.data() + (offset - start_);
    }
    std::size_t window() const { return capacity_; }
    // Forgets the window (after the file was written or truncated).
    void invalidate();

private:
    std::size_t capacity_;
    std::vector<unsigned char> window_;
    std::int64_t start_ = 0;
    std::size_t filled_ = 0;
};

}  // namespace flowcfg
