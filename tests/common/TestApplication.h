#pragma once

#include <string>

#include "common/TempDir.h"
#include "shell/Application.h"
#include "shell/SettingsKeys.h"

namespace flowcfg::testing {

// An application started in a fresh directory, as on a first start: "last.cfg", the default
// configuration file and "Data/" live in dir.
struct TestApplication {
    TempDir dir;
    Application app;

    TestApplication() : app(environment(dir), RegistryStore(dir.file("registry.ini"))) {
        app.loadSettings(keys::kDefaultPrefix);
        app.reloadLinkSettings();
    }

    static StartupEnvironment environment(const TempDir& dir) {
        StartupEnvironment env;
        env.executableDirectory = dir.path();
        env.userConfigDirectory = dir.file("user/");
        return env;
    }

    const std::string& configPath() const { return app.settings().configFilePath; }
    IniFile config() const { return IniFile(configPath()); }
};

}  // namespace flowcfg::testing
