#pragma once

#include "link/InstrumentLink.h"
#include "link/LinkSettings.h"
#include "params/BlockExchange.h"

namespace flowcfg {

// Blocks exchanged through the program's InstrumentLink with a page's link settings: the port
// opened with the configured port and speed, no parity, 8 data bits, 1 stop bit (through the
// modem when the settings say so), reads with the answer time-out, writes with the longer one
// parameter writes get, each exchange to the configured slave. The port is closed after each run
// of exchanges, except while a modem connection is up.
class LinkBlockExchange : public BlockExchange {
public:
    // `modemConnected` is the program's flag of a modem connection that is up (may be null).
    LinkBlockExchange(InstrumentLink& link, const LinkSettings& settings,
                      bool* modemConnected = nullptr);

    int open() override;
    void close() override;
    int read(int start, int count, Bytes& data) override;
    int write(int start, const Bytes& data) override;

private:
    InstrumentLink& link_;
    LinkSettings settings_;
    bool* modemConnected_;
};

}  // namespace flowcfg
