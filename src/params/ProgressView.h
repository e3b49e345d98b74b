#pragma once

#include <string>

namespace flowcfg {

// The progress bar and status line of a page that reads or writes a run of blocks. The desktop
// tool shows them on the page, the command-line tool on the terminal; tests record them.
class ProgressView {
public:
    virtual ~ProgressView() = default;

    // Shows the bar empty with `range` steps to go.
    virtual void setRange(int range) = 0;
    // Advances the bar by one step.
    virtual void step() = 0;
    // Hides the bar.
    virtual void hide() = 0;
    // The status line's text.
    virtual void setStatus(const std::string& text) = 0;
};

// A progress view that shows nothing.
class NoProgress : public ProgressView {
public:
    void setRange(int) override {}
    void step() override {}
    void hide() override {}
    void setStatus(const std::string&) override {}
};

}  // namespace flowcfg
