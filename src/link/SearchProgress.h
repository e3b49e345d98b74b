#pragma once

#include <string>

namespace flowcfg {

// What the instrument search shows while it runs: a title, two text lines and a progress bar.
// The desktop dialog draws them (and repaints between steps), the command line prints them.
// Every call comes from the thread that runs the search.
class SearchProgress {
public:
    virtual ~SearchProgress() = default;
    virtual void SetTitle(const std::string& text) = 0;
    virtual void SetFirstLine(const std::string& text) = 0;
    // The port and speed being tried, or the outcome at the end.
    virtual void SetSecondLine(const std::string& text) = 0;
    // The bar's range is 0 ... `maximum`; it starts at `position`.
    virtual void SetRange(int maximum, int position) = 0;
    virtual void SetPosition(int position) = 0;
    // One step forward.
    virtual void Step() = 0;
    // The search is over: the dialog shows its button with `buttonText`.
    virtual void Finished(bool found, const std::string& buttonText) = 0;
};

}  // namespace flowcfg
