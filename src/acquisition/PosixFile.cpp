#include "acquisition/PosixFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace flowcfg {

PosixFile::~PosixFile() {
    close();
}

PosixFile::PosixFile(PosixFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), error_(other.error_) {}

PosixFile& PosixFile::operator=(PosixFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        error_ = other.error_;
    }
    return *this;
}

bool PosixFile::open(const std::string& path, Access access) {
    close();
    int flags = O_CLOEXEC;
    switch (access) {
        case Access::ReadOnly:
            flags |= O_RDONLY;
            break;
        case Access::ReadWrite:
            flags |= O_RDWR;
            break;
        case Access::CreateTruncate:
            flags |= O_RDWR | O_CREAT | O_TRUNC;
            break;
    }
    do {
        fd_ = ::open(path.c_str(), flags, 0666);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
        error_ = S_ISDIR(info.st_mode) ? EISDIR : errno;
        close();
        return false;
    }
    error_ = 0;
    return true;
}

void PosixFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::int64_t PosixFile::size() {
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) {
        error_ = fd_ < 0 ? EBADF : errno;
        return -1;
    }
    return static_cast<std::int64_t>(info.st_size);
}

std::int64_t PosixFile::readSomeAt(std::int64_t offset, void* data, std::size_t length) {
    auto* out = static_cast<unsigned char*>(data);
    std::size_t done = 0;
    while (done < length) {
        ssize_t n = ::pread(fd_, out + done, length - done, static_cast<off_t>(offset) + done);
        if (n < 0) {
            if (errno == EINTR) continue;
            error_ = errno;
            return -1;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

bool PosixFile::readAt(std::int64_t offset, void* data, std::size_t length) {
    std::int64_t n = readSomeAt(offset, data, length);
    if (n < 0) return false;
    if (static_cast<std::size_t>(n) != length) {
        error_ = 0;
        return false;
    }
    return true;
}

bool PosixFile::writeAt(std::int64_t offset, const void* data, std::size_t length) {
    const auto* in = static_cast<const unsigned char*>(data);
    std::size_t done = 0;
    while (done < length) {
        ssize_t n = ::pwrite(fd_, in + done, length - done, static_cast<off_t>(offset) + done);
        if (n < 0) {
            if (errno == EINTR) continue;
            error_ = errno;
            return false;
        }
        if (n == 0) {
            error_ = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool PosixFile::truncate(std::int64_t length) {
    int result;
    do {
        result = ::ftruncate(fd_, static_cast<off_t>(length));
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        error_ = errno;
        return false;
    }
    return true;
}

}  // namespace flowcfg
