#include "ui/WidgetPrompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "shell/FileFilter.h"
#include "shell/PageBase.h"

namespace flowcfg {
namespace {

constexpr int kYesNoListId = 84;  // "Oui", "Non"

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

WidgetPrompts::WidgetPrompts(QWidget* window, PageBase& page) : window_(window), page_(page) {}

void WidgetPrompts::showError(const std::string& message, const std::string& title) {
    QMessageBox box(QMessageBox::Critical, qs(title), qs(message), QMessageBox::Ok, window_);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

bool WidgetPrompts::askYesNo(const std::string& message, const std::string& title) {
    QMessageBox box(QMessageBox::Question, qs(title), qs(message), QMessageBox::NoButton, window_);
    box.setWindowModality(Qt::ApplicationModal);
    QPushButton* yes = box.addButton(qs(page_.item(kYesNoListId, 0)), QMessageBox::YesRole);
    QPushButton* no = box.addButton(qs(page_.item(kYesNoListId, 1)), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

QStringList WidgetPrompts::nameFilters(const std::string& filter) {
    QStringList out;
    for (const auto& entry : parseFileFilter(filter)) {
        QStringList patterns;
        for (const auto& p : splitPatterns(entry.patterns))
            patterns << qs(p);
        // The description usually ends with its patterns in brackets; Qt reads the patterns
        // from there, separated by blanks, so they are written again that way.
        QString description = qs(entry.description).trimmed();
        if (description.endsWith(QLatin1Char(')'))) {
            int bracket = description.lastIndexOf(QLatin1Char('('));
            if (bracket >= 0) description = description.left(bracket).trimmed();
        }
        QString spaced = patterns.join(QLatin1Char(' '));
        if (description.isEmpty() || description == patterns.join(QLatin1Char(';')))
            out << spaced;
        else
            out << description + QStringLiteral(" (") + spaced + QLatin1Char(')');
    }
    return out;
}

void WidgetPrompts::prepareDialog(QFileDialog& dialog, const FileRequest& request) {
    bool save = request.mode == FileRequest::Mode::Save;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList filters = nameFilters(request.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!request.title.empty()) dialog.setWindowTitle(qs(request.title));
    QFileInfo start(qs(request.initialPath));
    if (!request.initialPath.empty()) {
        if (start.isDir()) {
            dialog.setDirectory(start.absoluteFilePath());
        } else {
            dialog.setDirectory(start.absolutePath());
            dialog.selectFile(start.fileName());
        }
    }
}

std::optional<std::string> WidgetPrompts::chooseFile(const FileRequest& request) {
    QFileDialog dialog(window_);
    prepareDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace flowcfg
