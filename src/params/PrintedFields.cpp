#include "params/PrintedFields.h"

#include "params/ParameterRows.h"
#include "texts/LanguageTable.h"

namespace flowcfg {
namespace {

// Adds section and group titles as the fields come, so that a tab or group whose fields are
// all left out prints no title.
class ReportBuilder {
public:
    explicit ReportBuilder(const std::string& title) { report_.title = title; }

    void field(const std::string& section, const std::string& group, const std::string& caption,
               const std::string& value, const std::string& unit) {
        if (!started_ || section != section_) {
            if (!section.empty()) report_.addSection(section);
            section_ = section;
            group_.clear();
            started_ = true;
        }
        if (group != group_) {
            // A field outside any group after a group: the group ends with an empty title.
            report_.addGroup(group);
            group_ = group;
        }
        report_.addField(caption, value, unit);
    }

    PrintReport take() { return std::move(report_); }

private:
    PrintReport report_;
    std::string section_, group_;
    bool started_ = false;
};

}  // namespace

bool PrintedFields::Printed(const BoundField& field) {
    return field.isPrinted() && field.isVisible();
}

PrintReport PrintedFields::Of(ParameterPage& page, const std::string& title) {
    ReportBuilder report(title);
    const ParameterRow* before = nullptr;
    for (const ParameterRow& row : ParameterRows::Rows(page)) {
        const ParameterRow* previous = before;
        before = &row;
        if (!row.printed) continue;
        // A unit list beside a value: its choice is that value's unit already.
        if (!row.captioned && previous && previous->printed && previous->tab == row.tab &&
            !previous->unit.empty() && previous->unit == row.value)
            continue;
        report.field(row.tab, row.group, row.label, row.value, row.unit);
    }
    return report.take();
}

PrintReport PrintedFields::Of(VariableTable& table, const std::string& title) {
    return Of(table, title, {});
}

PrintReport PrintedFields::Of(VariableTable& table, const std::string& title,
                              const Labels& labels) {
    LanguageTable texts;
    const int language = table.language();
    ReportBuilder report(title);
    std::string caption, unit;
    for (BoundField& field : table.fields()) {
        const VariableDescriptor& d = field.descriptor();
        const std::string previousUnit = unit;
        const Label label = labels ? labels(field) : Label{};
        if (d.captionText) caption = texts.text(d.captionText, language);
        if (!label.caption.empty()) caption = label.caption;
        unit = !label.unit.empty()   ? label.unit
               : field.unitControl() ? field.unitControl()->text()
               : d.unitText          ? texts.text(d.unitText, language)
                                     : std::string();
        if (!Printed(field) || label.leftOut || (d.kind & VariableDescriptor::kValueKinds) == 0)
            continue;
        const std::string value = field.shownText();
        if (!d.captionText && label.caption.empty() && !previousUnit.empty() &&
            previousUnit == value)
            continue;
        const int tabTitle = d.tab >= 0 ? table.TabTitleText(d.tab) : 0;
        const std::string section = !label.section.empty() ? label.section
                                    : tabTitle             ? texts.text(tabTitle, language)
                                                           : std::string();
        report.field(section, label.group, caption, value, unit);
    }
    return report.take();
}

}  // namespace flowcfg
