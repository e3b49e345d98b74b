#pragma once

#include <QLocale>
#include <functional>
#include <memory>
#include <string>

#include "print/QtPrintDevice.h"
#include "shell/LocaleDateTime.h"
#include "shell/ReportPrinter.h"

namespace flowcfg {

// The printers of the system (CUPS) and PDF files, as report devices.
class QtPrinters {
public:
    // Margins of a PDF report, as a printer's own margins would be.
    static constexpr double kPdfMarginMillimetres = 12;

    // A PDF file at `path`, in the page size of the user's locale (A4 or Letter).
    static std::unique_ptr<QtPrintDevice> pdfFile(const std::string& path);
    // The CUPS printer of that name; nullptr when the system has none.
    static std::unique_ptr<QtPrintDevice> named(const std::string& name);
    // The default printer; nullptr when the system has none.
    static std::unique_ptr<QtPrintDevice> systemDefault();

    // How `locale` writes short dates and times: the order of day, month and year from its
    // short date format, the separators, and 12-hour time when its time format has AM / PM.
    static LocaleDateTime dateTimeFormat(const QLocale& locale = QLocale::system());
};

// One device for every request: the command-line tool's --pdf and --printer, the screenshot
// tour's PDF files. nullptr from the factory means no such printer.
class FixedPrinterChoice : public PrinterChoice {
public:
    explicit FixedPrinterChoice(std::function<std::unique_ptr<PrintDevice>()> make)
        : make_(std::move(make)) {}
    std::unique_ptr<PrintDevice> askPrinter() override { return make_(); }
    std::unique_ptr<PrintDevice> defaultPrinter() override { return make_(); }

private:
    std::function<std::unique_ptr<PrintDevice>()> make_;
};

}  // namespace flowcfg
