#include "acquisition/RecordFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "acquisition/LittleEndian.h"

namespace flowcfg {
namespace {

constexpr std::int64_t kFrame = 12;  // index field, leading and trailing length
constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();

}  // namespace

RecordStatus RecordFile::fail(RecordStatus status) {
    systemError_ = (status == RecordStatus::IncorrectFile) ? 0 : file_.error();
    return status;
}

void RecordFile::close() {
    file_.close();
    cache_.invalidate();
    marks_.clear();
    marks_.shrink_to_fit();
    indexed_ = 0;
    foundIndex_ = -1;
    foundStart_ = 0;
    foundLength_ = 0;
    header_ = RecordFileHeader();
    writable_ = complete_ = false;
    size_ = end_ = walked_ = 0;
    trusted_ = -1;
    count_ = 0;
    tail_ = Tail::Clean;
}

RecordStatus RecordFile::create(const std::string& path, std::string_view description) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return create(path, description, local);
}

RecordStatus RecordFile::create(const std::string& path, std::string_view description,
                                const std::tm& created) {
    close();
    path_ = path;
    std::string header = RecordFileHeader::build(description, created);
    if (header.empty()) return fail(RecordStatus::InvalidArgument);
    if (!file_.open(path, PosixFile::Access::CreateTruncate)) return fail(RecordStatus::CannotOpen);
    header.append(4, '\0');  // record count 0
    if (!file_.writeAt(0, header.data(), header.size())) {
        RecordStatus status = fail(RecordStatus::WriteFailed);
        file_.truncate(0);
        close();
        return status;
    }
    RecordFileHeader::parse(std::string_view(header).substr(0, header.size() - 4), header_);
    writable_ = complete_ = true;
    end_ = walked_ = header_.length;
    size_ = end_ + 4;
    return RecordStatus::Ok;
}

RecordStatus RecordFile::open(const std::string& path, Mode mode) {
    close();
    path_ = path;
    bool write = mode == Mode::Append;
    if (!file_.open(path, write ? PosixFile::Access::ReadWrite : PosixFile::Access::ReadOnly))
        return fail(RecordStatus::CannotOpen);
    writable_ = write;
    size_ = file_.size();
    if (size_ < 0) return fail(RecordStatus::ReadFailed);
    RecordStatus status = readHeader();
    if (status != RecordStatus::Ok) {
        close();
        return status;
    }
    walked_ = header_.length;
    // A file whose end has the documented shape is taken at its word: its count is the record
    // count, and its records are indexed as they are reached, so that appending stays cheap
    // however long the recording and reading it through is one pass.
    std::int32_t count = 0;
    if (documentedTail(count)) {
        count_ = trusted_ = count;
        end_ = size_ - 4;
        tail_ = Tail::Clean;
        return RecordStatus::Ok;
    }
    status = walk(kMaxInt);
    if (status == RecordStatus::Ok && write && tail_ == Tail::Damaged)
        status = RecordStatus::IncorrectFile;
    if (status != RecordStatus::Ok) {
        int error = systemError_;
        close();
        systemError_ = error;
    }
    return status;
}

RecordStatus RecordFile::indexAll() {
    if (!isOpen()) return RecordStatus::NotOpen;
    return complete_ ? RecordStatus::Ok : walk(kMaxInt);
}

RecordStatus RecordFile::readHeader() {
    unsigned char lengthBytes[4];
    if (size_ < RecordFileHeader::kFixedLength) return fail(RecordStatus::IncorrectFile);
    if (!file_.readAt(0, lengthBytes, 4)) return fail(RecordStatus::ReadFailed);
    std::int32_t length = le::readInt32(lengthBytes);
    if (!RecordFileHeader::plausibleLength(length, size_)) return fail(RecordStatus::IncorrectFile);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    if (!file_.readAt(0, bytes.data(), bytes.size())) return fail(RecordStatus::ReadFailed);
    return fail(RecordFileHeader::parse(bytes, header_));
}

bool RecordFile::readInt(std::int64_t offset, std::int32_t& value) {
    unsigned char bytes[4];
    if (offset < 0 || offset + 4 > size_ || !cache_.read(file_, offset, bytes, 4)) return false;
    value = le::readInt32(bytes);
    return true;
}

// True when a whole record frame with this index and payload length starts at `start`.
bool RecordFile::recordFrameAt(std::int64_t start, std::int32_t index, std::int32_t length) {
    std::int32_t storedIndex = 0, leading = 0, trailing = 0;
    if (start < header_.length || length < 0 || start + kFrame + length > size_) return false;
    return readInt(start, storedIndex) && storedIndex == index && readInt(start + 4, leading) &&
           leading == length && readInt(start + 8 + length, trailing) && trailing == length;
}

// The end of the file as an append leaves it: the count c as the last 4 bytes, the last record
// (index c - 1) just before it, and the record before that one just before the last. Checking
// two records makes it practically impossible for the remains of a torn append to pass.
bool RecordFile::documentedTail(std::int32_t& count) {
    std::int32_t c = 0;
    if (size_ < header_.length + 4 || !readInt(size_ - 4, c) || c < 0) return false;
    std::int64_t next = size_ - 4;  // where the record after the one being checked starts
    for (std::int32_t k = c - 1; k >= 0 && k >= c - 2; --k) {
        std::int32_t length = 0;
        if (!readInt(next - 4, length) || length < 0) return false;
        std::int64_t start = next - kFrame - length;
        if (!recordFrameAt(start, k, length)) return false;
        next = start;
    }
    if (c <= 2 && next != header_.length) return false;
    count = c;
    return true;
}

// Indexes records from where the walk stopped until record `through` is indexed or the records
// end; at their end the tail is classified.
RecordStatus RecordFile::walk(std::int64_t through) {
    std::int64_t pos = walked_;
    std::int32_t k = indexed_;
    // A believed count bounds the walk: the records end where the file says they do.
    const std::int32_t last = trusted_ >= 0 ? trusted_ : kMaxInt - 1;
    while (!complete_ && k <= through) {
        // Whole records inside the window are taken in a tight loop; anything else (a record
        // crossing the window or larger than it, the count, damage) goes through the checks
        // below one step at a time.
        // Every record in the window is indexed while it is there, not only those asked for.
        std::int64_t left = size_ - pos;
        std::size_t chunk = 0;
        const unsigned char* base = nullptr;
        if (left >= 2 * kFrame) {
            base = cache_.viewFrom(file_, pos, kFrame, chunk);
            if (!base) return fail(RecordStatus::ReadFailed);
            // The window moves on to the first record when that one is not wholly in it.
            std::int64_t first = le::readInt32(base + 4) + kFrame;
            if (first > std::int64_t(chunk) &&
                first <= std::min<std::int64_t>(left, cache_.window())) {
                base = cache_.viewFrom(file_, pos, std::size_t(first), chunk);
                if (!base) return fail(RecordStatus::ReadFailed);
            }
            chunk = std::size_t(std::min<std::int64_t>(std::int64_t(chunk), left));
        }
        if (base) {
            std::size_t used = 0;
            while (chunk - used >= std::size_t(kFrame) && k < last) {
                const unsigned char* p = base + used;
                std::int32_t length = le::readInt32(p + 4);
                if (le::readInt32(p) != k || length < 0 ||
                    std::size_t(length) + kFrame > chunk - used ||
                    le::readInt32(p + 8 + length) != length)
                    break;
                if (k % kMarkEvery == 0) marks_.push_back(pos + std::int64_t(used));
                used += std::size_t(length) + kFrame;
                ++k;
            }
            indexed_ = k;
            pos += std::int64_t(used);
            walked_ = pos;
            if (k > 0 && marks_.capacity() < 2 * marks_.size()) {
                // Room for as many records again as the file holds at this density, so that
                // long recordings are indexed without copying the marks over and over.
                double perRecord = double(pos - header_.length) / k;
                marks_.reserve(std::size_t(double(size_ - header_.length) / perRecord * 1.1) /
                                   kMarkEvery +
                               16);
            }
            if (used > 0) continue;
        }

        std::int64_t remaining = size_ - pos;
        if (k == trusted_) {
            finishWalk(pos, remaining == 4 ? Tail::Clean : Tail::Damaged);
            break;
        }
        if (remaining == 4) {
            std::int32_t stored = 0;
            if (!readInt(pos, stored)) return fail(RecordStatus::ReadFailed);
            finishWalk(pos, stored == k ? Tail::Clean : Tail::Damaged);
            break;
        }
        if (remaining < 8) {
            finishWalk(pos, Tail::Torn);
            break;
        }
        const unsigned char* head = cache_.view(file_, pos, 8);
        if (!head) return fail(RecordStatus::ReadFailed);
        std::int32_t index = le::readInt32(head), length = le::readInt32(head + 4);
        if (index != k || length < 0 || k == kMaxInt - 1) {
            finishWalk(pos, Tail::Damaged);
            break;
        }
        if (length > remaining - kFrame) {
            finishWalk(pos, Tail::Torn);  // the record does not fit
            break;
        }
        const unsigned char* trailing = cache_.view(file_, pos + 8 + length, 4);
        if (!trailing) return fail(RecordStatus::ReadFailed);
        if (le::readInt32(trailing) != length) {
            finishWalk(pos, Tail::Damaged);
            break;
        }
        addIndexed(pos);
        pos += kFrame + length;
        walked_ = pos;
        ++k;
    }
    return RecordStatus::Ok;
}

void RecordFile::finishWalk(std::int64_t pos, Tail tail) {
    // What looks torn is only an append that was cut off when the file does not end like a
    // complete record file; otherwise the walk stopped at damage in the middle, and cutting
    // the file there would lose the records after it.
    std::int32_t ignored = 0;
    if (tail == Tail::Torn && documentedTail(ignored)) tail = Tail::Damaged;
    tail_ = tail;
    walked_ = end_ = pos;
    count_ = indexed_;
    complete_ = true;
}

void RecordFile::addIndexed(std::int64_t start) {
    if (indexed_ % kMarkEvery == 0) marks_.push_back(start);
    ++indexed_;
}

std::int64_t RecordFile::recordStart(std::int32_t index, std::int32_t& length) {
    if (index < 0 || index >= indexed_) return -1;
    std::int32_t k = index - index % kMarkEvery;
    std::int64_t pos = marks_[std::size_t(index / kMarkEvery)];
    std::int32_t stepped = -1;  // the payload length of record k, once read
    if (foundIndex_ >= k && foundIndex_ <= index) {
        k = foundIndex_;
        pos = foundStart_;
        stepped = foundLength_;
    }
    for (;;) {
        // A length that cannot be read or is negative: the file was rewritten since indexed.
        if (stepped < 0 && (!readInt(pos + 4, stepped) || stepped < 0)) return -1;
        if (k == index) break;
        pos += kFrame + stepped;
        ++k;
        stepped = -1;
    }
    foundIndex_ = index;
    foundStart_ = pos;
    foundLength_ = length = stepped;
    return pos;
}

std::int64_t RecordFile::strayBytes() const {
    std::int64_t after = size_ - end_;
    return tail_ == Tail::Clean ? after - 4 : after;
}

std::int64_t RecordFile::payloadLength(int index) {
    if (!isOpen() || index < 0 || index >= count_) return -1;
    if (index >= indexed_ && walk(index) != RecordStatus::Ok) return -1;
    std::int32_t length = 0;
    return recordStart(index, length) < 0 ? -1 : length;
}

RecordStatus RecordFile::read(int index, std::vector<std::uint8_t>& payload) {
    if (!isOpen()) return RecordStatus::NotOpen;
    if (index < 0) return RecordStatus::NoSuchRecord;
    if (index >= indexed_ && !complete_) {
        RecordStatus status = walk(index);
        if (status != RecordStatus::Ok) return status;
    }
    if (index >= indexed_)
        return tail_ == Tail::Clean && index >= count_ ? RecordStatus::NoSuchRecord
                                                       : RecordStatus::IncorrectFile;
    if (readNextInWindow(index, payload)) return RecordStatus::Ok;
    std::int32_t length = 0;
    const std::int64_t start = recordStart(index, length);
    if (start < 0) {
        payload.clear();
        return fail(RecordStatus::IncorrectFile);
    }
    return readFrame(index, start, length, payload);
}

// Reading a file through: the record after the one found last, when its whole frame is in
// the window and checks out, is read from there without stepping or refilling. False leaves
// the record to the general path.
bool RecordFile::readNextInWindow(int index, std::vector<std::uint8_t>& payload) {
    if (index != foundIndex_ + 1 || foundIndex_ < 0) return false;
    const std::int64_t start = foundStart_ + kFrame + foundLength_;
    const unsigned char* head = cache_.peek(start, 8);
    if (!head || le::readInt32(head) != index) return false;
    const std::int32_t length = le::readInt32(head + 4);
    if (length < 0 || start + kFrame + length > end_) return false;
    const unsigned char* frame = cache_.peek(start, std::size_t(length) + kFrame);
    if (!frame || le::readInt32(frame + 8 + length) != length) return false;
    payload.assign(frame + 8, frame + 8 + length);
    foundIndex_ = index;
    foundStart_ = start;
    foundLength_ = length;
    return true;
}

RecordStatus RecordFile::readFrame(int index, std::int64_t start, std::int64_t length,
                                   std::vector<std::uint8_t>& payload) {
    // The file may have changed since it was indexed: the frame is checked again before the
    // payload is trusted.
    auto frameMatches = [&](const unsigned char* frame) {
        return le::readInt32(frame) == index && le::readInt32(frame + 4) == length &&
               le::readInt32(frame + 8 + length) == length;
    };
    if (std::size_t(length + kFrame) <= cache_.window()) {
        const unsigned char* frame = cache_.view(file_, start, std::size_t(length + kFrame));
        if (!frame || !frameMatches(frame)) {  // the file was cut or rewritten meanwhile
            payload.clear();
            return fail(RecordStatus::IncorrectFile);
        }
        payload.assign(frame + 8, frame + 8 + length);
        return RecordStatus::Ok;
    }
    if (!recordFrameAt(start, index, static_cast<std::int32_t>(length)))
        return fail(RecordStatus::IncorrectFile);
    payload.resize(static_cast<std::size_t>(length));
    if (!cache_.read(file_, start + 8, payload.data(), payload.size())) {
        payload.clear();
        return fail(file_.error() ? RecordStatus::ReadFailed : RecordStatus::IncorrectFile);
    }
    return RecordStatus::Ok;
}

RecordStatus RecordFile::readRepeating(int index, int first, int period,
                                       std::vector<std::uint8_t>& payload) {
    if (!isOpen()) return RecordStatus::NotOpen;
    const std::int64_t group = std::int64_t(first) + period;  // the first record of group 1
    if (first < 0 || period < 1 || index < group || index >= count_) return read(index, payload);
    if (indexed_ <= group && !complete_) {
        RecordStatus status = walk(group);
        if (status != RecordStatus::Ok) return status;
    }
    if (indexed_ <= group) return read(index, payload);
    std::int32_t length = 0, ignored = 0;
    const std::int64_t firstStart = recordStart(first, ignored);
    const std::int64_t groupStart = recordStart(std::int32_t(group), ignored);
    const std::int64_t j = first + (index - first) % period;
    const std::int64_t jStart = recordStart(std::int32_t(j), length);
    if (firstStart < 0 || jStart < 0 || groupStart < 0) return read(index, payload);
    const std::int64_t stride = groupStart - firstStart;
    const std::int64_t start = jStart + (index - first) / period * stride;
    if (start + kFrame + length > end_ || !recordFrameAt(start, index, std::int32_t(length)))
        return read(index, payload);
    return readFrame(index, start, length, payload);
}

RecordStatus RecordFile::append(std::span<const std::uint8_t> payload) {
    if (!isOpen() || !writable_) return RecordStatus::NotOpen;
    if (payload.empty() || payload.size() > std::size_t(kMaxInt) - kFrame || count_ >= kMaxInt - 1)
        return RecordStatus::InvalidArgument;
    if (tail_ == Tail::Damaged) return RecordStatus::IncorrectFile;
    if (tail_ == Tail::Torn) {
        // Cut the remains of the interrupted append and put the count back: the file is then
        // exactly what it was before that append started.
        unsigned char countBytes[4];
        le::writeInt32(countBytes, count_);
        if (!file_.truncate(end_) || !file_.writeAt(end_, countBytes, 4)) {
            cache_.invalidate();
            size_ = file_.size();
            return fail(RecordStatus::WriteFailed);
        }
        size_ = end_ + 4;
        tail_ = Tail::Clean;
        cache_.invalidate();
    }

    auto length = static_cast<std::int32_t>(payload.size());
    std::vector<unsigned char> bytes(payload.size() + kFrame);
    le::writeInt32(bytes.data(), length);
    std::memcpy(bytes.data() + 4, payload.data(), payload.size());
    le::writeInt32(bytes.data() + 4 + payload.size(), length);
    le::writeInt32(bytes.data() + 8 + payload.size(), count_ + 1);
    cache_.invalidate();
    if (!file_.writeAt(size_, bytes.data(), bytes.size())) {
        RecordStatus status = fail(RecordStatus::WriteFailed);
        file_.truncate(size_);  // leave the file as it was before this append
        return status;
    }
    if (complete_) {
        addIndexed(end_);
        walked_ = end_ + kFrame + length;
    }
    end_ += kFrame + length;
    size_ = end_ + 4;
    ++count_;
    if (!complete_) trusted_ = count_;
    return RecordStatus::Ok;
}

}  // namespace flowcfg
