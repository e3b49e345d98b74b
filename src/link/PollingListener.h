#pragma once

namespace flowcfg {

// Told by a polling link after each exchange of its cycle. Called on the link's worker thread;
// it must not block: the window layer posts a queued call to its own thread, which then takes
// the result (GetLastResult), may set the next request (ChangeRequest) and calls Acknowledge.
class PollingListener {
public:
    virtual ~PollingListener() = default;
    virtual void OnNewFrame() = 0;
};

}  // namespace flowcfg
