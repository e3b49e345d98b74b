#pragma once

#include <string>

#include "shell/Prompts.h"

namespace flowcfg {

class PageBase;

// Loading a configuration file and saving the current one under a new name. Both go through
// the page that asks (its language, its prompts) and change the application's current
// configuration file; the caller then refreshes its window (caption, language, menu).
class ConfigurationFiles {
public:
    static constexpr int kCannotCreateTextId = 205;  // "Impossible d'ouvrir le fichier ..."
    static constexpr int kSameFileTextId = 208;      // "Fichier source identique ..."
    static constexpr int kFellBackTextId = 209;      // "La sauvegarde a échoué ..."
    static constexpr int kErrorTextId = 212;         // "Erreur"

    enum class Result {
        Cancelled,  // the dialog was cancelled: nothing changed
        Refused,    // the current file itself was chosen: nothing changed
        Failed,     // the new file could not be created: nothing changed
        FellBack,   // the copy failed: the default file is now current
        Saved,      // the new file is a copy of the current one and is now current
        Loaded,     // the chosen file is now current
    };

    explicit ConfigurationFiles(PageBase& page) : page_(page) {}

    // "Config File (*.Zq4xxKRw03)|*.Zq4xxKRw03||": the files of this program variant.
    static std::string filter(const std::string& variantName);
    // The dialog for configuration files, starting on the current one.
    FileRequest request(FileRequest::Mode mode) const;
    // The current file as the caption shows it: its path without the extension.
    static std::string captionName(const std::string& configPath);

    // Asks for a name (with the overwrite question) and saves the current file under it.
    Result saveConfigurationAs();
    // The saving itself, once the name is known (the options page uses it too).
    Result saveAs(const std::string& path);
    // Asks for an existing file and makes it current; start-up's settings are read again.
    Result loadConfiguration();

private:
    PageBase& page_;
};

}  // namespace flowcfg
