#include "sim/Instrument.h"

#include "sim/BigEndian.h"
#include "sim/InstrumentRegisters.h"
#include "sim/RegisterLayout.h"
#include "sim/SimDate.h"

namespace flowcfg {

namespace {

bool overlaps(std::uint16_t start, int count, std::uint16_t block, int registers) {
    return start < block + registers && block < start + count;
}

bool covers(std::uint16_t start, int count, std::uint16_t reg) {
    return reg >= start && reg < start + count;
}

}  // namespace

Instrument::Instrument(const SimOptions& options, std::int64_t startDate)
    : plant_(options.seed),
      logger_(options.loggerRecords, options.loggerCapacity),
      frames_(options.seed + 1),
      slave_(options.slave),
      lineBaud_(options.baud),
      startDate_(startDate) {
    InstrumentRegisters::declare(map_, options);
    InstrumentRegisters::fillDefaults(map_, options);
    appliedSlaveSetting_ = map_.u16(GeneralBlock::kAddress, GeneralBlock::kSlaveAddress);
    appliedBaudSetting_ = map_.u16(GeneralBlock::kAddress, GeneralBlock::kBaudIndex);
    logger_.configure(map_, false, startDate_, 0.0);
    applyIdentity();
    plant_.update(map_, 0.0);
}

std::int64_t Instrument::dateAt(double elapsed) const {
    return startDate_ + clockOffset_ + static_cast<std::int64_t>(elapsed);
}

SlaveReply Instrument::exception(std::uint8_t function, int code) const {
    SlaveReply r;
    r.slave = static_cast<std::uint8_t>(slave_);
    r.function = static_cast<std::uint8_t>(function | 0x80);
    r.exception = code;
    r.payload = {static_cast<std::uint8_t>(code)};
    return r;
}

SlaveReply Instrument::handle(const SlaveRequest& q, double elapsed) {
    const int fn = q.function;
    if (fn != 3 && fn != 4 && fn != 16) return exception(q.function, kIllegalFunction);
    if (fn == 16) {
        if (q.count < 1 || q.count > kMaxWriteCount || q.byteCount != ((2 * q.count) & 0xFF) ||
            static_cast<int>(q.data.size()) != 2 * q.count) {
            return exception(q.function, kIllegalValue);
        }
        if (!map_.writable(q.start, q.count)) return exception(q.function, kIllegalAddress);
        map_.write(q.start, q.data.data(), q.count);
        SlaveReply r;
        r.slave = static_cast<std::uint8_t>(slave_);  // a restart below answers from the old one
        r.function = q.function;
        r.payload.resize(4);
        BigEndian::putU16(&r.payload[0], q.start);
        BigEndian::putU16(&r.payload[2], q.count);
        afterWrite(q.start, q.count, elapsed);
        return r;
    }
    if (q.count < 1 || q.count > kMaxReadCount) return exception(q.function, kIllegalValue);
    SlaveReply r;
    r.slave = static_cast<std::uint8_t>(slave_);
    r.function = q.function;
    r.payload.reserve(1 + 2 * q.count);
    r.payload.push_back(static_cast<std::uint8_t>(2 * q.count));
    if (fn == 4) {
        const std::uint32_t base = map_.u32(LoggerWindowBlock::kAddress, 0);
        if (!logger_.readMemory(base + q.start, q.count, elapsed, r.payload)) {
            return exception(q.function, kIllegalAddress);
        }
        return r;
    }
    if (!map_.mapped(q.start, q.count)) return exception(q.function, kIllegalAddress);
    refresh(q.start, q.count, elapsed);
    map_.read(q.start, q.count, r.payload);
    return r;
}

void Instrument::refresh(std::uint16_t start, int count, double elapsed) {
    const std::int64_t now = dateAt(elapsed);
    plant_.update(map_, elapsed);
    for (std::uint16_t block : {PathBlock::kAddressA, PathBlock::kAddressB}) {
        SimDate::encode(now, map_.bytes(block, PathBlock::kDate));
        logger_.writeState(map_, block, elapsed);
    }
    SimDate::encode(now, map_.bytes(ClockBlock::kAddress, ClockBlock::kDate));
    SimDate::encode(now, map_.bytes(SummaryBlock::kAddress, SummaryBlock::kDate));
    if (overlaps(start, count, BatteryBlock::kAddress, BatteryBlock::kRegisters)) {
        battery_.write(map_, elapsed, now);
    }
    for (std::uint16_t block : {TimingFrameBlock::kAddress1, TimingFrameBlock::kAddress2}) {
        if (overlaps(start, count, block, TimingFrameBlock::kRegisters)) {
            frames_.next(map_, block, plant_);
        }
    }
    if (overlaps(start, count, LoggerSearchResultBlock::kAddress,
                 LoggerSearchResultBlock::kRegisters)) {
        // The first read after a new search date finds the search still running.
        map_.setS32(LoggerSearchResultBlock::kAddress, 0,
                    searchPending_ ? LoggerSearchResultBlock::kSearching : searchResult_);
        searchPending_ = false;
    }
}

void Instrument::afterWrite(std::uint16_t start, int count, double elapsed) {
    if (overlaps(start, count, ClockBlock::kAddress, ClockBlock::kRegisters)) {
        std::int64_t date = 0;
        if (SimDate::decode(map_.bytes(ClockBlock::kAddress, ClockBlock::kDate), date)) {
            clockOffset_ = date - startDate_ - static_cast<std::int64_t>(elapsed);
        }
    }
    if (covers(start, count, LoggerResetBlock::kAddress)) {
        if (map_.u16(LoggerResetBlock::kAddress, 0) == 1) {
            logger_.configure(map_, true, dateAt(elapsed), elapsed);
        }
        map_.setU16(LoggerResetBlock::kAddress, 0, 0);
    }
    for (int t = 0; t < TotalizerResetBlock::kRegisters; ++t) {
        const std::uint16_t reg = static_cast<std::uint16_t>(TotalizerResetBlock::kAddress + t);
        if (!covers(start, count, reg)) continue;
        if (map_.u16(TotalizerResetBlock::kAddress, 2 * t) == 1) plant_.setTotalizerLitres(t, 0.0);
        map_.setU16(TotalizerResetBlock::kAddress, 2 * t, 0);
    }
    if (overlaps(start, count, LoggerSearchDateBlock::kAddress,
                 LoggerSearchDateBlock::kRegisters)) {
        std::int64_t date = 0;
        searchPending_ = true;
        searchResult_ = SimDate::decode(map_.bytes(LoggerSearchDateBlock::kAddress), date)
                            ? logger_.search(date, elapsed)
                            : LoggerSearchResultBlock::kNotFound;
    }

    using C = CommandRegisters;
    if (start == C::kEndMarker && count == 1 && map_.u16(C::kEndMarker, 0) == C::kEndMarkerValue) {
        command("end-marker");
        restart(elapsed);
    } else if (start == C::kReset && count == 2 && map_.u32(C::kReset, 0) == C::kResetValue) {
        command("reset");
        restart(elapsed);
    } else if (start == C::kUpgrade && count == C::kRegisters) {
        command("upgrade " + map_.text(C::kUpgrade, 0, C::kUpgradeNameLength));
    }
}

void Instrument::command(const std::string& text) {
    commands_.push_back(text);
    if (listener_) listener_(text);
}

void Instrument::restart(double elapsed) {
    const int slave = map_.u16(GeneralBlock::kAddress, GeneralBlock::kSlaveAddress);
    if (slave != appliedSlaveSetting_ && slave >= 1 && slave <= 247) slave_ = slave;
    appliedSlaveSetting_ = slave;
    const int baud = map_.u16(GeneralBlock::kAddress, GeneralBlock::kBaudIndex);
    if (baud != appliedBaudSetting_ && baud >= 0 && baud < static_cast<int>(kBaudRates.size())) {
        lineBaud_ = kBaudRates[baud];
    }
    appliedBaudSetting_ = baud;
    if (logger_.settingsDiffer(map_)) logger_.configure(map_, true, dateAt(elapsed), elapsed);
    applyIdentity();
}

void Instrument::applyIdentity() {
    using F = IdentificationBlock;
    using I = IdentityBlock;
    const std::uint16_t f = F::kAddress;
    const std::uint16_t i = I::kAddress;
    map_.setU16(f, F::kSlaveAddress, static_cast<std::uint16_t>(slave_));
    map_.setU16(f, F::kInstrumentType, map_.u16(i, I::kInstrumentType));
    map_.setU8(f, F::kSerial1, static_cast<std::uint8_t>(map_.u16(i, I::kSerial1)));
    map_.setU8(f, F::kSerial2, static_cast<std::uint8_t>(map_.u16(i, I::kSerial2)));
    map_.setU32(f, F::kSerial3, map_.u32(i, I::kSerial3));
    map_.setU8(f, F::kBoardSerial1, static_cast<std::uint8_t>(map_.u16(i, I::kBoardSerial1)));
    map_.setU8(f, F::kBoardSerial2, static_cast<std::uint8_t>(map_.u16(i, I::kBoardSerial2)));
    map_.setU32(f, F::kBoardSerial3, map_.u32(i, I::kBoardSerial3));
    map_.setU16(f, F::kHardware, map_.u16(i, I::kHardware));
    map_.setU16(f, F::kApplication, map_.u16(i, I::kApplication));

    using S = SummaryBlock;
    const std::uint16_t s = S::kAddress;
    map_.setU8(s, S::kSerial1, map_.u8(f, F::kSerial1));
    map_.setU8(s, S::kSerial2, map_.u8(f, F::kSerial2));
    map_.setU32(s, S::kSerial3, map_.u32(f, F::kSerial3));
    map_.setText(s, S::kSoftwareText, S::kSoftwareTextLength,
                 map_.text(f, F::kFirmwareText, F::kFirmwareTextLength));
    map_.setU16(s, S::kHardware, map_.u16(i, I::kHardware));
    map_.setU16(s, S::kApplication, map_.u16(i, I::kApplication));
    map_.setU16(s, S::kInstrumentType, map_.u16(i, I::kInstrumentType));
}

void Instrument::restoreLine(int slave, int baud) {
    slave_ = slave;
    lineBaud_ = baud;
    appliedSlaveSetting_ = map_.u16(GeneralBlock::kAddress, GeneralBlock::kSlaveAddress);
    appliedBaudSetting_ = map_.u16(GeneralBlock::kAddress, GeneralBlock::kBaudIndex);
    applyIdentity();
}

void Instrument::restoreState(std::int64_t clockOffset, long loggerTotal,
                              std::int64_t loggerFirstDate, double elapsed) {
    clockOffset_ = clockOffset;
    logger_.configure(map_, true, dateAt(elapsed), elapsed);
    logger_.restore(loggerTotal, loggerFirstDate, elapsed, dateAt(elapsed));
}

}  // namespace flowcfg
