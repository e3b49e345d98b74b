#include "shell/ConfigurationFiles.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "shell/CFileDialogKV.h"
#include "shell/PageBase.h"
#include "shell/SettingsKeys.h"

namespace flowcfg {
namespace {

namespace fs = std::filesystem;

// Two names of one file ("./a.cfg" and "/home/x/a.cfg", or a link) count as the same.
bool sameFile(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::error_code ec;
    if (fs::equivalent(a, b, ec) && !ec) return true;
    fs::path pa = fs::weakly_canonical(a, ec);
    if (ec) return false;
    fs::path pb = fs::weakly_canonical(b, ec);
    return !ec && pa == pb;
}

bool copyInto(const std::string& source, std::FILE* destination) {
    std::ifstream in(source, std::ios::binary);
    if (!in) return false;
    char buffer[8192];
    while (in) {
        in.read(buffer, sizeof buffer);
        auto n = static_cast<std::size_t>(in.gcount());
        if (n && std::fwrite(buffer, 1, n, destination) != n) return false;
    }
    return !in.bad();
}

}  // namespace

std::string ConfigurationFiles::filter(const std::string& variantName) {
    return "Config File (*." + variantName + ")|*." + variantName + "||";
}

FileRequest ConfigurationFiles::request(FileRequest::Mode mode) const {
    const AppSettings& s = page_.settings();
    FileRequest r;
    r.mode = mode;
    r.filter = filter(s.variantName);
    r.initialPath = s.configFilePath;
    r.defaultExtension = s.variantName;
    return r;
}

std::string ConfigurationFiles::captionName(const std::string& configPath) {
    auto slash = configPath.find_last_of('/');
    auto dot = configPath.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return configPath;
    return configPath.substr(0, dot);
}

ConfigurationFiles::Result ConfigurationFiles::saveConfigurationAs() {
    CFileDialogKV dialog(page_, request(FileRequest::Mode::Save));
    auto chosen = dialog.run();
    if (!chosen) return Result::Cancelled;
    return saveAs(*chosen);
}

// The copy is written beside the destination and renamed over it, so that an existing file of
// that name is only replaced by a complete copy.
ConfigurationFiles::Result ConfigurationFiles::saveAs(const std::string& path) {
    Application& app = page_.application();
    const std::string current = app.settings().configFilePath;
    if (sameFile(path, current)) {
        page_.showError(kSameFileTextId, kErrorTextId);
        return Result::Refused;
    }
    std::string temporary = path + ".tmp" + std::to_string(::getpid());
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) {
        page_.showError(kCannotCreateTextId, kErrorTextId);
        return Result::Failed;
    }
    bool copied = copyInto(current, out);
    copied = (std::fclose(out) == 0) && copied;
    if (!copied) {
        std::remove(temporary.c_str());
        app.switchConfigFile(app.defaultConfigPath(keys::kDefaultPrefix));
        page_.showError(kFellBackTextId, kErrorTextId);
        return Result::FellBack;
    }
    // The chosen name could not take the copy (it is a folder, or the folder refuses it): the
    // destination cannot be created, and the current file stays current.
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        page_.showError(kCannotCreateTextId, kErrorTextId);
        return Result::Failed;
    }
    app.settings().configFilePath = path;
    app.saveLastConfig();
    return Result::Saved;
}

ConfigurationFiles::Result ConfigurationFiles::loadConfiguration() {
    CFileDialogKV dialog(page_, request(FileRequest::Mode::Open));
    auto chosen = dialog.run();
    if (!chosen) return Result::Cancelled;
    page_.application().switchConfigFile(*chosen);
    return Result::Loaded;
}

}  // namespace flowcfg
