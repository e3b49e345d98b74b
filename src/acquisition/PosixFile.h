#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace flowcfg {

// One open file descriptor, closed by the destructor. Positioned reads and writes that finish
// the whole transfer (short transfers and EINTR are retried); every failure keeps errno in
// error() so that callers can tell the user what the system said.
class PosixFile {
public:
    enum class Access { ReadOnly, ReadWrite, CreateTruncate };

    PosixFile() = default;
    ~PosixFile();
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;
    PosixFile(PosixFile&& other) noexcept;
    PosixFile& operator=(PosixFile&& other) noexcept;

    // Opens `path`; false (and error()) when the system refuses.
    bool open(const std::string& path, Access access);
    void close();
    bool isOpen() const { return fd_ >= 0; }

    // Size of the file now; -1 on failure.
    std::int64_t size();
    // Reads exactly `length` bytes at `offset`; false on a read error or when the file ends first.
    bool readAt(std::int64_t offset, void* data, std::size_t length);
    // Reads up to `length` bytes at `offset`; the count read, or -1 on error.
    std::int64_t readSomeAt(std::int64_t offset, void* data, std::size_t length);
    // Writes all `length` bytes at `offset`.
    bool writeAt(std::int64_t offset, const void* data, std::size_t length);
    bool truncate(std::int64_t length);

    int error() const { return error_; }

private:
    int fd_ = -1;
    int error_ = 0;
};

}  // namespace flowcfg
