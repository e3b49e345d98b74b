#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace flowcfg {

// Cuts the byte stream a slave receives into request frames. A frame ends when it reaches the
// length its function code announces (8 bytes for functions 3 and 4, 9 + byte count for 16) and
// its CRC is right, or, for other functions, at a silence on the line. Bytes that make no frame
// are dropped one at a time until a frame starts again, and whatever is left at a silence is
// dropped, so a request split across reads, a burst of noise or a truncated frame never stops the
// next request from being understood.
class FrameAssembler {
public:
    struct Frame {
        std::vector<std::uint8_t> bytes;
        double firstByteTime = 0.0;
        double lastByteTime = 0.0;
    };

    // `silence`: seconds without a byte after which a partial frame is given up.
    explicit FrameAssembler(double silence) : silence_(silence) {}

    void add(const std::uint8_t* data, std::size_t length, double time);
    // Takes the next complete frame, if any.
    bool next(Frame& out);
    // Ends a partial frame when the line has been silent long enough at `now`; a frame of an
    // unknown function with a good CRC then becomes available through `next`.
    void expire(double now);
    // When `expire` has something to do; negative when nothing waits.
    double deadline() const;
    void clear();
    std::size_t droppedBytes() const { return dropped_; }

    // Silence that ends a frame at `baud`: 3.5 characters of 10 bits, never less than `floor`.
    static double silenceFor(int baud, double floor);

private:
    // Length the frame at the front announces: 0 when not known yet, -1 for another function.
    long expectedLength() const;
    bool crcGood(std::size_t length) const;
    bool knownFrameAt(std::size_t i) const;
    bool resyncPastUnknown();
    void dropFront(std::size_t n);

    double silence_;
    std::deque<std::uint8_t> bytes_;
    std::deque<double> times_;
    std::vector<Frame> ready_;
    std::size_t dropped_ = 0;
};

}  // namespace flowcfg
