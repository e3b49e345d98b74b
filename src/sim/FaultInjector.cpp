#include "sim/FaultInjector.h"

namespace flowcfg {

FaultInjector::FaultInjector(std::vector<FaultRule> faults, std::uint32_t seed)
    : faults_(std::move(faults)), random_(seed) {}

std::optional<FaultRule> FaultInjector::pick(std::uint16_t startRegister) {
    for (FaultRule& f : faults_) {
        if (f.startRegister >= 0 && f.startRegister != startRegister) continue;
        if (f.count == 0) continue;
        if (f.probability < 1.0) {
            std::uniform_real_distribution<double> draw(0.0, 1.0);
            if (draw(random_) >= f.probability) continue;
        }
        if (f.count > 0) --f.count;
        return f;
    }
    return std::nullopt;
}

}  // namespace flowcfg
