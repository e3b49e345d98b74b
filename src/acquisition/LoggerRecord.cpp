#include "acquisition/LoggerRecord.h"

#include <bit>
#include <cstring>

#include "params/EncodingCode.h"

namespace flowcfg {

LoggerEntry LoggerEntry::decode(const std::uint8_t* b) {
    LoggerEntry e;
    e.bits = std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 | std::uint32_t(b[2]) << 8 |
             std::uint32_t(b[3]);
    e.category = b[4] & 0x0F;
    e.statistic = b[4] >> 4;
    e.nameIndex = b[5];
    e.type = b[6] & 0x03;
    e.unit = b[6] >> 2;
    e.quality = b[7] & 0x7F;
    return e;
}

double LoggerEntry::number() const {
    switch (type) {
        case kFloat:
            return static_cast<double>(std::bit_cast<float>(bits));
        case kSigned:
            return static_cast<double>(static_cast<std::int32_t>(bits));
        default:
            return static_cast<double>(bits);
    }
}

InstrumentDate LoggerRecord::date(const std::uint8_t* record) {
    std::uint64_t raw = 0;
    InstrumentDate::readRaw(EncodingCode::kDateBytes, record + kDate, 6, 0, raw);
    return InstrumentDate::fromRaw(EncodingCode::kDateBytes, raw);
}

LoggerEntry LoggerRecord::entry(const std::uint8_t* record, int i) {
    return LoggerEntry::decode(record + kEntries + kEntryBytes * i);
}

}  // namespace flowcfg
