#pragma once

#include <string>
#include <vector>

#include "params/PageMessages.h"
#include "params/ParameterComparison.h"
#include "ui/PageDialog.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace flowcfg {

// The parameter dialog's "Compare" window: the fields whose values differ between the set the
// dialog holds and a settings file, one line each in a table (tab, parameter, the value in the
// dialog's set, the value in the file, headed by the file's name), under a line that says how
// many differ or that the sets are the same. Texts are in the language of the parameter page.
// It only shows: closing it changes nothing.
class ParameterComparisonWindow : public PageDialog {
    Q_OBJECT
public:
    enum Column { kTabColumn, kParameterColumn, kSetColumn, kFileColumn, kColumns };

    ParameterComparisonWindow(Application& application, PageMessages& texts,
                              const std::string& filePath,
                              const std::vector<ParameterDifference>& differences,
                              QWidget* parent = nullptr);

    QTableWidget* table() const { return table_; }
    QLabel* summary() const { return summary_; }
    QPushButton* closeButton() const { return close_; }

    // The line above the table: "One parameter differs", "%d parameters differ" with the count,
    // or "The two parameter sets are the same".
    static std::string summaryText(PageMessages& texts, std::size_t differences);

private:
    void fill(const std::vector<ParameterDifference>& differences);

    QLabel* summary_;
    QTableWidget* table_;
    QPushButton* close_;
};

}  // namespace flowcfg
