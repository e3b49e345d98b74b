#pragma once

#include <string>

#include "params/LayoutChooser.h"
#include "params/ParameterPage.h"
#include "params/StartDialog.h"
#include "shell/IniFile.h"

namespace flowcfg {

// Shows the parameter dialog: the desktop tool builds the page's window (controls from a
// factory), calls page.Start(factory) and, while the result is kStayOpen, runs the window until
// the page's result changes; the command-line tool and tests run the page without a window.
class ParameterDialogHost {
public:
    virtual ~ParameterDialogHost() = default;
    // The page's result when the dialog closed.
    virtual ParameterPage::Result run(ParameterPage& page) = 0;
};

// The whole "Settings" command: the start dialog (ChooseLayout), then the parameter dialog, then
// again after every structural change: the options are read back from the header of the rebuild
// file the dialog saved, written to the settings, and the dialog is built anew in mode 4 from
// that file, until it closes without asking for a rebuild. The rebuild file is gone when the
// session ends, however it ends.
class ParameterSession {
public:
    ParameterSession(const IniFile& config, PageContext context, StartDialog* startDialog,
                     ParameterDialogHost& host);

    // Where the rebuild file goes (the current directory by default).
    void setRebuildDirectory(const std::string& directory) { rebuildDirectory_ = directory; }
    // Called on each page before it is shown (flags of the command that opened it).
    void setPreparePage(std::function<void(ParameterPage&)> prepare) {
        prepare_ = std::move(prepare);
    }

    // Runs the command in `mode` (1, 2, 4, 16, 65, 129) on `source` (the settings file of modes
    // 4 and 16). The last dialog's result: ParameterPage::kOk or kCancel; LayoutChooser's 255
    // when the file's header cannot be read ("Incorrect File" has been shown).
    int Run(int mode, const std::string& source = {});

    // The number of dialogs shown by the last Run (1 + rebuilds).
    int dialogsShown() const { return dialogs_; }

private:
    const IniFile& config_;
    PageContext context_;
    StartDialog* startDialog_;
    ParameterDialogHost& host_;
    std::string rebuildDirectory_ = ".";
    std::function<void(ParameterPage&)> prepare_;
    int dialogs_ = 0;
};

}  // namespace flowcfg
