#include "acquisition/FileReadCache.h"

#include <cstring>

namespace flowcfg {

void FileReadCache::invalidate() {
    start_ = 0;
    filled_ = 0;
}

bool FileReadCache::read(PosixFile& file, std::int64_t offset, void* data, std::size_t length) {
    if (offset < 0) return false;
    if (length == 0) return true;
    if (length >= capacity_) return file.readAt(offset, data, length);
    bool inside =
        offset >= start_ && static_cast<std::uint64_t>(offset - start_) + length <= filled_;
    if (!inside) {
        window_.resize(capacity_);
        std::int64_t got = file.readSomeAt(offset, window_.data(), capacity_);
        if (got < 0) {
            invalidate();
            return false;
        }
        start_ = offset;
        filled_ = static_cast<std::size_t>(got);
        if (filled_ < length) return false;
    }
    std::memcpy(data, window_.data() + (offset - start_), length);
    return true;
}

}  // namespace flowcfg
