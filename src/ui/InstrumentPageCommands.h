#pragma once

#include <string>

#include "ui/ForwardingPrompts.h"
#include "ui/WidgetProgress.h"

namespace flowcfg {

class MainWindow;

// The main window's commands of the special settings, factory settings and function pages:
// "Réglage S&pécial" of "&Dialogue" (mode 1) and of "&Nouveau" (mode 2), "Réglage &Usine",
// "Fonction" of "&Dialogue" and "&Nouveau", and "&Ouvrir" on ".rsp", ".rus" and ".fct" files
// (mode 4). Each opens its page on the configured link.
class InstrumentPageCommands {
public:
    // Registers the commands and the file types with `window`, which must outlive this object.
    explicit InstrumentPageCommands(MainWindow& window);
    ~InstrumentPageCommands();

    int runSpecial(int mode, const std::string& file = {});
    int runFactory(int mode, const std::string& file = {});
    int runFunctions(int mode, const std::string& file = {});

private:
    template <class Page, class Dialog>
    int run(int mode, const std::string& file);

    MainWindow& window_;
    ForwardingPrompts prompts_;
    WidgetProgress progress_;
};

}  // namespace flowcfg
