#pragma once

#include "shell/PrintReport.h"
#include "shell/ReportPrinter.h"

namespace flowcfg {

class PageDialog;

// printPage for a page window: its print button and the print-all sequence (mode 129) call
//
//     PagePrinter::printPage(*this, PrintedFields::Of(table, caption()), mode);
//
// The report goes to the printer chosen in the print dialog over the page (mode 129: the
// default printer), with the page's messages, its language and the user's locale for the date
// and time. 0 when printed, -1 when cancelled or failed (the person has been told why).
class PagePrinter {
public:
    // `printers` replaces the print dialog and the system's printers (tests, the tour);
    // `prompts` the page window's message boxes (a page whose logic has prompts of its own).
    static int printPage(PageDialog& page, const PrintReport& report, int mode,
                         PrinterChoice* printers = nullptr, Prompts* prompts = nullptr);
};

}  // namespace flowcfg
