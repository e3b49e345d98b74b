#include "params/ParameterRows.h"

namespace flowcfg {

std::vector<ParameterRow> ParameterRows::Rows(ParameterPage& page) {
    std::vector<ParameterRow> rows;
    PageMessages& texts = page.messages();
    for (const ParameterTab& tab : page.layout().tabs()) {
        const std::string tabTitle = texts.text(tab.captionText) + tab.captionSuffix;
        for (const ParameterGroup& group : tab.groups) {
            const std::string title =
                group.titleText ? texts.text(group.titleText) + group.titleSuffix : std::string();
            std::string previous, previousLabel;
            for (int id : group.fields) {
                BoundField* field = page.table().FindField(id);
                if (!field) continue;
                ParameterRow row;
                row.controlId = id;
                row.tab = tabTitle;
                row.group = title;
                const int caption = field->descriptor().captionText;
                row.captioned = caption != 0;
                if (caption) {
                    row.label = texts.text(caption);
                    row.caption = title.empty() ? row.label : title + ": " + row.label;
                } else {
                    row.label = previousLabel;
                    row.caption = previous.empty() ? title : previous;
                }
                previous = row.caption;
                previousLabel = row.label;
                row.printed = field->isPrinted() && field->isVisible();
                row.value = page.rules().ValueText(*field);
                row.unit = page.rules().UnitText(*field);
                rows.push_back(std::move(row));
            }
        }
    }
    return rows;
}

std::string ParameterRows::Line(const ParameterRow& row) {
    return row.tab + "\t" + row.caption + "\t" + row.value + "\t" + row.unit;
}

}  // namespace flowcfg
