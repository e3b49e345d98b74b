#include "params/ProbeCatalogue.h"

namespace flowcfg {

// Frequency indexes: 0 "5 MHz", 1 "4 MHz", 2 "3 MHz", 3 "2 MHz", 4 "1 MHz", 5 "500 kHz",
// 6 "350 kHz", 7 "300 kHz", 8 "250 kHz".
const ProbeCatalogue::Entry ProbeCatalogue::kTable[kCapacity] = {
    {"SA(----)", 0, 1, 0},    {"SB(----)", 0, 1, 0},   {"PX2101", 5360, 50, 4},
    {"PX2102I", 5980, 85, 3}, {"PX2103", 5500, 41, 3}, {"PX2104", 6022, 82, 4},
    {"PX2105", 6022, 109, 5}, {"PX2106", 6022, 48, 2}, {"PX2107", 6022, 82, 5},
    {"PX2108", 6022, 63, 4},  {"PX2109", 5506, 83, 5}, {"PX2110A", 6022, 63, 4},
    {"PX2110B", 6022, 63, 5}, {"PX-G01", 5506, 83, 5}, {"QW-K30", 0, 10, 2},
    {"QW-K20", 0, 10, 3},     {"QW-K10", 0, 10, 4},    {"QW-K05", 0, 10, 5},
    {"QW-K025", 0, 10, 8},    {"QW-G01", 0, 10, 8},    {"PX2111", 5500, 31, 1},
};

void ProbeCatalogue::BuildCatalogue() {
    names_.clear();
    flags_.clear();
    for (const Entry& entry : kTable) {
        if (entry.name[0] == '\0') break;
        names_.emplace_back(entry.name);
        flags_.push_back(entry.angle == 0 ? 1 : 0);
    }
    offered_.assign(names_.size(), true);
}

std::string ProbeCatalogue::ProbeName(int index) const {
    return index >= 0 && index < size() ? names_[std::size_t(index)] : std::string();
}

int ProbeCatalogue::NoAngleFlag(int index) const {
    return index >= 0 && index < size() ? flags_[std::size_t(index)] : -1;
}

void ProbeCatalogue::SetProbeName(int index, const std::string& name) {
    if (index >= 0 && index < size()) names_[std::size_t(index)] = name;
}

void ProbeCatalogue::SetNoAngleFlag(int index, int flag) {
    if (index >= 0 && index < size()) flags_[std::size_t(index)] = flag;
}

bool ProbeCatalogue::offered(int index) const {
    return index >= 0 && index < size() && offered_[std::size_t(index)];
}

void ProbeCatalogue::setOffered(int index, bool offered) {
    if (index >= 0 && index < size()) offered_[std::size_t(index)] = offered;
}

void ProbeCatalogue::MergeProbeSets(const ProbeSet& a, const ProbeSet& b) {
    const ProbeSet* sets[] = {&a, &b};
    const char* prefixes[] = {"SA", "SB"};
    for (int i = 0; i < 2; ++i) {
        const ProbeSet& set = *sets[i];
        if (!set.name.empty()) SetProbeName(i, prefixes[i] + set.name);
        if (set.t0 != 0) {
            SetNoAngleFlag(i, set.angle == 0 ? 1 : 0);
            setOffered(i, true);
        } else {
            setOffered(i, false);
        }
    }
}

}  // namespace flowcfg
