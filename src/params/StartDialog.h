#pragma once

#include "params/LayoutOptions.h"

namespace flowcfg {

// The small dialog that precedes the parameter dialog, as the person sees it: it shows the
// layout options ChooseLayout has filled (instrument type, parameter level, shown groups, pipes,
// chords, the module list) and lets them be changed before the parameter dialog opens.
class StartDialog {
public:
    virtual ~StartDialog() = default;
    // Shows the options for `mode`; false when the dialog was cancelled.
    virtual bool confirm(LayoutOptions& options, int mode) = 0;
};

// Confirms whatever it is shown (the command-line tool and sequences without a person).
class AcceptingStartDialog : public StartDialog {
public:
    bool confirm(LayoutOptions&, int) override { return true; }
};

}  // namespace flowcfg
