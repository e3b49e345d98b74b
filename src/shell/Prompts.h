#pragma once

#include <optional>
#include <string>

namespace flowcfg {

// A file dialog as a page asks for it. The filter uses the "description|patterns|" pairs of the
// program's file types, ended by an empty pair: "Config File (*.cfg)|*.cfg||"; several
// patterns of one entry are separated by ';'.
struct FileRequest {
    enum class Mode { Open, Save };

    Mode mode = Mode::Open;
    std::string filter;
    // The file (or directory) the dialog starts on.
    std::string initialPath;
    // Without a dot ("eta"); empty when the page gives none.
    std::string defaultExtension;
    // The dialog's window title; empty for the system's usual one.
    std::string title;
};

// What the page logic needs of the person in front of the screen: message boxes and file
// choices. The desktop tool answers with dialogs, the command-line tool on the terminal, the
// tests with scripted answers. Texts arrive already translated into the page's language.
class Prompts {
public:
    virtual ~Prompts() = default;

    // An error message with an OK button; returns when it has been acknowledged.
    virtual void showError(const std::string& message, const std::string& title) = 0;
    // A question with Yes and No buttons; true for Yes.
    virtual bool askYesNo(const std::string& message, const std::string& title) = 0;
    // A file dialog; nothing when it was cancelled. An open dialog only returns an existing
    // file. A save dialog returns the name as chosen: it neither adds an extension nor asks
    // about an existing file (CFileDialogKV does both).
    virtual std::optional<std::string> chooseFile(const FileRequest& request) = 0;
};

}  // namespace flowcfg
