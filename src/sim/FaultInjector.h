#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "sim/FaultRule.h"

namespace flowcfg {

// Chooses the fault, if any, for each request the instrument would answer. Faults are tried in
// the order given; the first whose register matches, whose count is not used up and whose
// probability draw succeeds applies, and only it.
class FaultInjector {
public:
    FaultInjector(std::vector<FaultRule> faults, std::uint32_t seed);

    std::optional<FaultRule> pick(std::uint16_t startRegister);
    bool empty() const { return faults_.empty(); }

private:
    std::vector<FaultRule> faults_;
    std::mt19937 random_;
};

}  // namespace flowcfg
