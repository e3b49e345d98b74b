#pragma once

#include <QFileDialog>
#include <QLineEdit>
#include <QString>

namespace flowcfg::testing {

// Types `name` into a file dialog's name box and presses its accepting button, as the person
// would (selectFile leaves the box alone while it has the focus).
inline void typeFileName(QFileDialog* dialog, const QString& name) {
    if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        edit->setText(name);
    else
        dialog->selectFile(name);
    static_cast<QDialog*>(dialog)->accept();  // runs QFileDialog's own checks
}

}  // namespace flowcfg::testing
