#pragma once

#include "InstrumentConnection.h"
#include "params/BlockExchange.h"

namespace flowcfg::cli {

// The parameter engines' blocks on a command's instrument connection: the connection is opened
// (dialling when a modem is used) at the first exchange and stays up until the command ends.
class ConnectionBlockExchange : public BlockExchange {
public:
    ConnectionBlockExchange(InstrumentConnection& connection, const LinkSettings& settings);

    int open() override;
    void close() override {}
    int read(int start, int count, Bytes& data) override;
    int write(int start, const Bytes& data) override;

private:
    InstrumentConnection& connection_;
    LinkSettings settings_;
    bool open_ = false;
};

}  // namespace flowcfg::cli
