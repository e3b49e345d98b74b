#include "shell/PrintReport.h"

#include <algorithm>

namespace flowcfg {

void PrintReport::addSection(const std::string& title) {
    lines.push_back({ReportLine::Kind::Section, title, {}, {}});
}

void PrintReport::addGroup(const std::string& title) {
    lines.push_back({ReportLine::Kind::Group, title, {}, {}});
}

void PrintReport::addField(const std::string& caption, const std::string& value,
                           const std::string& unit) {
    lines.push_back({ReportLine::Kind::Field, caption, value, unit});
}

std::size_t PrintReport::fieldCount() const {
    return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [](const auto& l) {
        return l.kind == ReportLine::Kind::Field;
    }));
}

}  // namespace flowcfg
