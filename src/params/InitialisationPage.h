#pragma once

#include <optional>

#include "params/PageSequences.h"
#include "params/VariableTable.h"
#include "shell/PageBase.h"

namespace flowcfg {

class FieldControlFactory;

// "I&nitialisation": two Yes/No choices, the settings and the factory settings, and
// "Transfert", which asks for the prepared file of each chosen page (a settings file, a
// factory settings file, in open dialogs starting in the save directory), sends them to
// whichever instrument is on the line (JBus address 0 for the length of the sequence) and
// closes the page with OK when every page that ran did. A cancelled file dialog stops before
// anything is sent or changed.
class InitialisationPage : public PageBase {
public:
    static constexpr int kSettingsField = 1061;
    static constexpr int kFactorySettingsField = 1175;
    static constexpr int kTransferButton = 5041;
    static constexpr int kCaptionText = 510;       // "Initialization"
    static constexpr int kSettingsFileTitle = 42;  // "Settings file to transfer"
    static constexpr int kFactoryFileTitle = 43;   // "Factory settings file to transfer"

    InitialisationPage(Application& application, Prompts& prompts, SequenceRunner& runner);

    // Creates the two fields (with controls from `factory`), both at "No". 0 or -1.
    int Build(FieldControlFactory* factory = nullptr);
    // "Transfert". When a file dialog is cancelled: not OK, stopped at its page, nothing ran.
    SequenceResult Transfer();
    // The files of the chosen pages; nothing when a dialog was cancelled, `cancelled` then
    // names its page.
    std::optional<InitialisationFiles> ChooseFiles(SequencePage& cancelled);

    // A choice: true for "Yes".
    bool chosen(int field);
    void choose(int field, bool yes);
    // The wait state, while the pages run.
    bool busy() const { return busy_; }
    // The page ended with OK and closes.
    bool closedWithOk() const { return closedWithOk_; }
    VariableTable& table() { return table_; }

private:
    SequenceRunner& runner_;
    VariableTable table_;
    bool busy_ = false;
    bool closedWithOk_ = false;
};

}  // namespace flowcfg
