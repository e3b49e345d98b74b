#pragma once

#include <string>

namespace flowcfg {

// What start-up learns from the process: where the program is, what the command line says,
// and where per-user files go when the program's own directory cannot be written.
struct StartupEnvironment {
    std::string executableDirectory;  // directory of the running program, ending with '/'
    std::string userConfigDirectory;  // $XDG_CONFIG_HOME/flowcfg/ (or ~/.config/flowcfg/)
    std::string commandLine;          // every argument after the program name, joined by blanks

    // The running process: /proc/self/exe, $XDG_CONFIG_HOME or $HOME, and argv[1 ...].
    static StartupEnvironment fromProcess(int argc, const char* const* argv);

    // The program directory: the executable's directory when it can be written, otherwise the
    // per-user directory (created when missing). Always ends with '/'.
    std::string resolveProgramDirectory() const;
};

}  // namespace flowcfg
