#pragma once

#include <string>

namespace flowcfg {

class Instrument;

// Keeps an instrument between runs: every declared block's registers, the clock offset, the
// totalizers, the logger's position, the slave address and the line speed, as a text file of one
// item per line. Saving writes a new file and renames it over the old one, so a crash never
// leaves half a file.
class StateFile {
public:
    static bool save(const std::string& path, const Instrument& instrument, double elapsed,
                     std::string& error);
    // Loads a file written by `save`. A missing file is not an error (`found` tells); a damaged
    // one is, and leaves the instrument unchanged.
    static bool load(const std::string& path, Instrument& instrument, double elapsed, bool& found,
                     std::string& error);
};

}  // namespace flowcfg
