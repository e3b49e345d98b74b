#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "params/InstrumentDate.h"

namespace flowcfg {

// One reading of the battery gauge chip (bq2014) and the charger (LT4011) as the instrument
// mirrors them into block 0xFE00 (23 registers; byte offsets, 16-bit values big-endian):
//
//    0  date and time of the reading (six bytes: year - 2000, month, day, hour, min, s)
//   12  counter of gauge readings (u16)      15  FLGS1            17  TMPGG
//   18  NAC (u16)    20  NAC old (u16)       22  BATID (u16)      24  LMD    25  LMD x 256
//   27  FLGS2        28  PPD   30  PPU   32  CPI   34  DMF (u16 each)
//   36  VSB raw (u16)   38  VTS raw (u16), in steps of 9.375 mV
//   40  charge in % (u16)   42  gauge value (u16, thousandths)   45  charger status
struct BatteryReading {
    static constexpr int kAddress = 0xFE00;
    static constexpr int kRegisters = 23;
    static constexpr double kVoltsPerStep = 0.009375;
    static constexpr int kTemperatureClasses = 13;

    InstrumentDate date;
    int counter = 0;
    int flags1 = 0, temperature = 0, lmd = 0, lmd256 = 0, flags2 = 0, charger = 0;
    int nac = 0, nacOld = 0, batteryId = 0, ppd = 0, ppu = 0, cpi = 0, dmf = 0;
    int vsbRaw = 0, vtsRaw = 0, charge = 0, gauge = 0;

    // Nothing when fewer than 46 bytes came.
    static std::optional<BatteryReading> decode(const std::uint8_t* bytes, std::size_t size);

    static double volts(int raw) { return raw * kVoltsPerStep; }
    double vsbVolts() const { return volts(vsbRaw); }
    double vtsVolts() const { return volts(vtsRaw); }
    // TMPGG bits 4-7: the position in the temperature class list (0 "T < -30°C" ... 12
    // "T > 80°C"); -1 for the classes the chip does not define (13 ... 15).
    int temperatureClass() const;
    // FLGS2 bits 4-6.
    int dischargeRate() const { return flags2 >> 4 & 7; }

    // A named bit of a flag byte.
    struct Bit {
        const char* name;
        int bit;
    };
    // FLGS1: 7 CHGS, 6 BRP, 5 BRM, 4 CI, 3 VDQ, 1 EDV1, 0 EDVF.
    static const std::vector<Bit>& flags1Bits();
    // FLGS2: 7 CR, 0 OVLD (DR is the value of bits 4-6).
    static const std::vector<Bit>& flags2Bits();
    // Charger status: 0 "CHG FAULT", 1 "CHG", 2 "READY", 3 "TOP OF CHARGE".
    static const std::vector<Bit>& chargerBits();
    static bool isSet(int byte, int bit) { return (byte >> bit & 1) != 0; }

    // "0x" and two (byte) or four (16-bit value) hexadecimal digits.
    static std::string hexByte(int value);
    static std::string hexWord(int value);
};

}  // namespace flowcfg
