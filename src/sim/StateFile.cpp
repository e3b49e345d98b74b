#include "sim/StateFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "sim/Instrument.h"
#include "sim/RegisterLayout.h"

namespace flowcfg {

namespace {

constexpr const char* kHeader = "flowsim state 1";

std::string toHex(const std::vector<std::uint8_t>& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string s;
    for (std::uint8_t b : bytes) {
        s.push_back(kDigits[b >> 4]);
        s.push_back(kDigits[b & 15]);
    }
    return s;
}

bool fromHex(const std::string& s, std::vector<std::uint8_t>& out) {
    if (s.size() % 2 != 0) return false;
    auto digit = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    out.clear();
    for (std::size_t i = 0; i < s.size(); i += 2) {
        const int hi = digit(s[i]);
        const int lo = digit(s[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
    return true;
}

struct PendingBlock {
    std::uint16_t address;
    std::vector<std::uint8_t> bytes;
};

// State files of earlier versions kept each pipe's profile curve at the end of its pipe block
// (102 registers): the pipe keeps its first 62 registers, the curve block (when this instrument
// has one) the 40 after them. False for any other size.
bool splitOldPipeBlock(const RegisterMap& map, std::uint16_t address,
                       std::vector<std::uint8_t>& bytes, std::vector<PendingBlock>& blocks) {
    const bool pipeA = address == PipeBlock::kAddressA;
    if (!pipeA && address != PipeBlock::kAddressB) return false;
    constexpr std::size_t kPipeBytes = 2 * PipeBlock::kRegisters;
    constexpr std::size_t kCurveBytes = 2 * ProfileCurveBlock::kRegisters;
    if (bytes.size() != kPipeBytes + kCurveBytes) return false;
    const std::uint16_t curve = pipeA ? ProfileCurveBlock::kAddressA : ProfileCurveBlock::kAddressB;
    if (map.findBlock(curve))
        blocks.push_back(
            {curve, std::vector<std::uint8_t>(bytes.begin() + kPipeBytes, bytes.end())});
    bytes.resize(kPipeBytes);
    return true;
}

}  // namespace

bool StateFile::save(const std::string& path, const Instrument& instrument, double elapsed,
                     std::string& error) {
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        if (!out) {
            error = "cannot write the state file " + temporary;
            return false;
        }
        out << kHeader << '\n';
        out << "slave " << instrument.slave() << '\n';
        out << "baud " << instrument.lineBaud() << '\n';
        out << "clock-offset " << instrument.clockOffset() << '\n';
        out << "logger " << instrument.logger().total(elapsed) << ' '
            << instrument.logger().firstDate() << '\n';
        char line[64];
        for (int t = 0; t < 4; ++t) {
            std::snprintf(line, sizeof line, "totalizer %d %.6f", t,
                          instrument.plant().totalizerLitres(t));
            out << line << '\n';
        }
        const RegisterMap& map = instrument.registers();
        for (const RegisterMap::Block& b : map.blocks()) {
            std::vector<std::uint8_t> bytes;
            map.read(b.address, b.registers, bytes);
            std::snprintf(line, sizeof line, "block 0x%04X ", b.address);
            out << line << toHex(bytes) << '\n';
        }
        out.flush();
        if (!out) {
            error = "cannot write the state file " + temporary + " (disk full?)";
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot replace the state file " + path;
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool StateFile::load(const std::string& path, Instrument& instrument, double elapsed, bool& found,
                     std::string& error) {
    std::ifstream in(path);
    found = static_cast<bool>(in);
    if (!found) return true;
    std::string line;
    if (!std::getline(in, line) || line != kHeader) {
        error = path + " is not a flowsim state file";
        return false;
    }
    int slave = instrument.slave();
    int baud = instrument.lineBaud();
    long long offset = 0, loggerTotal = 0, loggerFirst = 0;
    bool haveLogger = false;
    double totalizers[4] = {0, 0, 0, 0};
    std::vector<PendingBlock> blocks;
    int lineNumber = 1;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (line.empty()) continue;
        std::istringstream words(line);
        std::string key;
        words >> key;
        bool ok = true;
        if (key == "slave") {
            ok = static_cast<bool>(words >> slave) && slave >= 1 && slave <= 247;
        } else if (key == "baud") {
            ok = static_cast<bool>(words >> baud) && baud > 0;
        } else if (key == "clock-offset") {
            ok = static_cast<bool>(words >> offset);
        } else if (key == "logger") {
            ok = static_cast<bool>(words >> loggerTotal >> loggerFirst) && loggerTotal >= 0;
            haveLogger = ok;
        } else if (key == "totalizer") {
            int t = -1;
            double litres = 0;
            ok = static_cast<bool>(words >> t >> litres) && t >= 0 && t < 4;
            if (ok) totalizers[t] = litres;
        } else if (key == "block") {
            std::string address, hex;
            ok = static_cast<bool>(words >> address >> hex);
            PendingBlock p{};
            unsigned long a = ok ? std::strtoul(address.c_str(), nullptr, 16) : 0;
            const RegisterMap::Block* b =
                ok ? instrument.registers().findBlock(static_cast<std::uint16_t>(a)) : nullptr;
            ok = b != nullptr && fromHex(hex, p.bytes);
            p.address = static_cast<std::uint16_t>(a);
            if (ok && static_cast<int>(p.bytes.size()) != 2 * b->registers)
                ok = splitOldPipeBlock(instrument.registers(), p.address, p.bytes, blocks);
            if (ok) blocks.push_back(std::move(p));
        }
        if (!ok) {
            error = path + ":" + std::to_string(lineNumber) + ": damaged line";
            return false;
        }
    }
    RegisterMap& map = instrument.registers();
    for (const PendingBlock& p : blocks) {
        map.write(p.address, p.bytes.data(), static_cast<int>(p.bytes.size() / 2));
    }
    for (int t = 0; t < 4; ++t)
        instrument.plant().setTotalizerLitres(t, totalizers[t]);
    if (haveLogger) {
        instrument.restoreState(offset, static_cast<long>(loggerTotal), loggerFirst, elapsed);
    }
    instrument.restoreLine(slave, baud);
    return true;
}

}  // namespace flowcfg
