#pragma once

#include <string>

#include "link/SerialPort.h"

namespace flowcfg {

// The system serial driver: a tty device in raw mode (8 data bits, the parity and stop bits
// asked for, no flow control, modem lines ignored, DTR and RTS asserted), opened non-blocking and
// for this program alone. Pseudo-terminals are valid ports.

// Opens COM (portIndex + 1) through the installed port table (see PortTable). Never returns
// null: the caller checks the port's status, 0 meaning open and configured, and Closes the port
// either way when done.
SerialPort* OpenPosixPort(int portIndex, long baud, char parity, int dataBits, int stopBits);
// The same for a device path.
SerialPort* OpenPosixDevice(const std::string& path, int portIndex, long baud, char parity,
                            int dataBits, int stopBits);
// The port library's code for a system error number.
int MapSystemError(int errorNumber);

}  // namespace flowcfg
