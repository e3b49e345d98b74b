#pragma once

namespace flowcfg {

class SerialLink;

// Makes the telephone connection when a link is opened through a modem: the program's modem
// dialog implements it (it opens the port directly, dials and reports). Called on the thread that
// opens the link.
class ModemConnector {
public:
    virtual ~ModemConnector() = default;
    // Opens the port of `link` directly and dials; true when the connection is up.
    virtual bool Connect(SerialLink& link, int portNumber, int baudIndex, char parity, int dataBits,
                         int stopBits) = 0;
};

}  // namespace flowcfg
