#pragma once

#include <memory>

#include "link/InstrumentLink.h"
#include "params/BlockExchange.h"
#include "params/LinkBlockExchange.h"
#include "shell/IniFile.h"

namespace flowcfg {

// LinkBlockExchange with the link settings the configuration file holds when a run of
// exchanges opens, as a page made at that moment would read them: a sequence that changes the
// settings between its pages ("JBus" 0 while it runs) reaches each page's instrument as that
// page would.
class ConfiguredLinkExchange : public BlockExchange {
public:
    ConfiguredLinkExchange(const IniFile& config, InstrumentLink& link,
                           bool* modemConnected = nullptr);
    ~ConfiguredLinkExchange() override;

    int open() override;
    void close() override;
    int read(int start, int count, Bytes& data) override;
    int write(int start, const Bytes& data) override;

private:
    // The exchange of the current run, with the settings read when the run began.
    LinkBlockExchange& line();

    const IniFile& config_;
    InstrumentLink& link_;
    bool* modemConnected_;
    std::unique_ptr<LinkBlockExchange> line_;
};

}  // namespace flowcfg
