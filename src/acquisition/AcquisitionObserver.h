#pragma once

namespace flowcfg {

// What the window of a polling page (or the command that runs it) hears from the page. The
// page calls these on the thread that runs it, after it has changed its state; the window then
// reads whatever it shows from the page.
class AcquisitionObserver {
public:
    virtual ~AcquisitionObserver() = default;

    // The communication indicator, the status text, the record button, the navigation buttons
    // or the buttons shown changed.
    virtual void pageStateChanged() {}
    // The page is done: its start failed, its automatic recording ended, its file was refused,
    // or it was closed. The window closes.
    virtual void closeRequested() {}
    // A recorded sample was loaded into the fields (file mode).
    virtual void sampleShown() {}
};

}  // namespace flowcfg
