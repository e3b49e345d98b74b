#include "shell/Application.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "shell/SettingsKeys.h"
#include "shell/VersionInfo.h"

namespace flowcfg {
namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (auto& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool fileReadable(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

}  // namespace

Application::Application(StartupEnvironment environment, RegistryStore registry)
    : environment_(std::move(environment)), registry_(std::move(registry)) {}

Application::~Application() {
    if (started_) saveSaveDirectory();
}

std::string Application::lastConfigPath() const {
    return settings_.programDirectory + keys::kLastConfigFile;
}

std::string Application::defaultConfigPath(std::string_view defaultPrefix) const {
    return settings_.programDirectory + std::string(defaultPrefix) + settings_.variantName;
}

std::string Application::logoPath() const {
    std::string beside = environment_.executableDirectory + keys::kLogoFile;
    if (!environment_.executableDirectory.empty() && fileReadable(beside)) return beside;
    return settings_.programDirectory + keys::kLogoFile;
}

void Application::loadSettings(std::string_view defaultPrefix, LastConfigUse use) {
    started_ = true;
    const bool record = use == LastConfigUse::Record;
    settings_.programDirectory = environment_.resolveProgramDirectory();
    std::string internalName = versionString("InternalName");
    settings_.variantName.clear();
    std::copy_if(internalName.begin(), internalName.end(),
                 std::back_inserter(settings_.variantName), [](char c) { return c != ' '; });

    IniFile last(lastConfigPath());

    // The configuration file: the command line names it, or "last.cfg" remembers it, or the
    // default file of this variant is used. A file named on the command line is recorded first
    // (by the desktop tool only).
    if (environment_.commandLine.empty()) {
        std::string remembered =
            last.readString(keys::kLastConfigSection, keys::kLastConfigKey, "");
        settings_.configFilePath =
            remembered.empty() ? defaultConfigPath(defaultPrefix) : remembered;
    } else {
        settings_.configFilePath = environment_.commandLine;
        if (record)
            last.writeString(keys::kLastConfigSection, keys::kLastConfigKey,
                             settings_.configFilePath);
    }

    // The logo stays announced once found, until "last.cfg" is edited.
    if (last.readString(keys::kLogoSection, keys::kLogoKey, "") == "Y") {
        settings_.showLogo = 1;
    } else if (fileReadable(logoPath())) {
        if (record) last.writeString(keys::kLogoSection, keys::kLogoKey, "Y");
        settings_.showLogo = 1;
    }

    IniFile config(settings_.configFilePath);
    settings_.spreadsheetPath = resolveSpreadsheetPath(config);

    // A configuration file without the "Test" key is used for the first time: the data
    // directory is created and becomes the save directory.
    std::string dataDirectory = settings_.programDirectory + keys::kDataDirectory + "/";
    if (config.readString(keys::kTestSection, keys::kTestKey, "").empty()) {
        std::error_code ec;
        std::filesystem::create_directories(dataDirectory, ec);
        settings_.saveDirectory = dataDirectory;
    } else {
        settings_.saveDirectory = config.readString(keys::kFileSaveSection, keys::kFileSaveKey, "");
        if (settings_.saveDirectory.empty()) settings_.saveDirectory = dataDirectory;
    }

    // A configuration file that cannot be written is replaced by the default one.
    if (config.writeString(keys::kTestSection, keys::kTestKey, keys::kTestValue) != 0) {
        settings_.configFilePath = defaultConfigPath(defaultPrefix);
        config.setFile(settings_.configFilePath);
    }
    if (record)
        last.writeString(keys::kLastConfigSection, keys::kLastConfigKey, settings_.configFilePath);
    config.writeString(keys::kSpreadsheetSection, keys::kSpreadsheetKey, settings_.spreadsheetPath);
}

// "Path Spreadsheet" as stored; when it names no program of its own (the placeholder or the
// bare program name, in any case), the machine-wide store's location is used when it has one.
// Other paths are kept as typed: on this system file names are case-sensitive.
std::string Application::resolveSpreadsheetPath(const IniFile& config) const {
    std::string stored = config.readString(keys::kSpreadsheetSection, keys::kSpreadsheetKey,
                                           keys::kSpreadsheetPlaceholder);
    std::string lowered = lower(stored);
    if (lowered != keys::kSpreadsheetPlaceholder && lowered != keys::kSpreadsheetProgram)
        return stored;
    std::string directory = registry_.readMachineString(keys::kSpreadsheetRegistryKey,
                                                        keys::kSpreadsheetRegistryValue, "");
    if (directory.empty()) return lowered;
    if (directory.back() != '/') directory += '/';
    return directory + keys::kSpreadsheetProgram;
}

void Application::saveLastConfig() {
    IniFile(lastConfigPath())
        .writeString(keys::kLastConfigSection, keys::kLastConfigKey, settings_.configFilePath);
}

void Application::reloadLinkSettings() {
    IniFile config(settings_.configFilePath);
    // The stored value is the position in a yes/no list: 0 means yes.
    settings_.useModem = config.readReal(keys::kModemSection, keys::kUseModemKey, 1.0) == 0.0;
    double limit =
        IniFile(lastConfigPath()).readReal(keys::kLastConfigSection, keys::kMaxRecordsKey, 0.0);
    constexpr double kLargest = 9.0e18;  // below the largest 64-bit integer
    settings_.maxRecordsPerFile =
        limit > 0 ? static_cast<std::int64_t>(std::min(limit, kLargest)) : 0;
}

void Application::switchConfigFile(const std::string& path) {
    settings_.configFilePath = path;
    saveLastConfig();
    StartupEnvironment saved = environment_;
    environment_.commandLine = path;
    loadSettings(keys::kDefaultPrefix);
    environment_ = saved;
    reloadLinkSettings();
}

void Application::saveSaveDirectory() {
    IniFile(settings_.configFilePath)
        .writeString(keys::kFileSaveSection, keys::kFileSaveKey, settings_.saveDirectory);
}

}  // namespace flowcfg
