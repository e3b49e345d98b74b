#pragma once

#include "link/SerialPort.h"

namespace flowcfg {

// A function called while a port waits (a byte to arrive, a pause to end). The program's window
// layer installs one that keeps the interface painting when a wait runs on its thread; then the
// waits are cut into slices of kIdleSliceMs with a call between them. A non-zero result ends the
// wait with that code. Without a hook (the default) a wait simply blocks. The hook runs on
// whichever thread waits (receive threads and polling workers too), so a hook that pumps a
// window's events checks that it runs on the window's thread.
using IdleHook = int (*)(SerialPort&);
inline constexpr int kIdleSliceMs = 10;

// Installs `hook` for the whole process (nullptr removes it); returns the previous one.
IdleHook SetIdleHook(IdleHook hook);
IdleHook GetIdleHook();

// 1 when nothing waits to be sent, 0 when something does. A driver that cannot count its
// transmit queue reports it empty and leaves the status as it was; other errors are returned.
int TxEmpty(SerialPort& port);
// Reads and drops every byte waiting; 0, or the read error that stopped it.
int DrainInput(SerialPort& port);
// The next received byte (0 ... 255), waiting at most `timeoutMs` (-1: no limit) for it: -8 when
// none came in time, or the error that ended the wait (-14: the device went away).
int ReadByteTimed(SerialPort& port, int timeoutMs);
// Waits `milliseconds`; 0, or the idle hook's error.
int WaitMs(SerialPort& port, int milliseconds);

}  // namespace flowcfg
