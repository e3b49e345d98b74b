#include "ui/MacroPathDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/PageBase.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

MacroPathDialog::MacroPathDialog(PageBase& page, QWidget* parent)
    : QDialog(parent), page_(page), message_(new QLabel(this)), path_(new QLineEdit(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message_);
    auto* row = new QHBoxLayout;
    path_->setMinimumWidth(420);
    row->addWidget(path_, 1);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setAutoDefault(false);
    row->addWidget(browse);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QDialogButtonBox::Ok)->setDefault(true);
    buttons->addButton(qs(page_.text(textid::kTextCancel)), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(browse, &QPushButton::clicked, this, &MacroPathDialog::browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void MacroPathDialog::prepare(const std::string& message, const std::string& title,
                              const std::string& path) {
    setWindowTitle(qs(title));
    // The text's line breaks are the dialog's own: its lines start without the blank after them.
    QString text = qs(message);
    text.replace(QStringLiteral("\n "), QStringLiteral("\n"));
    message_->setText(text);
    path_->setText(qs(path));
}

std::optional<std::string> MacroPathDialog::chooseMacro(const std::string& message,
                                                        const std::string& title,
                                                        const std::string& path) {
    prepare(message, title, path);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return path_->text().toStdString();
}

void MacroPathDialog::browse() {
    QFileDialog dialog(this);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QFileInfo current(path_->text());
    if (!path_->text().isEmpty()) {
        dialog.setDirectory(current.isDir() ? current.absoluteFilePath() : current.absolutePath());
        if (!current.isDir()) dialog.selectFile(current.fileName());
    }
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        path_->setText(dialog.selectedFiles().first());
}

}  // namespace flowcfg
