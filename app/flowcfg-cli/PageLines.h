#pragma once

#include <ostream>

#include "params/PrintedFields.h"
#include "params/VariableTable.h"

namespace flowcfg::cli {

// A page's fields as its printout lists them, one line each: "tab<TAB>caption<TAB>value<TAB>unit".
inline void printPageLines(VariableTable& table, std::ostream& out) {
    for (const ReportLine& line : PrintedFields::Of(table, {}).lines) {
        if (line.kind == ReportLine::Kind::Section) continue;
        if (line.kind == ReportLine::Kind::Group) continue;
        out << line.caption << "\t" << line.value << "\t" << line.unit << "\n";
    }
}

}  // namespace flowcfg::cli
