#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/FieldListLayout.h"
#include "shell/LocaleDateTime.h"
#include "shell/PrintCanvas.h"
#include "shell/PrintDevice.h"
#include "shell/PrintReport.h"
#include "shell/Prompts.h"

namespace flowcfg {

// Where a report can go: the printer the person picks in the print dialog, or the default
// printer. The desktop tool answers with the print dialog and the CUPS printers
// (ui/DialogPrinterChoice.h), the command-line tool with a PDF file or a named printer
// (print/QtPrinters.h), tests with recording devices.
class PrinterChoice {
public:
    virtual ~PrinterChoice() = default;
    // The print dialog; nullptr when the person cancels it.
    virtual std::unique_ptr<PrintDevice> askPrinter() = 0;
    // The default printer, without a dialog; nullptr when there is none.
    virtual std::unique_ptr<PrintDevice> defaultPrinter() = 0;
};

// What printing needs besides the report: the person (messages), the printers, the language of
// the messages and of "Printed at ", the user's way of writing dates and times, and the clock.
struct PrintContext {
    Prompts& prompts;
    PrinterChoice& printers;
    int language = 1;
    LocaleDateTime locale;
    std::function<LocalTime()> clock = &LocalTime::now;
};

// The report of a page, printed: on every page the page's caption as title (Arial 15 pt bold
// underlined, centred at the top), "Printed at " with the date and time at the bottom left, the
// program's "InternalName" at the bottom right, the page number at the bottom centre when there
// is more than one page, and the field list from 60 points down (FieldListLayout).
//
// Every page with a print button (settings, special settings, function, measurement, logger,
// battery) prints through printPage:
//
//     PrintReport report;
//     report.title = page.caption();                 // the window's title
//     ... report.addSection / addGroup / addField    // or params/PrintedFields.h
//     ReportPrinter printer(PrintContext{prompts, printers, language, locale});
//     int status = printer.printPage(report, mode);  // 0 printed
//
// In the desktop tool ui/PagePrinter.h does all of this for a page window in one call.
class ReportPrinter {
public:
    // The print-all sequence's mode bit (mode 129): the default printer, no dialog.
    static constexpr int kPrintAllMode = 128;
    static constexpr double kFieldListTop = 60;

    static constexpr int kTitleFlags =
        PrintCanvas::kKeepY | PrintCanvas::kPageCentre | PrintCanvas::kCentreOnX;  // 0x121
    static constexpr int kPrintedAtFlags =
        PrintCanvas::kBottom | PrintCanvas::kLeft | PrintCanvas::kKeepX;              // 0x46
    static constexpr int kVariantFlags = PrintCanvas::kBottom | PrintCanvas::kRight;  // 0x0A

    static PrintCanvas::Font titleFont();
    static PrintCanvas::Font bodyFont();
    static PrintCanvas::Font fontOf(ReportStyle style);

    explicit ReportPrinter(PrintContext context);

    // Chooses the printer (the print dialog; in print-all mode the default printer, or "You
    // have no default printer!"), then prints. 0 when printed; -1 when cancelled or failed, the
    // person having been told why: "Printer wouldn't initalize" when the document cannot be
    // started, "Could not start page" when a page cannot (the document is then aborted), "Cannot
    // write the file !" when the document cannot be completed.
    int printPage(const PrintReport& report, int mode);
    // Prints on a chosen printer whose document has not started.
    int print(const PrintReport& report, PrintDevice& device);
    // The pages of the last document printed.
    int pagesPrinted() const { return pagesPrinted_; }

    // "caption 2024-03-05 14-07-09": the name of the print job.
    static std::string documentName(const std::string& caption, const LocalTime& time);
    // "Printed at " followed by the date, three blanks and the time, in the user's format.
    std::string printedAt(const LocalTime& time);
    // The field list of `report` on pages of `canvas`'s printer.
    std::vector<ReportPage> layOut(const PrintReport& report, PrintCanvas& canvas);

private:
    void showError(int messageId);
    void drawPage(PrintCanvas& canvas, const PrintReport& report, const ReportPage& page,
                  const std::string& footer, int number, int count);

    PrintContext context_;
    int pagesPrinted_ = 0;
};

}  // namespace flowcfg
