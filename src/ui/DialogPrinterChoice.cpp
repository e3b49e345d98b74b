#include "ui/DialogPrinterChoice.h"

#include <QPrintDialog>
#include <QPrinter>

#include "print/QtPrinters.h"

namespace flowcfg {

std::unique_ptr<PrintDevice> DialogPrinterChoice::askPrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (printer->outputFormat() == QPrinter::PdfFormat && !suggestedPdf_.empty())
        printer->setOutputFileName(QString::fromStdString(suggestedPdf_));
    QPrintDialog dialog(printer.get(), parent_);
    prepareDialog(dialog);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return std::make_unique<QtPrintDevice>(std::move(printer));
}

void DialogPrinterChoice::prepareDialog(QPrintDialog& dialog) {
    // A report is printed whole; printing to a PDF file stays, as on a machine without a
    // printer it is the only way to a printout.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
}

std::unique_ptr<PrintDevice> DialogPrinterChoice::defaultPrinter() {
    return QtPrinters::systemDefault();
}

}  // namespace flowcfg
