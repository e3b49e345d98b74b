#pragma once

#include <string>

#include "shell/ReportPrinter.h"

class QPrintDialog;
class QWidget;

namespace flowcfg {

// The desktop tool's printers: the print dialog over a page's window (printer, copies, page
// size, or a PDF file; no page range, no selection), and the system's default printer.
class DialogPrinterChoice : public PrinterChoice {
public:
    // `suggestedPdf`: the file the dialog offers when printing to a PDF file.
    DialogPrinterChoice(QWidget* parent, std::string suggestedPdf)
        : parent_(parent), suggestedPdf_(std::move(suggestedPdf)) {}

    std::unique_ptr<PrintDevice> askPrinter() override;
    // The options of the dialog askPrinter shows (the screenshot tour shows it as well).
    static void prepareDialog(QPrintDialog& dialog);
    std::unique_ptr<PrintDevice> defaultPrinter() override;

private:
    QWidget* parent_;
    std::string suggestedPdf_;
};

}  // namespace flowcfg
