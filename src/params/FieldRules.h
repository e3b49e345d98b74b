#pragma once

#include <array>
#include <string>

#include "params/ParameterLayout.h"
#include "params/ProbeCatalogue.h"
#include "params/VariableTable.h"
#include "texts/LanguageTable.h"

namespace flowcfg {

// The rules that tie the parameter dialog's fields to one another. They only show, hide, enable
// or disable fields and relabel units: a disabled or hidden field keeps its value and is still
// read, saved and written.
//
// Per pipe:
// - the fields of chord k are enabled for k below the pipe's "Number of chords";
// - the probe-dependent fields follow the catalogue flag of the pipe's probe type: the wall
//   layers are shown for probes with a refraction angle (flag 0), the path length and axial
//   distance of each chord for probes without one (flag 1) or when the pipe has several chords;
// - the units of the flow fields follow their unit list ("Q Unit", "Q Ref Unit", the cut-off's
//   unit); the chord-count limits follow the chord options and the other pipe's chords;
// - the profile curve's fields are enabled only when the set has the pipe's curve block (an
//   instrument without one answers it with exception 2).
// General: the units of the general minimum and maximum, the logged parameters enabled up to
// "Nbr. of parameters", the serial numbers shown as "%02.f/%02.f/%05.f", the modules' range
// units.
class FieldRules {
public:
    FieldRules(VariableTable& table, const ParameterLayout& layout, ProbeCatalogue& catalogue,
               int language);

    // The rules of pipe 0 (A) or 1 (B); -1 the rules that are not a pipe's.
    void UpdateDependentFields(int pipe);
    void UpdateAll();
    // Which rules a change of the field calls for: 0 or 1 for a pipe's, -1 for the others, -2
    // for none.
    static int RulesFor(int controlId);

    // The unit a field shows: the entry of its unit list its unit source selects, or its unit
    // text.
    std::string UnitText(const BoundField& field);
    // The text a field's value shows (probe types by their catalogue name).
    std::string ValueText(const BoundField& field);

    // Merges probe sets A and B of block 0xE800 into the catalogue and refills the probe-type
    // lists.
    void MergeProbeSets();
    // The probe types of pipes A and B (valid while their lists are filled, or without window).
    std::array<int, 2> ProbePositions();
    // Fills the probe-type lists from the catalogue and selects the given entries: after Build
    // (with the initial values) and after a language change, which empties every list.
    void FillProbeLists(const std::array<int, 2>& positions);

    // The coefficient commands: a linearization table (0, 1) or the profile curve to 1.0, the
    // profile curve to its default. A pipe without a curve block keeps its curve fields.
    void ResetCoefficients(int pipe, int table);
    void ResetProfile(int pipe);
    void DefaultProfile(int pipe);

    void setLanguage(int language) { language_ = language; }

private:
    int integer(int controlId);
    bool hasProfileCurve(int pipe);
    void enable(int controlId, bool enabled);
    void show(int controlId, bool shown);
    void relabel(int fieldId, int sourceId);
    int unitSource(int fieldId) const;
    void serialText(int textId, int first);

    VariableTable& table_;
    const ParameterLayout& layout_;
    ProbeCatalogue& catalogue_;
    LanguageTable texts_;
    int language_;
};

}  // namespace flowcfg
