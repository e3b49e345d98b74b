#pragma once

#include <string>
#include <vector>

namespace flowcfg {

// The probe types the program knows, in the order the probe-type fields number them. Entries 0
// and 1 stand for the instrument's own probe sets A and B (block 0xE800) and take the names the
// instrument keeps for them once a set has been read or loaded (MergeProbeSets). Each entry has a
// no-angle flag: 1 for probes without a refraction angle, which the pipe pages' field rules use.
class ProbeCatalogue {
public:
    // One row of the built-in table: name, angle in hundredths of a degree, T0 in tenths, index
    // into the probe frequency list.
    struct Entry {
        char name[10];
        int angle;
        int t0;
        int frequency;
    };
    static constexpr int kCapacity = 30;  // the table has room for 30 rows
    static const Entry kTable[kCapacity];

    // The instrument's probe set as the catalogue needs it.
    struct ProbeSet {
        std::string name;
        double t0 = 0;
        double angle = 0;
    };

    ProbeCatalogue() { BuildCatalogue(); }

    // Fills the names and flags from the table, up to its first row without a name; every
    // entry is offered in the probe-type lists.
    void BuildCatalogue();
    int size() const { return int(names_.size()); }

    // The name of an entry; empty past the end.
    std::string ProbeName(int index) const;
    // The no-angle flag of an entry; -1 past the end.
    int NoAngleFlag(int index) const;
    void SetProbeName(int index, const std::string& name);
    void SetNoAngleFlag(int index, int flag);
    const std::vector<std::string>& ProbeNames() const { return names_; }

    // Whether the probe-type lists offer the entry (a probe set with T0 = 0 is not offered).
    bool offered(int index) const;
    void setOffered(int index, bool offered);

    // Merges the instrument's probe sets into entries 0 (A) and 1 (B): a set with a name gives
    // its entry the name "SA" (or "SB") followed by it; a set with a T0 takes the flag of its
    // angle (1 for 0°), a set without a T0 is no longer offered.
    void MergeProbeSets(const ProbeSet& a, const ProbeSet& b);

private:
    std::vector<std::string> names_;
    std::vector<int> flags_;
    std::vector<bool> offered_;
};

}  // namespace flowcfg
