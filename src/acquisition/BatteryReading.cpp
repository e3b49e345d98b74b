#include "acquisition/BatteryReading.h"

#include <cstdio>

#include "params/EncodingCode.h"

namespace flowcfg {
namespace {

int u16(const std::uint8_t* bytes, int offset) {
    return bytes[offset] << 8 | bytes[offset + 1];
}

}  // namespace

std::optional<BatteryReading> BatteryReading::decode(const std::uint8_t* bytes, std::size_t size) {
    if (!bytes || size < std::size_t(2 * kRegisters)) return std::nullopt;
    BatteryReading r;
    std::uint64_t raw = 0;
    if (InstrumentDate::readRaw(EncodingCode::kDateBytes, bytes, size, 0, raw))
        r.date = InstrumentDate::fromRaw(EncodingCode::kDateBytes, raw);
    r.counter = u16(bytes, 12);
    r.flags1 = bytes[15];
    r.temperature = bytes[17];
    r.nac = u16(bytes, 18);
    r.nacOld = u16(bytes, 20);
    r.batteryId = u16(bytes, 22);
    r.lmd = bytes[24];
    r.lmd256 = bytes[25];
    r.flags2 = bytes[27];
    r.ppd = u16(bytes, 28);
    r.ppu = u16(bytes, 30);
    r.cpi = u16(bytes, 32);
    r.dmf = u16(bytes, 34);
    r.vsbRaw = u16(bytes, 36);
    r.vtsRaw = u16(bytes, 38);
    r.charge = u16(bytes, 40);
    r.gauge = u16(bytes, 42);
    r.charger = bytes[45];
    return r;
}

int BatteryReading::temperatureClass() const {
    const int c = temperature >> 4 & 0x0F;
    return c < kTemperatureClasses ? c : -1;
}

const std::vector<BatteryReading::Bit>& BatteryReading::flags1Bits() {
    static const std::vector<Bit> bits = {{"CHGS", 7}, {"BRP", 6},  {"BRM", 5}, {"CI", 4},
                                          {"VDQ", 3},  {"EDV1", 1}, {"EDVF", 0}};
    return bits;
}

const std::vector<BatteryReading::Bit>& BatteryReading::flags2Bits() {
    static const std::vector<Bit> bits = {{"CR", 7}, {"OVLD", 0}};
    return bits;
}

const std::vector<BatteryReading::Bit>& BatteryReading::chargerBits() {
    static const std::vector<Bit> bits = {
        {"CHG FAULT", 0}, {"CHG", 1}, {"READY", 2}, {"TOP OF CHARGE", 3}};
    return bits;
}

std::string BatteryReading::hexByte(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", unsigned(value) & 0xFFu);
    return text;
}

std::string BatteryReading::hexWord(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", unsigned(value) & 0xFFFFu);
    return text;
}

}  // namespace flowcfg
