#include "shell/StartupEnvironment.h"

#include <unistd.h>

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace flowcfg {
namespace {

std::string withSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

// Whether a file can be created in `directory`: the only test that also holds for root and for
// read-only file systems.
bool canCreateFilesIn(const std::string& directory) {
    std::string probe = withSlash(directory) + ".flowcfg-probe-XXXXXX";
    int fd = ::mkstemp(probe.data());
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

}  // namespace

StartupEnvironment StartupEnvironment::fromProcess(int argc, const char* const* argv) {
    StartupEnvironment env;
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec && argc > 0 && argv[0]) exe = std::filesystem::absolute(argv[0], ec);
    env.executableDirectory = withSlash(exe.parent_path().string());

    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string base = (xdg && *xdg)     ? std::string(xdg)
                       : (home && *home) ? std::string(home) + "/.config"
                                         : std::string("/tmp");
    env.userConfigDirectory = withSlash(base) + "flowcfg/";

    for (int i = 1; i < argc; ++i) {
        if (i > 1) env.commandLine += ' ';
        env.commandLine += argv[i];
    }
    return env;
}

std::string StartupEnvironment::resolveProgramDirectory() const {
    if (!executableDirectory.empty() && canCreateFilesIn(executableDirectory))
        return withSlash(executableDirectory);
    std::error_code ec;
    std::filesystem::create_directories(userConfigDirectory, ec);
    return withSlash(userConfigDirectory);
}

}  // namespace flowcfg
