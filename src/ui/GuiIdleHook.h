#pragma once

#include "link/PortUtilities.h"

namespace flowcfg {

// Keeps the desktop tool's windows painting while the interface thread waits for the
// instrument (a synchronous exchange, the pause before each write of a transfer, a modem
// answer). During such a wait the hook processes pending paint, timer and posted events; the
// user's input is held back until the wait is over, so that no click can start a second exchange
// in the middle of one. Waits on other threads (receive threads, polling workers) are left alone.
//
// Installed for the life of the object; the previous hook is put back afterwards.
class GuiIdleHook {
public:
    GuiIdleHook();
    ~GuiIdleHook();
    GuiIdleHook(const GuiIdleHook&) = delete;
    GuiIdleHook& operator=(const GuiIdleHook&) = delete;

    // The hook itself: 0 always (a wait never ends because of it).
    static int Run(SerialPort& port);

private:
    IdleHook previous_;
};

}  // namespace flowcfg
