#pragma once

#include <stdlib.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "common/TempDir.h"

namespace flowcfg::testing {

// A French locale (decimal comma) for the running process: the system's, or one compiled into
// `dir` with localedef when the system has none installed. False when neither is possible.
inline bool useFrenchNumbers(const TempDir& dir) {
    if (std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) return true;
    std::string command = "localedef -i fr_FR -f UTF-8 " + dir.file("fr_FR.UTF-8") + " 2>/dev/null";
    if (std::system(command.c_str()) != 0) return false;
    ::setenv("LOCPATH", dir.path().c_str(), 1);
    bool ok = std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") != nullptr;
    ::unsetenv("LOCPATH");
    return ok;
}

}  // namespace flowcfg::testing
