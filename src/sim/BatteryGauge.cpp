#include "sim/BatteryGauge.h"

#include <algorithm>

#include "sim/RegisterLayout.h"
#include "sim/SimDate.h"

namespace flowcfg {

void BatteryGauge::write(RegisterMap& map, double elapsed, std::int64_t now) const {
    using B = BatteryBlock;
    const std::uint16_t a = B::kAddress;
    const long reading = static_cast<long>(elapsed / kReadingSeconds);
    const double sinceReading = elapsed - static_cast<double>(reading) * kReadingSeconds;
    SimDate::encode(now - static_cast<std::int64_t>(sinceReading), map.bytes(a, B::kDate));
    map.setU16(a, B::kCounter, static_cast<std::uint16_t>(reading + 1));
    // Full capacity 2400 mAh as LMD x 256 ... the charge drops by one unit every 16 readings.
    const int lmd = 2400 / 256 + 1;
    const int nac = std::max(0, 2400 - static_cast<int>(reading / 16));
    map.setU8(a, B::kFlags1, 0x00);
    map.setU8(a, B::kTemperature, 0x6A);  // class 6: 20 to 30 °C
    map.setU16(a, B::kNac, static_cast<std::uint16_t>(nac));
    map.setU16(a, B::kNacOld, static_cast<std::uint16_t>(std::min(2400, nac + 1)));
    map.setU16(a, B::kBatteryId, 0x2014);
    map.setU8(a, B::kLmd, static_cast<std::uint8_t>(lmd));
    map.setU8(a, B::kLmd256, static_cast<std::uint8_t>(lmd * 256 / 256));
    map.setU8(a, B::kFlags2, 0x80);
    map.setU16(a, B::kPpd, 0x0040);
    map.setU16(a, B::kPpu, 0x0040);
    map.setU16(a, B::kCpi, 0x0000);
    map.setU16(a, B::kDmf, 0x0012);
    // 3.75 V on VSB, VTS a little below; both wander by a few millivolts.
    map.setU16(a, B::kVsb, static_cast<std::uint16_t>(400 - reading % 3));
    map.setU16(a, B::kVts, static_cast<std::uint16_t>(380 + reading % 2));
    map.setU16(a, B::kCharge, static_cast<std::uint16_t>(nac * 100 / (lmd * 256)));
    map.setU16(a, B::kGauge, static_cast<std::uint16_t>(nac * 1000 / (lmd * 256)));
    map.setU8(a, B::kCharger, 0x04);  // ready
}

}  // namespace flowcfg
