#include "params/MarkerVariables.h"

#include "params/EncodingCode.h"

namespace flowcfg {

namespace {
constexpr int kFlags = VariableDescriptor::kWindowless;
constexpr int kKind = VariableDescriptor::kDisplay;
}  // namespace

void MarkerVariables::RegisterReboot(VariableTable& table, int controlId) {
    table.Register(controlId, kFlags, 0, kKind, 0, "0x5A5A", 0, 0, 0, 0, "%4h",
                   EncodingCode::kUnsigned16, 0, kRebootBlock);
}

void MarkerVariables::RegisterReset(VariableTable& table, int controlId) {
    table.Register(controlId, kFlags, 0, kKind, 0, "0x55AAAA55", 0, 0, 0, 0, "%8h",
                   EncodingCode::kUnsigned32, 0, kResetBlock);
}

void MarkerVariables::RegisterUpgrade(VariableTable& table, int controlId,
                                      const std::string& fileName) {
    table.Register(controlId, kFlags, 0, kKind, 0, fileName, 0, 0, 0, kUpgradeNameLength, "%s",
                   EncodingCode::kText, 0, kUpgradeBlock);
}

}  // namespace flowcfg
