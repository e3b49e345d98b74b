#pragma once

#include <string>

#include "params/ParameterSession.h"
#include "ui/ForwardingPrompts.h"
#include "ui/WidgetProgress.h"

namespace flowcfg {

class MainWindow;
class PrinterChoice;

// The "Settings" commands of the main window: "&Paramétrage" of "&Dialogue" (read from the
// instrument, mode 1), of "&Nouveau" (a new set, mode 2), and "&Ouvrir" for settings files
// (mode 4). Each runs the whole session (start dialog, parameter dialog, rebuilds) on the
// configured link, with the parameter dialogs as its windows.
class ParameterCommands : public ParameterDialogHost {
public:
    // Registers the commands and the file type with `window`, which must outlive this object.
    explicit ParameterCommands(MainWindow& window);
    ~ParameterCommands() override;

    // Runs the session in `mode` on `source` (the settings file of modes 4 and 16); `stem` is
    // where mode 65 saves ("NAME." + "eta"). ParameterPage::kOk when the page ended with OK.
    int runSession(int mode, const std::string& source = {}, const std::string& stem = {});
    // Where the pages print instead of the print dialog and the system's printers.
    void setPrinters(PrinterChoice* printers) { printers_ = printers; }

    ParameterPage::Result run(ParameterPage& page) override;

private:
    MainWindow& window_;
    ForwardingPrompts prompts_;
    WidgetProgress progress_;
    PrinterChoice* printers_ = nullptr;
};

}  // namespace flowcfg
