#pragma once

#include <string>
#include <vector>

#include "params/ParameterPage.h"

namespace flowcfg {

// The parameter set as lines of text, one per field, tab by tab in the dialog's order: what the
// command-line tool prints and compares. Fields of tabs the layout does not show are listed
// under their tab all the same: they are part of the set.
struct ParameterRow {
    int controlId = 0;
    std::string tab;      // the tab's title ("Pipe B" for pipe B's tabs)
    std::string caption;  // "group title: caption", or what of it there is
    std::string value;    // as the dialog shows it (list entries by their text)
    std::string unit;
    std::string group{};     // the group's title; empty for fields without one
    std::string label{};     // the field's own caption (the one before it for a captionless field)
    bool captioned = false;  // the field has a caption of its own
    bool printed = false;    // printouts show it (BoundField::isPrinted, and shown on its page)
};

class ParameterRows {
public:
    static std::vector<ParameterRow> Rows(ParameterPage& page);
    // "tab<TAB>caption<TAB>value<TAB>unit".
    static std::string Line(const ParameterRow& row);
};

}  // namespace flowcfg
