#pragma once

#include <optional>
#include <string>
#include <vector>

#include "params/PageSequences.h"
#include "ui/DesktopSequenceRunner.h"

namespace flowcfg {

class MainWindow;

// The main window's sequences: "&Sauvegarder tout" (the save dialog, then the settings,
// special settings and function pages saved under the chosen stem and a short recording into
// it), "&Imprimer tout" (the same three pages printed on the default printer) and
// "I&nitialisation" (the initialisation window). Every page runs through the commands the menu
// uses for it.
class SequenceCommands {
public:
    static constexpr int kFileText = 223;  // "Fichier"

    // Registers the commands with `window`; every object must outlive this one.
    SequenceCommands(MainWindow& window, ParameterCommands& settings,
                     InstrumentPageCommands& instrumentPages, MeasurementCommands& measurement);
    ~SequenceCommands();

    // The extensions the saving sequence writes: eta, rsp, fct, mes.
    static const std::vector<std::string>& saveAllExtensions();

    // Nothing when the save dialog was cancelled.
    std::optional<SequenceResult> saveAll();
    SequenceResult printAll();
    // The initialisation window; QDialog::Accepted when it closed with OK.
    int initialise();

private:
    MainWindow& window_;
    DesktopSequenceRunner runner_;
};

}  // namespace flowcfg
