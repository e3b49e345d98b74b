#pragma once

#include <array>
#include <functional>
#include <string>

#include "params/BlockExchange.h"
#include "params/FieldRules.h"
#include "params/LayoutOptions.h"
#include "params/PageContext.h"
#include "params/PageMessages.h"
#include "params/ParameterExchange.h"
#include "params/ParameterLayout.h"
#include "params/ProbeCatalogue.h"
#include "params/ProgressView.h"
#include "params/VariableTable.h"
#include "shell/Prompts.h"

namespace flowcfg {

// The parameter dialog without its window: the whole parameter set of one instrument in a
// variable table laid out on tab pages for a set of layout options (ParameterLayout), the field
// rules (FieldRules), the probe catalogue, and the dialog's commands: read from the instrument,
// load and save a settings file, transfer to the instrument, the coefficient commands and the
// structural change that rebuilds the dialog.
//
// A window (the desktop tool's dialog) or a command (flowcfg-cli params) drives it:
//   1. construct it with the options ChooseLayout gave and the open mode;
//   2. Build(factory) once the window exists (nullptr: no controls);
//   3. Open() fills the set as the mode says (read, load, send); a result other than kStayOpen
//      closes the dialog at once;
//   4. the user's changes arrive through FieldChanged, the commands through RunCommand,
//      TransferToInstrument and SaveParameterSet; when result() is no longer kStayOpen the
//      dialog closes. kRebuild asks the caller to build the dialog again from the options in
//      the header of fileName() (ParameterSession does this).
class ParameterPage {
public:
    // Open modes.
    static constexpr int kModeRead = 1;        // read from the instrument
    static constexpr int kModeNew = 2;         // a new set, the fields' initial values
    static constexpr int kModeFile = 4;        // load a settings file
    static constexpr int kModeWriteOnly = 16;  // load a prepared file and send it
    static constexpr int kModeSave = 64;       // with read: save as `stem` + "eta" and close
    static constexpr int kModePrint = 128;     // with read: print and close

    enum Result { kStayOpen = 0, kOk = 1, kCancel = 2, kRebuild = 3 };

    static constexpr const char* kRebuildFileName = "transfertDataModifParam.eta";

    ParameterPage(const LayoutOptions& options, PageContext context, int mode,
                  const std::string& fileName = {});
    ParameterPage(const ParameterPage&) = delete;
    ParameterPage& operator=(const ParameterPage&) = delete;

    // Creates the fields (with controls from `factory`), the block groups 1 and 3 (the whole
    // set, in order), fills the probe lists and runs the field rules. 0 or -1.
    int Build(FieldControlFactory* factory = nullptr);
    // Fills the set as the open mode says. The dialog's result afterwards: kStayOpen to show it,
    // anything else to close it.
    Result Open();

    // Mode-1 opening: the identification, the firmware check and group 1. 0 or -1 (reported).
    int ReadParameterSet();
    // Mode-4 opening: group 3 from the settings file (nothing stored when any record is missing
    // or does not fit: "Incorrect File"). When the page was opened to send the file straight to
    // the instrument, the instrument's serial number is compared with the file's and the set is
    // transferred when they are equal or no confirmation is wanted. 0 or -1.
    int LoadParameterSet(const std::string& path);
    // Saves the set as a settings file whose header carries the layout. 0 or -1 (reported).
    int SaveParameterSet(const std::string& path);
    // The "Transfer" command (ParameterTransfer); the dialog closes with OK once written.
    int TransferToInstrument();
    // Takes over the blocks another page has read (the start dialog's read), as if read.
    void AdoptBlocks(ParameterPage& source);
    // Open() takes the blocks of `source` instead of reading them again (mode 1 after the
    // start dialog's read). `source` must live until Open() has run.
    void setReadSource(ParameterPage* source) { readSource_ = source; }
    // Build and Open in one: what a window does once it exists.
    Result Start(FieldControlFactory* factory);

    // The user changed a field: runs the rules that depend on it and, for a field that
    // changes the layout, the structural change. The page's result afterwards.
    Result FieldChanged(int controlId);
    // True when the field is one that decides the layout (parameter level, logger, totalizers,
    // inputs-outputs, number of pipes) and its value differs from the layout's.
    bool LayoutChanged(int controlId);
    // Saves the set as the rebuild file with the layout its fields now ask for, switches to
    // mode 4 on that file and asks the caller for a rebuild. 0 or -1.
    int SaveLayoutChangeAndRebuild();
    // The tabs' command buttons (ParameterCommand ids).
    void RunCommand(int commandId);
    // Runs every field rule (after a read, a load, or a change made by the program).
    void UpdateDependentFields(int pipe);
    int SetLanguage(int language);

    // The options the fields ask for now: the layout's, with the structural fields' values.
    LayoutOptions RequestedOptions();

    VariableTable& table() { return table_; }
    const ParameterLayout& layout() const { return layout_; }
    const LayoutOptions& options() const { return layout_.options(); }
    ProbeCatalogue& catalogue() { return catalogue_; }
    FieldRules& rules() { return rules_; }
    PageMessages& messages() { return messages_; }
    ParameterExchange& exchange() { return exchange_; }
    int mode() const { return mode_; }
    Result result() const { return result_; }
    void setResult(Result result) { result_ = result; }

    // The settings file the page works on (the rebuild file while it rebuilds).
    const std::string& fileName() const { return fileName_; }
    // What the caption shows: the file the set was first loaded from, and " (Changed)" after a
    // rebuild of a loaded set.
    const std::string& captionFile() const { return captionFile_; }
    std::string captionExtra();
    void setCaptionFile(const std::string& file, bool changed);

    // Flags of the callers that open the page for a purpose.
    void setNoConfirmation(bool value) { noConfirmation_ = value; }
    void setSendToInstrument(bool value) { sendToInstrument_ = value; }
    void setSynchronise(bool value) { synchronise_ = value; }
    void setResetLogger(bool value) { resetLogger_ = value; }
    // The page opens on the rebuild file of the previous page: it deletes the file once it has
    // loaded it (or failed to) and shows no file name of its own.
    void setFromRebuild(bool value) { fromRebuild_ = value; }
    // Where the rebuild file goes (the current directory by default).
    void setRebuildDirectory(const std::string& directory) { rebuildDirectory_ = directory; }
    std::string rebuildPath() const;
    // The file stem of the save-all sequence (mode 64).
    void setSaveStem(const std::string& stem) { saveStem_ = stem; }
    // What prints the set in the print-all sequence (mode 128): 0 when printed.
    void setPrintHook(std::function<int(ParameterPage&)> print) { print_ = std::move(print); }
    // The serial number of the instrument ("%02.f/%02.f/%05.f" of its identification) and of the
    // set (its identity block).
    std::string InstrumentSerial();
    std::string SetSerial();

private:
    void afterStore(int address);
    void syncChordLayout();
    int sendLoadedSet();
    int fieldInteger(int controlId);

    VariableTable table_;
    ParameterLayout layout_;
    ProbeCatalogue catalogue_;
    PageMessages messages_;
    FieldRules rules_;
    ProgressView& progress_;
    BlockExchange& line_;
    ParameterExchange exchange_;
    int mode_;
    Result result_ = kStayOpen;
    std::string fileName_;
    std::string captionFile_;
    bool changed_ = false;
    bool noConfirmation_ = false;
    bool sendToInstrument_ = false;
    bool synchronise_ = false;
    bool resetLogger_ = false;
    bool adopted_ = false;
    bool fromRebuild_ = false;
    ParameterPage* readSource_ = nullptr;
    std::string rebuildDirectory_ = ".";
    std::string saveStem_;
    std::function<int(ParameterPage&)> print_;
};

}  // namespace flowcfg
