#pragma once

#include <functional>
#include <string>

#include "params/BoundField.h"
#include "params/ParameterPage.h"
#include "params/VariableTable.h"
#include "shell/PrintReport.h"

namespace flowcfg {

// The field list a page prints: every field that printouts do not leave out (presentation
// flags 0x01 and 0x02) and that its page shows, with its caption, the value as the page shows
// it and its unit, under the titles of its tab and group. A field without a caption of its own
// stands beside the field before it on the page; it is printed with that field's caption,
// except a unit list, whose choice already is the unit printed beside that field's value.
class PrintedFields {
public:
    // The settings page, tab by tab and group by group as its dialog shows them.
    static PrintReport Of(ParameterPage& page, const std::string& title);
    // Any page's table, in registration order, each field under the title of its tab
    // (VariableTable::RegisterTab; fields of the page itself come without one).
    static PrintReport Of(VariableTable& table, const std::string& title);
    // What a page shows of a field beyond its descriptor, computed from the instrument's
    // values: the title of its tab, the group it stands in, its caption, its unit (each empty:
    // the descriptor's), or that the page does not show it at all.
    struct Label {
        std::string section, group, caption, unit;
        bool leftOut = false;
    };
    using Labels = std::function<Label(const BoundField&)>;
    static PrintReport Of(VariableTable& table, const std::string& title, const Labels& labels);

    static bool Printed(const BoundField& field);
};

}  // namespace flowcfg
