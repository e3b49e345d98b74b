#pragma once

#include <string>
#include <vector>

namespace flowcfg {

// One line of a page's field list as it is printed: the title of a tab (a section), the title
// of a group of fields inside it, or one field with its caption, value and unit.
struct ReportLine {
    enum class Kind { Section, Group, Field };
    Kind kind = Kind::Field;
    std::string caption;
    std::string value;
    std::string unit;
    bool operator==(const ReportLine&) const = default;
};

// What a page prints: its title (the page caption) and its field list, in the order the page
// shows them. Pages fill it from their fields (params/PrintedFields.h does it for a variable
// table and for the settings page); ReportPrinter prints it.
struct PrintReport {
    std::string title;
    std::vector<ReportLine> lines;

    void addSection(const std::string& title);
    // The fields that follow belong to the group `title`; an empty title ends the group.
    void addGroup(const std::string& title);
    void addField(const std::string& caption, const std::string& value,
                  const std::string& unit = {});
    // The number of field lines.
    std::size_t fieldCount() const;
};

}  // namespace flowcfg
