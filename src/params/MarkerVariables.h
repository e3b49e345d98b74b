#pragma once

#include <string>

#include "params/VariableTable.h"

namespace flowcfg {

// The program's commands to the instrument: windowless display variables with a fixed value,
// each the only variable of its block, written after everything else.
class MarkerVariables {
public:
    // 0xEFFF, 0x5A5A (16 bits): reboot; the last write of every parameter transfer.
    static constexpr int kRebootBlock = 0xEFFF;
    // 0xEFFE, 0x55AAAA55 (32 bits over 0xEFFE and 0xEFFF): reset.
    static constexpr int kResetBlock = 0xEFFE;
    // 0xEFFD, the name of an included upgrade file (12 characters): upgrade.
    static constexpr int kUpgradeBlock = 0xEFFD;
    static constexpr int kUpgradeNameLength = 12;

    static void RegisterReboot(VariableTable& table, int controlId);
    static void RegisterReset(VariableTable& table, int controlId);
    static void RegisterUpgrade(VariableTable& table, int controlId, const std::string& fileName);
};

}  // namespace flowcfg
