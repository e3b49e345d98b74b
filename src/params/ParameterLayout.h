#pragma once

#include <vector>

#include "params/LayoutOptions.h"
#include "params/ParameterTab.h"
#include "params/VariableTable.h"

namespace flowcfg {

// The shape of the parameter dialog for one set of layout options: which tab pages it shows,
// and every field of the parameter set registered in the dialog's variable table with its
// controls on its tab, or without window when its tab is not shown (presentation flags 6, 7 for
// the totalizers; the linearization fields of a level below "Advanced" lie without window on
// "General", and at level "Normal" the hydraulic fields of "Advanced" lie hidden there).
//
// Tabs, in order, with the condition under which they are shown:
//   "General", "Pipe", "Definition of cords"            always
//   "Linearization"                                    level "Advanced"
//   "Pipe", "Definition of cords" of pipe B            two pipes
//   "Linearization" of pipe B                          two pipes and level "Advanced"
//   "Logger", "Totalizer(s)", "Input-output",
//   "Function"                                         their group shown
//   "Advanced"                                         level "Advanced"
class ParameterLayout {
public:
    // Builds the tab list for `options` and registers every field of the parameter set in
    // `table` (which must be empty), then the end marker. The table still has to be built.
    static ParameterLayout ApplyLayout(const LayoutOptions& options, VariableTable& table);

    const LayoutOptions& options() const { return options_; }
    // Every tab, shown or not, in the dialog's order.
    const std::vector<ParameterTab>& tabs() const { return tabs_; }
    std::vector<ParameterTab>& tabs() { return tabs_; }
    // The tabs the dialog shows, in order.
    std::vector<const ParameterTab*> shownTabs() const;
    ParameterTab* find(TabKind kind, int pipe = -1);
    const ParameterTab* find(TabKind kind, int pipe = -1) const;
    // The tab a field belongs to (shown or not); nullptr for a field of no tab.
    const ParameterTab* homeOf(int controlId) const;
    const ParameterGroup* groupOf(int controlId) const;

private:
    void addTab(TabKind kind, int pipe, int captionText, bool shown);

    LayoutOptions options_;
    std::vector<ParameterTab> tabs_;
};

}  // namespace flowcfg
