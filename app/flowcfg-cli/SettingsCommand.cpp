#include <ostream>

#include "CliCommands.h"
#include "CliOptions.h"
#include "shell/Application.h"
#include "shell/OsVersionInfo.h"
#include "shell/VersionInfo.h"

namespace flowcfg::cli {

// Runs the desktop tool's start-up and lists what it found, so that a technician can see which
// files the tool uses.
int runSettingsCommand(const std::vector<std::string>& args, CliContext& context) {
    CliOptions options(args, {"config"}, {});
    if (!options.ok() || !options.positional().empty()) {
        context.err << "flowcfg-cli settings: "
                    << (options.ok() ? "unexpected argument " + options.positional()[0]
                                     : options.error())
                    << "\nusage: flowcfg-cli settings [--config PATH]\n";
        return 2;
    }
    StartupEnvironment environment = context.environment;
    environment.commandLine = options.value("config").value_or("");

    Application application(environment, RegistryStore());
    application.loadSettings("default.", Application::LastConfigUse::ReadOnly);
    application.reloadLinkSettings();

    const AppSettings& s = application.settings();
    std::ostream& out = context.out;
    out << "maxRecordsPerFile: " << s.maxRecordsPerFile << "\n"
        << "programDirectory: " << s.programDirectory << "\n"
        << "saveDirectory: " << s.saveDirectory << "\n"
        << "configFilePath: " << s.configFilePath << "\n"
        << "variantName: " << s.variantName << "\n"
        << "showLogo: " << int(s.showLogo) << "\n"
        << "useModem: " << int(s.useModem) << "\n"
        << "spreadsheetPath: " << s.spreadsheetPath << "\n"
        << "lastConfig: " << application.lastConfigPath() << "\n"
        << "registry: " << application.registry().path() << "\n"
        << "familyTag: " << familyTag() << "\n"
        << "variantIndex: " << variantIndex() << "\n"
        << "os: " << OsVersionInfo().name << "\n";
    return 0;
}

}  // namespace flowcfg::cli
