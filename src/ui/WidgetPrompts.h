#pragma once

#include <QString>
#include <QStringList>

#include "shell/Prompts.h"

class QWidget;
class QFileDialog;

namespace flowcfg {

class PageBase;

// The page's message boxes and file dialogs as Qt dialogs over the page's window. Button texts
// come from the text table in the page's language, so a French page asks "Oui" or "Non".
class WidgetPrompts : public Prompts {
public:
    WidgetPrompts(QWidget* window, PageBase& page);

    void showError(const std::string& message, const std::string& title) override;
    bool askYesNo(const std::string& message, const std::string& title) override;
    std::optional<std::string> chooseFile(const FileRequest& request) override;

    // The Qt name filters for a filter of "description|patterns|" pairs: "Setting File
    // (*.eta)", "Fichier (*.eta *.fct)".
    static QStringList nameFilters(const std::string& filter);
    // The dialog a request opens, ready to run (the screenshot tour shows it).
    static void prepareDialog(QFileDialog& dialog, const FileRequest& request);

private:
    QWidget* window_;
    PageBase& page_;
};

}  // namespace flowcfg
