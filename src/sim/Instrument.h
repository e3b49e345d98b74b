#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "sim/BatteryGauge.h"
#include "sim/DataLogger.h"
#include "sim/Plant.h"
#include "sim/RegisterMap.h"
#include "sim/SimOptions.h"
#include "sim/SlaveReply.h"
#include "sim/SlaveRequest.h"
#include "sim/TimingFrames.h"

namespace flowcfg {

// The simulated flowmeter behind the line: a JBus slave with functions 3 (holding registers),
// 4 (the logger memory) and 16 (write registers) over the register map of RegisterLayout.h.
// Live values are brought up to date before each read; writes are kept, and writes to the clock,
// the logger, totalizer and command registers act as on the instrument. Times are seconds since
// the instrument started, given by the caller so that tests control them.
class Instrument {
public:
    static constexpr int kIllegalFunction = 1;
    static constexpr int kIllegalAddress = 2;
    static constexpr int kIllegalValue = 3;
    static constexpr int kMaxReadCount = 125;
    static constexpr int kMaxWriteCount = 123;

    using CommandListener = std::function<void(const std::string&)>;

    // `startDate` is the instrument's date when it starts (normally the PC's local time).
    Instrument(const SimOptions& options, std::int64_t startDate);

    // Whether a request to `slave` is for this instrument: its own address or 0.
    bool answersTo(std::uint8_t slave) const { return slave == 0 || slave == slave_; }
    // Executes a request addressed to this instrument and returns its answer.
    SlaveReply handle(const SlaveRequest& request, double elapsed);

    int slave() const { return slave_; }
    // The line speed the instrument listens at (changes with the "Bauds" setting at a restart).
    int lineBaud() const { return lineBaud_; }
    std::int64_t dateAt(double elapsed) const;

    RegisterMap& registers() { return map_; }
    const RegisterMap& registers() const { return map_; }
    Plant& plant() { return plant_; }
    const Plant& plant() const { return plant_; }
    DataLogger& logger() { return logger_; }
    const DataLogger& logger() const { return logger_; }

    // Commands received (end marker, reset, upgrade), in order, as "end-marker", "reset",
    // "upgrade NAME".
    const std::vector<std::string>& commands() const { return commands_; }
    void setCommandListener(CommandListener listener) { listener_ = std::move(listener); }

    // What a state file keeps besides the registers.
    std::int64_t clockOffset() const { return clockOffset_; }
    void restoreState(std::int64_t clockOffset, long loggerTotal, std::int64_t loggerFirstDate,
                      double elapsed);
    // Sets the address and speed a state file kept; the current settings count as applied.
    void restoreLine(int slave, int baud);
    // Applies the settings a restart takes (slave address, speed, identity, logger), as after a
    // state file was loaded.
    void restart(double elapsed);

private:
    SlaveReply exception(std::uint8_t function, int code) const;
    void refresh(std::uint16_t start, int count, double elapsed);
    void afterWrite(std::uint16_t start, int count, double elapsed);
    void command(const std::string& text);
    void applyIdentity();

    RegisterMap map_;
    Plant plant_;
    DataLogger logger_;
    BatteryGauge battery_;
    TimingFrames frames_;
    int slave_;
    int lineBaud_;
    int appliedSlaveSetting_;
    int appliedBaudSetting_;
    std::int64_t startDate_;
    std::int64_t clockOffset_ = 0;
    bool searchPending_ = false;
    std::int32_t searchResult_ = -2;
    std::vector<std::string> commands_;
    CommandListener listener_;
};

}  // namespace flowcfg
