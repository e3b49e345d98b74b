#pragma once

#include <string>
#include <vector>

namespace flowcfg {

// Starts another program and lets it run on its own: nothing is read back from it.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts `program` with `arguments`; 0, or the system's error number when it could not be
    // started.
    virtual int start(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

// ProgramLauncher with posix_spawnp: the program (looked for on PATH when it has no '/') gets
// the argument vector as it stands, without a shell and without splitting a command line, so a
// file name with blanks, quotes, semicolons or a leading dash arrives as one argument,
// unchanged. The program inherits the environment; once it ends it is reaped in the background.
class SpawnLauncher : public ProgramLauncher {
public:
    int start(const std::string& program, const std::vector<std::string>& arguments) override;
};

}  // namespace flowcfg
