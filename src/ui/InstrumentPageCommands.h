#pragma once

#include <string>

#include "ui/ForwardingPrompts.h"
#include "ui/WidgetProgress.h"

namespace flowcfg {

class MainWindow;
class PrinterChoice;

// The main window's commands of the special settings, factory settings and function pages:
// "Réglage S&pécial" of "&Dialogue" (mode 1) and of "&Nouveau" (mode 2), "Réglage &Usine",
// "Fonction" of "&Dialogue" and "&Nouveau", and "&Ouvrir" on ".rsp", ".rus" and ".fct" files
// (mode 4). Each opens its page on the configured link.
class InstrumentPageCommands {
public:
    // Registers the commands and the file types with `window`, which must outlive this object.
    explicit InstrumentPageCommands(MainWindow& window);
    ~InstrumentPageCommands();

    // Each opens its page in `mode` on `file` (modes 4 and 16); `stem` is where mode 65 saves
    // ("NAME." + the page's extension). BlockPage::kOk when the page ended with OK.
    int runSpecial(int mode, const std::string& file = {}, const std::string& stem = {});
    int runFactory(int mode, const std::string& file = {}, const std::string& stem = {});
    int runFunctions(int mode, const std::string& file = {}, const std::string& stem = {});
    // Where the pages print instead of the print dialog and the system's printers.
    void setPrinters(PrinterChoice* printers) { printers_ = printers; }

private:
    template <class Page, class Dialog>
    int run(int mode, const std::string& file, const std::string& stem);

    MainWindow& window_;
    ForwardingPrompts prompts_;
    WidgetProgress progress_;
    PrinterChoice* printers_ = nullptr;
};

}  // namespace flowcfg
