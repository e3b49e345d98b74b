#pragma once

#include <functional>

#include "params/PageContext.h"
#include "params/PageSequences.h"
#include "shell/IniFile.h"

namespace flowcfg {

// Runs the write-only steps of a sequence without windows: the settings, special settings,
// factory settings or function page loads the step's file and sends it to the instrument with
// no question, exactly as its dialog does in mode 16. A step in any other mode, or for another
// page, is refused (false) without touching the line.
class WindowlessPageRunner : public SequenceRunner {
public:
    // `config` gives the settings page its layout settings.
    WindowlessPageRunner(const IniFile& config, PageContext context);

    // What the pages wait with between exchanges and after a write (tests wait for nothing);
    // unset, the pages' own waits.
    void setPause(std::function<void(int milliseconds)> pause) { pause_ = std::move(pause); }

    // true when the page ended with OK: its file was read and every block of it written.
    bool run(const SequenceStep& step) override;

private:
    const IniFile& config_;
    PageContext context_;
    std::function<void(int)> pause_;
};

}  // namespace flowcfg
