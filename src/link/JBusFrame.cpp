#include "link/JBusFrame.h"

namespace flowcfg {

void JBusFrame::ResetFrame() {
    slave = 255;
    function = 255;
    payload.clear();
    raw.clear();
    crc = 0xFFFF;
}

std::uint16_t JBusFrame::Crc16(const std::uint8_t* data, std::size_t length) {
    std::uint16_t value = 0xFFFF;
    for (std::size_t i = 0; i < length; ++i) {
        value ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            if (value & 1u)
                value = static_cast<std::uint16_t>((value >> 1) ^ 0xA001u);
            else
                value = static_cast<std::uint16_t>(value >> 1);
        }
    }
    return value;
}

std::uint16_t JBusFrame::ComputeCrc() const {
    if (raw.size() <= 2) return 0xFFFF;
    std::uint16_t value = Crc16(raw.data(), raw.size() - 2);
    return static_cast<std::uint16_t>((value << 8) | (value >> 8));
}

int JBusFrame::CheckCrc() const {
    return raw.size() > 2 && ComputeCrc() == crc ? 0 : -1;
}

int JBusFrame::BuildFrame(std::uint8_t slaveAddress, std::uint8_t functionCode,
                          const Bytes& payloadBytes) {
    slave = slaveAddress;
    raw.push_back(slaveAddress);
    function = functionCode;
    raw.push_back(functionCode);
    raw.insert(raw.end(), payloadBytes.begin(), payloadBytes.end());
    // ComputeCrc leaves out the last two bytes: two placeholders stand for the CRC meanwhile.
    raw.push_back(0);
    raw.push_back(0);
    crc = ComputeCrc();
    raw.resize(raw.size() - 2);
    raw.push_back(static_cast<std::uint8_t>(crc >> 8));
    raw.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return linkresult::kOk;
}

int JBusFrame::ParseFrame(const Bytes& received) {
    ResetFrame();
    raw = received;
    if (raw.size() < kMinimumLength) return linkresult::kTooShort;
    crc = static_cast<std::uint16_t>(raw[raw.size() - 2] << 8 | raw[raw.size() - 1]);
    if (CheckCrc() != 0) return linkresult::kBadCrc;
    slave = raw[0];
    function = raw[1];
    payload.assign(raw.begin() + 2, raw.end() - 2);
    return linkresult::kOk;
}

}  // namespace flowcfg
