#include "sim/DataLogger.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "sim/BigEndian.h"
#include "sim/RegisterLayout.h"
#include "sim/SimDate.h"

namespace flowcfg {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A well-mixed pseudo-random number in [0, 1) from two integers, so that a record's values
// depend on nothing but the record.
double hashUnit(std::uint64_t a, std::uint64_t b) {
    std::uint64_t z = a * 0x9E3779B97F4A7C15ull + b + 0x632BE59BD9B4E5A9ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) / 9007199254740992.0;
}

}  // namespace

DataLogger::DataLogger(long written, long capacity) : capacity_(capacity), baseTotal_(written) {}

int DataLogger::recordBytes() const {
    return LoggerRecordLayout::recordBytes(parameters_);
}

bool DataLogger::settingsDiffer(const RegisterMap& map) const {
    using L = LoggerSettingsBlock;
    const int index = std::min<int>(map.u16(L::kAddress, L::kPeriodIndex),
                                    static_cast<int>(kLoggerPeriods.size()) - 1);
    return map.u16(L::kAddress, L::kParameterCount) != parameters_ ||
           map.u16(L::kAddress, L::kMode) != mode_ || kLoggerPeriods[index] != period_;
}

void DataLogger::configure(const RegisterMap& map, bool erase, std::int64_t now, double elapsed) {
    using L = LoggerSettingsBlock;
    const long keep = erase ? 0 : total(elapsed);
    const int index = std::min<int>(map.u16(L::kAddress, L::kPeriodIndex),
                                    static_cast<int>(kLoggerPeriods.size()) - 1);
    period_ = kLoggerPeriods[index];
    mode_ = map.u16(L::kAddress, L::kMode) == 1 ? 1 : 0;
    parameters_ = std::clamp<int>(map.u16(L::kAddress, L::kParameterCount), 1,
                                  LoggerRecordLayout::kMaxParameters);
    for (int i = 0; i < L::kMaxParameters; ++i) {
        const int at = L::kSelections + L::kSelectionBytes * i;
        selections_[i].source = std::min<int>(map.u16(L::kAddress, at + L::kSelectionSource), 5);
        selections_[i].value = map.u16(L::kAddress, at + L::kSelectionValue) & 0xFF;
        selections_[i].statistic = map.u16(L::kAddress, at + L::kSelectionAverage) & 0x0F;
    }
    startAt(keep, now, elapsed);
}

void DataLogger::startAt(long total, std::int64_t now, double elapsed) {
    const std::int64_t last = now - now % period_;
    baseTotal_ = total;
    baseElapsed_ = elapsed;
    phase_ = static_cast<double>(now - last);
    // Record total - 1 is the one at the last period boundary; after an erase the first record
    // comes at the next boundary.
    firstDate_ = last - static_cast<std::int64_t>(total - 1) * period_;
}

void DataLogger::restore(long total, std::int64_t firstDate, double elapsed, std::int64_t now) {
    startAt(total, now, elapsed);
    firstDate_ = firstDate;
}

long DataLogger::total(double elapsed) const {
    const double since = std::max(0.0, elapsed - baseElapsed_) + phase_;
    const long grown = baseTotal_ + static_cast<long>(since / period_);
    return mode_ == 1 ? std::min(grown, capacity_) : grown;
}

long DataLogger::written(double elapsed) const {
    return std::min(total(elapsed), capacity_);
}

void DataLogger::recordBytes(long k, std::uint8_t* out) const {
    using R = LoggerRecordLayout;
    std::memset(out, 0, static_cast<std::size_t>(recordBytes()));
    SimDate::encode(firstDate_ + static_cast<std::int64_t>(k) * period_, out + R::kDate);
    const double t = static_cast<double>(k) * period_;
    for (int i = 0; i < parameters_; ++i) {
        const Selection& s = selections_[i % selections_.size()];
        const int category = LoggerCategory::kOfSource[s.source];
        std::uint8_t* e = out + R::kEntries + R::kEntryBytes * i;
        const double jitter =
            hashUnit(static_cast<std::uint64_t>(k), static_cast<std::uint64_t>(i));
        int type = R::kTypeFloat;
        const double wave = 1.0 + 0.08 * std::sin(2.0 * kPi * t / 86400.0);
        if (category == LoggerCategory::kPipe || category == LoggerCategory::kPipeA ||
            category == LoggerCategory::kPipeB) {
            const double base = category == LoggerCategory::kPipeB ? 30.0 : 45.0;
            switch (s.value) {
                case 0:  // status flags: now and then a chord alarm
                    type = R::kTypeFlags;
                    BigEndian::putU32(e + R::kValue, jitter < 0.05 ? 0x4u : 0u);
                    break;
                case 1:
                    BigEndian::putF32(e + R::kValue, static_cast<float>(base * wave + jitter));
                    break;
                case 2:
                    BigEndian::putF32(e + R::kValue,
                                      static_cast<float>(base * wave / 64.0 + jitter * 0.01));
                    break;
                case 3:
                    BigEndian::putF32(e + R::kValue, static_cast<float>(1482.0 + jitter));
                    break;
                default:
                    BigEndian::putF32(e + R::kValue, 0.0f);
                    break;
            }
        } else if (category == LoggerCategory::kInput) {
            BigEndian::putF32(e + R::kValue, static_cast<float>(12.0 + jitter * 0.1));
        } else if (category == LoggerCategory::kGeneral) {
            type = R::kTypeUnsigned;
            BigEndian::putU32(e + R::kValue, static_cast<std::uint32_t>(k));
        } else {
            BigEndian::putF32(e + R::kValue, static_cast<float>(75.0 * wave + jitter));
        }
        e[R::kCategory] = static_cast<std::uint8_t>((category & 0x0F) | (s.statistic << 4));
        e[R::kNameIndex] = static_cast<std::uint8_t>(s.value);
        e[R::kTypeAndUnit] = static_cast<std::uint8_t>(type);  // unit 0: l/s
        e[R::kQuality] = static_cast<std::uint8_t>(90 + static_cast<int>(jitter * 10.0));
    }
}

bool DataLogger::readMemory(std::uint32_t absolute, int count, double elapsed,
                            std::vector<std::uint8_t>& out) const {
    const long recordRegisters = recordBytes() / 2;
    const std::uint64_t end = static_cast<std::uint64_t>(absolute) + count;
    if (end > static_cast<std::uint64_t>(capacity_) * recordRegisters) return false;
    const long all = total(elapsed);
    const long inMemory = std::min(all, capacity_);
    const long oldest = all - inMemory;
    std::vector<std::uint8_t> record(static_cast<std::size_t>(recordBytes()));
    long cached = -1;
    for (std::uint64_t r = absolute; r < end; ++r) {
        const long position = static_cast<long>(r / recordRegisters);
        const long inRecord = static_cast<long>(r % recordRegisters);
        if (position >= inMemory) {
            out.push_back(0xFF);
            out.push_back(0xFF);
            continue;
        }
        if (position != cached) {
            recordBytes(oldest + position, record.data());
            cached = position;
        }
        out.push_back(record[2 * inRecord]);
        out.push_back(record[2 * inRecord + 1]);
    }
    return true;
}

std::int32_t DataLogger::search(std::int64_t date, double elapsed) const {
    const long all = total(elapsed);
    const long inMemory = std::min(all, capacity_);
    const long oldest = all - inMemory;
    std::int64_t k = 0;
    if (date > firstDate_) k = (date - firstDate_ + period_ - 1) / period_;
    const std::int64_t position = std::max<std::int64_t>(0, k - oldest);
    if (position >= inMemory) return LoggerSearchResultBlock::kNotFound;
    return static_cast<std::int32_t>(position * (recordBytes() / 2));
}

void DataLogger::writeState(RegisterMap& map, std::uint16_t block, double elapsed) const {
    using P = PathBlock;
    map.setU16(block, P::kLoggerParameters, static_cast<std::uint16_t>(parameters_));
    map.setU32(block, P::kLoggerWritten, static_cast<std::uint32_t>(written(elapsed)));
    map.setU32(block, P::kLoggerCapacity, static_cast<std::uint32_t>(capacity_));
    map.setU32(block, P::kLoggerPeriod, static_cast<std::uint32_t>(period_));
}

}  // namespace flowcfg
