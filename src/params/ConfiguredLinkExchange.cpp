#include "params/ConfiguredLinkExchange.h"

#include "link/LinkSettings.h"

namespace flowcfg {

ConfiguredLinkExchange::ConfiguredLinkExchange(const IniFile& config, InstrumentLink& link,
                                               bool* modemConnected)
    : config_(config), link_(link), modemConnected_(modemConnected) {}

ConfiguredLinkExchange::~ConfiguredLinkExchange() = default;

LinkBlockExchange& ConfiguredLinkExchange::line() {
    if (!line_)
        line_ = std::make_unique<LinkBlockExchange>(link_, LinkSettings::Load(config_),
                                                    modemConnected_);
    return *line_;
}

int ConfiguredLinkExchange::open() {
    return line().open();
}

void ConfiguredLinkExchange::close() {
    if (line_) line_->close();
    line_.reset();
}

int ConfiguredLinkExchange::read(int start, int count, Bytes& data) {
    return line().read(start, count, data);
}

int ConfiguredLinkExchange::write(int start, const Bytes& data) {
    return line().write(start, data);
}

}  // namespace flowcfg
