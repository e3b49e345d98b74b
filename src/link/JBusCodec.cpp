#include "link/JBusCodec.h"

namespace flowcfg {
namespace {

std::uint8_t high(int value) {
    return static_cast<std::uint8_t>((value >> 8) & 0xFF);
}
std::uint8_t low(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

int JBusCodec::BuildRequest(int slave, int function, int start, int count, int elementSize,
                            const Bytes& data) {
    elementSize_ = elementSize == 0 ? 2 : elementSize;
    function_ = function;
    start_ = start;
    count_ = count;
    slave_ = slave;
    request_.ResetFrame();

    Bytes payload{high(start), low(start), high(count), low(count)};
    if (function == kWriteFunction) {
        payload.push_back(low(2 * count));
        payload.insert(payload.end(), data.begin(), data.end());
        if (data.size() % 2 != 0) payload.push_back(0x00);
    }
    request_.BuildFrame(low(slave), low(function), payload);
    return request_.raw.size() > static_cast<std::size_t>(kMaxFrameLength)
               ? linkresult::kRequestTooLong
               : linkresult::kOk;
}

int JBusCodec::ExpectedReplyLength() const {
    return function_ == kWriteFunction ? 8 : count_ * elementSize_ + 5;
}

int JBusCodec::ValidateReply() const {
    const int requestSlave = low(slave_);
    const int requestFunction = low(function_);
    if (requestSlave != 0 && reply_.slave != requestSlave) return linkresult::kWrongSlave;
    if ((reply_.function & 0x80) && (reply_.function & 0x7F) == requestFunction)
        return linkresult::kExceptionBase + (reply_.payload.empty() ? 0 : reply_.payload[0]);
    if (reply_.function != requestFunction) return linkresult::kWrongFunction;

    const Bytes& p = reply_.payload;
    if (function_ == kWriteFunction) {
        if (p.size() < 4 || (p[2] << 8 | p[3]) != (count_ & 0xFFFF))
            return linkresult::kWrongLength;
        if (p.size() != 4) return linkresult::kWrongLength;
    } else {
        const int byteCount = count_ * elementSize_;
        if (p.empty() || p[0] != byteCount) return linkresult::kWrongLength;
        if (p.size() != static_cast<std::size_t>(byteCount) + 1) return linkresult::kWrongLength;
    }
    return linkresult::kOk;
}

}  // namespace flowcfg
