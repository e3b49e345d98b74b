#include "ui/PagePrinter.h"

#include <filesystem>

#include "print/QtPrinters.h"
#include "shell/PageCaption.h"
#include "ui/DialogPrinterChoice.h"
#include "ui/PageDialog.h"

namespace flowcfg {

namespace {

// "site.pdf" in the save directory for a page showing ".../site.eta"; the page's own title
// for a page without a file.
std::string suggestedPdf(const PageDialog& page, const std::string& title) {
    const std::size_t separator = title.rfind(PageCaption::kSeparator);
    std::string name = separator == std::string::npos
                           ? title
                           : title.substr(separator + std::string(PageCaption::kSeparator).size());
    name = std::filesystem::path(name).stem().string();
    for (char& c : name)
        if (c == '/' || c == '.') c = '-';
    if (name.empty()) name = "report";
    return (std::filesystem::path(page.settings().saveDirectory) / (name + ".pdf")).string();
}

}  // namespace

int PagePrinter::printPage(PageDialog& page, const PrintReport& report, int mode,
                           PrinterChoice* printers, Prompts* prompts) {
    DialogPrinterChoice dialog(&page, suggestedPdf(page, report.title));
    ReportPrinter printer(PrintContext{prompts ? *prompts : page.prompts(),
                                       printers ? *printers : dialog, page.language(),
                                       QtPrinters::dateTimeFormat()});
    return printer.printPage(report, mode);
}

}  // namespace flowcfg
