#include "InstrumentOptions.h"

#include <cctype>

#include "shell/Application.h"
#include "shell/SettingsKeys.h"

namespace flowcfg::cli {
namespace {

// "COM7" (any case) gives 7; anything else nullopt.
std::optional<long long> comNumber(const std::string& text) {
    if (text.size() < 4) return std::nullopt;
    std::string prefix = text.substr(0, 3);
    for (auto& c : prefix)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (prefix != "COM") return std::nullopt;
    return CliOptions::parseInteger(text.substr(3));
}

}  // namespace

std::set<std::string> InstrumentOptions::Names() {
    return {"config", "port", "baud-index", "slave"};
}

const char* InstrumentOptions::Usage() {
    return "[--config PATH] [--port COMn|DEVICE] [--baud-index I] [--slave S]";
}

std::optional<InstrumentTarget> InstrumentOptions::Resolve(const CliOptions& options,
                                                           CliContext& context,
                                                           std::string& error) {
    StartupEnvironment environment = context.environment;
    environment.commandLine = options.value("config").value_or("");
    Application application(environment, RegistryStore());
    application.loadSettings(keys::kDefaultPrefix, Application::LastConfigUse::ReadOnly);

    InstrumentTarget target;
    target.configPath = application.settings().configFilePath;
    IniFile config(target.configPath);
    target.settings = LinkSettings::Load(config);
    target.ports = PortTable::Load(config);

    if (auto port = options.value("port")) {
        if (auto number = comNumber(*port)) {
            if (*number < PortTable::kFirstPort || *number > PortTable::kLastPort) {
                error = "--port: COM numbers go from 1 to 255: " + *port;
                return std::nullopt;
            }
            target.settings.portNumber = static_cast<int>(*number);
        } else if (!port->empty() && (*port)[0] == '/') {
            int number = target.ports.NumberOf(*port);
            if (number == -1) {
                number = target.ports.FirstFree();
                if (target.ports.Assign(number, *port) != 0) {
                    error = "--port: every COM number is taken";
                    return std::nullopt;
                }
            }
            target.settings.portNumber = number;
        } else {
            error = "--port: give COMn or a device path: " + *port;
            return std::nullopt;
        }
    }
    if (options.value("baud-index")) {
        auto index = options.integer("baud-index", error);
        if (!index) return std::nullopt;
        if (*index < 0 || *index > 7) {
            error = "--baud-index: from 0 to 7: " + std::to_string(*index);
            return std::nullopt;
        }
        target.settings.baudIndex = static_cast<int>(*index);
    }
    if (options.value("slave")) {
        auto slave = options.integer("slave", error);
        if (!slave) return std::nullopt;
        if (*slave < 0 || *slave > 255) {
            error = "--slave: from 0 to 255: " + std::to_string(*slave);
            return std::nullopt;
        }
        target.settings.slaveAddress = static_cast<int>(*slave);
    }
    target.devicePath = target.ports.Path(target.settings.portNumber);
    PortTable::Install(target.ports);
    return target;
}

}  // namespace flowcfg::cli
