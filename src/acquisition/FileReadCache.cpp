#include "acquisition/FileReadCache.h"

#include <algorithm>
#include <cstring>

namespace flowcfg {

void FileReadCache::invalidate() {
    start_ = 0;
    filled_ = 0;
}

const unsigned char* FileReadCache::view(PosixFile& file, std::int64_t offset, std::size_t length) {
    static const unsigned char kNothing = 0;
    if (offset < 0 || length > capacity_) return nullptr;
    if (length == 0) return &kNothing;
    bool inside =
        offset >= start_ && static_cast<std::uint64_t>(offset - start_) + length <= filled_;
    if (!inside) {
        // Reading on from the window fills it whole; a jump elsewhere (one sample of a
        // recording) reads only a little around what was asked for.
        bool onwards = filled_ == 0 ||
                       (offset >= start_ && offset <= start_ + std::int64_t(filled_ + capacity_));
        std::size_t amount = onwards ? capacity_ : std::max(length, std::min(kJump, capacity_));
        window_.resize(capacity_);
        std::int64_t got = file.readSomeAt(offset, window_.data(), amount);
        if (got < 0) {
            invalidate();
            return nullptr;
        }
        start_ = offset;
        filled_ = static_cast<std::size_t>(got);
        if (filled_ < length) return nullptr;
    }
    return window_.data() + (offset - start_);
}

const unsigned char* FileReadCache::viewFrom(PosixFile& file, std::int64_t offset,
                                             std::size_t length, std::size_t& available) {
    const unsigned char* bytes = view(file, offset, length);
    available = bytes ? filled_ - std::size_t(offset - start_) : 0;
    return bytes;
}

bool FileReadCache::read(PosixFile& file, std::int64_t offset, void* data, std::size_t length) {
    if (offset < 0) return false;
    if (length == 0) return true;
    if (length >= capacity_) return file.readAt(offset, data, length);
    const unsigned char* bytes = view(file, offset, length);
    if (!bytes) return false;
    std::memcpy(data, bytes, length);
    return true;
}

}  // namespace flowcfg
