#pragma once

#include <cstdint>

#include "link/Bytes.h"
#include "link/JBusFrame.h"
#include "link/LinkResult.h"

namespace flowcfg {

// Builds the request frame of one JBus exchange and checks the reply against it. Reads use
// function 3 (4 for input registers), writes function 16; every function other than 16 is built
// and checked like a read. The codec does no I/O and never looks inside register data.
class JBusCodec {
public:
    static constexpr int kWriteFunction = 16;
    static constexpr int kMaxFrameLength = 255;

    // Builds the request into the request frame: 0, or 104 when the frame is longer than 255
    // bytes (the frame stays built). Element size 0 means 2. Start and count are cut to 16 bits;
    // `data` is only used by function 16: its byte count field is 2 x count (low 8 bits), the
    // data follow as given, with one 0x00 pad byte when their number is odd.
    int BuildRequest(int slave, int function, int start, int count, int elementSize,
                     const Bytes& data);
    // A copy of the request frame's bytes.
    Bytes RequestBytes() const { return request_.raw; }
    // Parses received bytes into the reply frame: 0, 201 or 202.
    int ParseReply(const Bytes& received) { return reply_.ParseFrame(received); }
    // Checks the parsed reply against the last request, first failure wins: 101 another slave
    // (request slave 0 accepts any), 150 + code for an exception reply to this function, 102
    // another function, 103 a wrong byte count, echoed register count or length; else 0.
    int ValidateReply() const;
    // The reply length a well-formed answer to the last request has: 8 for a write, else
    // count x element size + 5.
    int ExpectedReplyLength() const;

    const JBusFrame& Reply() const { return reply_; }
    const JBusFrame& Request() const { return request_; }
    // The reply payload (byte count or echo first, then the data).
    const Bytes& ReplyPayload() const { return reply_.payload; }
    void ResetRequest() { request_.ResetFrame(); }
    void ResetReply() { reply_.ResetFrame(); }

    int ElementSize() const { return elementSize_; }
    int Count() const { return count_; }
    int Start() const { return start_; }
    int Function() const { return function_; }

private:
    int elementSize_ = 1;
    JBusFrame reply_;
    JBusFrame request_;
    int count_ = 0;
    int start_ = 0;
    int function_ = 0;
    int slave_ = 0;
};

}  // namespace flowcfg
