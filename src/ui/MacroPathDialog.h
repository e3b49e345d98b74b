#pragma once

#include <QDialog>

#include "acquisition/ExportColumns.h"

class QLabel;
class QLineEdit;

namespace flowcfg {

class PageBase;

// The macro dialog of the export: the text that explains the choice, the macro workbook's path
// to edit (with "..." to look for it), OK to export with the macro, Cancel to go on without it.
class MacroPathDialog : public QDialog, public MacroDialog {
    Q_OBJECT
public:
    MacroPathDialog(PageBase& page, QWidget* parent);

    std::optional<std::string> chooseMacro(const std::string& message, const std::string& title,
                                           const std::string& path) override;

    // Shows the dialog's content without running it (the screenshot tour).
    void prepare(const std::string& message, const std::string& title, const std::string& path);
    QLineEdit* pathEdit() const { return path_; }

private:
    void browse();

    PageBase& page_;
    QLabel* message_;
    QLineEdit* path_;
};

}  // namespace flowcfg
