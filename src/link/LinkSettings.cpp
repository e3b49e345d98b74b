#include "link/LinkSettings.h"

#include <cmath>
#include <limits>

namespace flowcfg {
namespace {

// Stored numbers are reals; anything out of the int range is pinned to its end.
int readInt(const IniFile& config, const char* section, const char* key, int fallback) {
    double value = config.readReal(section, key, fallback);
    if (std::isnan(value)) return fallback;
    if (value >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

}  // namespace

int LinkSettings::answerTimeoutMs() const {
    return kAnswerTimeoutMs + (useModem ? modemAllowanceMs : 0);
}

int LinkSettings::longAnswerTimeoutMs() const {
    return kLongAnswerTimeoutMs + (useModem ? modemAllowanceMs : 0);
}

LinkSettings LinkSettings::Load(const IniFile& config) {
    LinkSettings s;
    int portPosition = readInt(config, kComSection, kPortKey, 0);
    s.portNumber =
        portPosition == std::numeric_limits<int>::max() ? portPosition : portPosition + 1;
    s.baudIndex = readInt(config, kComSection, kBaudsKey, kDefaultBaudIndex);
    s.slaveAddress = readInt(config, kComSection, kSlaveKey, kDefaultSlave);
    s.useModem = readInt(config, kModemSection, kUseModemKey, 1) == 0;
    s.dialingMethod = readInt(config, kModemSection, kDialingKey, 0);
    s.initString = config.readString(kModemSection, kInitStringKey, kDefaultInitString);
    s.phoneNumber = config.readString(kModemSection, kPhoneNumberKey, "");
    s.hangUpString = config.readString(kModemSection, kHangUpStringKey, kDefaultHangUpString);
    s.modemAllowanceMs =
        readInt(config, kModemSection, kModemAllowanceKey, kDefaultModemAllowanceMs);
    return s;
}

int LinkSettings::Save(const IniFile& config) const {
    int status = 0;
    auto check = [&status](int result) {
        if (result != 0) status = -1;
    };
    check(config.writeReal(kComSection, kPortKey, static_cast<double>(portNumber) - 1));
    check(config.writeReal(kComSection, kBaudsKey, baudIndex));
    check(config.writeReal(kComSection, kSlaveKey, slaveAddress));
    check(config.writeReal(kModemSection, kUseModemKey, useModem ? 0 : 1));
    check(config.writeReal(kModemSection, kDialingKey, dialingMethod));
    check(config.writeString(kModemSection, kInitStringKey, initString));
    check(config.writeString(kModemSection, kPhoneNumberKey, phoneNumber));
    check(config.writeString(kModemSection, kHangUpStringKey, hangUpString));
    check(config.writeReal(kModemSection, kModemAllowanceKey, modemAllowanceMs));
    return status;
}

}  // namespace flowcfg
