#pragma once

#include <string>
#include <string_view>

#include "shell/AppSettings.h"
#include "shell/IniFile.h"
#include "shell/RegistryStore.h"
#include "shell/StartupEnvironment.h"

namespace flowcfg {

// The application object: the program-wide settings, the run-time modem flag, and the start-up
// and exit steps that fill and save them. One per process in the programs; tests make their own
// with a prepared environment.
class Application {
public:
    Application(StartupEnvironment environment, RegistryStore registry);
    // Saves "Path File Save" into the current configuration file when start-up has run.
    ~Application();

    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // What start-up does with "last.cfg": the desktop tool records the configuration file it
    // uses there (and the logo's announcement); a one-run command (flowcfg-cli) only reads it, so
    // that it never changes what the desktop tool opens next.
    enum class LastConfigUse { Record, ReadOnly };

    // Decides the current configuration file and fills the settings (see the .cpp for the
    // steps). `defaultPrefix` is "default." at start-up.
    void loadSettings(std::string_view defaultPrefix, LastConfigUse use = LastConfigUse::Record);
    // Records the current configuration file in "last.cfg".
    void saveLastConfig();
    // Re-reads "Use modem" from the configuration file and "NbEnrMax4Fichier" from "last.cfg".
    void reloadLinkSettings();
    // Makes `path` the current configuration file: records it, reloads the settings and the
    // link settings (after a configuration is loaded or saved under a new name).
    void switchConfigFile(const std::string& path);
    // Writes the save directory to the configuration file, as done on exit.
    void saveSaveDirectory();

    const AppSettings& settings() const { return settings_; }
    AppSettings& settings() { return settings_; }
    const StartupEnvironment& environment() const { return environment_; }
    const RegistryStore& registry() const { return registry_; }

    // The "last.cfg" of the program directory.
    std::string lastConfigPath() const;
    // The default configuration file: program directory + prefix + variant name.
    std::string defaultConfigPath(std::string_view defaultPrefix) const;
    // The logo picture: the executable's directory first, then the program directory.
    std::string logoPath() const;

    // 1 while a modem connection is up (set by the modem dialog).
    bool modemConnected = false;

private:
    std::string resolveSpreadsheetPath(const IniFile& config) const;

    StartupEnvironment environment_;
    RegistryStore registry_;
    AppSettings settings_;
    bool started_ = false;
};

}  // namespace flowcfg
