#include "sim/FrameAssembler.h"

#include <algorithm>

#include "link/JBusFrame.h"

namespace flowcfg {

double FrameAssembler::silenceFor(int baud, double floor) {
    return std::max(floor, 3.5 * 10.0 / std::max(baud, 1));
}

long FrameAssembler::expectedLength() const {
    if (bytes_.size() < 2) return 0;
    const int function = bytes_[1];
    if (function == 3 || function == 4) return 8;
    if (function == 16) return bytes_.size() < 7 ? 0 : 9 + static_cast<long>(bytes_[6]);
    return -1;
}

bool FrameAssembler::crcGood(std::size_t length) const {
    if (length < JBusFrame::kMinimumLength) return false;
    JBusFrame frame;
    const Bytes raw(bytes_.begin(), bytes_.begin() + static_cast<long>(length));
    return frame.ParseFrame(raw) == linkresult::kOk;
}

void FrameAssembler::dropFront(std::size_t n) {
    bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<long>(n));
    times_.erase(times_.begin(), times_.begin() + static_cast<long>(n));
}

void FrameAssembler::add(const std::uint8_t* data, std::size_t length, double time) {
    for (std::size_t i = 0; i < length; ++i) {
        bytes_.push_back(data[i]);
        times_.push_back(time);
    }
    for (;;) {
        const long expected = expectedLength();
        if (expected < 0 && resyncPastUnknown()) continue;
        if (expected <= 0 || bytes_.size() < static_cast<std::size_t>(expected)) return;
        const std::size_t n = static_cast<std::size_t>(expected);
        if (crcGood(n)) {
            Frame f;
            f.bytes.assign(bytes_.begin(), bytes_.begin() + static_cast<long>(n));
            f.firstByteTime = times_.front();
            f.lastByteTime = times_[n - 1];
            ready_.push_back(std::move(f));
            dropFront(n);
        } else {
            dropFront(1);
            ++dropped_;
        }
    }
}

bool FrameAssembler::knownFrameAt(std::size_t i) const {
    if (bytes_.size() < i + 8) return false;
    const int function = bytes_[i + 1];
    std::size_t length = 0;
    if (function == 3 || function == 4) length = 8;
    if (function == 16) length = 9 + static_cast<std::size_t>(bytes_[i + 6]);
    if (length == 0 || bytes_.size() < i + length) return false;
    JBusFrame frame;
    const Bytes raw(bytes_.begin() + static_cast<long>(i),
                    bytes_.begin() + static_cast<long>(i + length));
    return frame.ParseFrame(raw) == linkresult::kOk;
}

bool FrameAssembler::resyncPastUnknown() {
    // Bytes of an unknown function wait for a silence; but when a complete request of a known
    // function follows them, what comes before it is either a whole frame or noise.
    for (std::size_t i = 1; i < bytes_.size(); ++i) {
        if (!knownFrameAt(i)) continue;
        if (crcGood(i)) {
            Frame f;
            f.bytes.assign(bytes_.begin(), bytes_.begin() + static_cast<long>(i));
            f.firstByteTime = times_.front();
            f.lastByteTime = times_[i - 1];
            ready_.push_back(std::move(f));
        } else {
            dropped_ += i;
        }
        dropFront(i);
        return true;
    }
    return false;
}

bool FrameAssembler::next(Frame& out) {
    if (ready_.empty()) return false;
    out = std::move(ready_.front());
    ready_.erase(ready_.begin());
    return true;
}

double FrameAssembler::deadline() const {
    return bytes_.empty() ? -1.0 : times_.back() + silence_;
}

void FrameAssembler::expire(double now) {
    if (bytes_.empty() || now < times_.back() + silence_) return;
    if (expectedLength() < 0 && crcGood(bytes_.size())) {
        Frame f;
        f.bytes.assign(bytes_.begin(), bytes_.end());
        f.firstByteTime = times_.front();
        f.lastByteTime = times_.back();
        ready_.push_back(std::move(f));
    } else {
        dropped_ += bytes_.size();
    }
    bytes_.clear();
    times_.clear();
}

void FrameAssembler::clear() {
    bytes_.clear();
    times_.clear();
    ready_.clear();
}

}  // namespace flowcfg
