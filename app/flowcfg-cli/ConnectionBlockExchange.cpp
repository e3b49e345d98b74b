#include "ConnectionBlockExchange.h"

namespace flowcfg::cli {

ConnectionBlockExchange::ConnectionBlockExchange(InstrumentConnection& connection,
                                                 const LinkSettings& settings)
    : connection_(connection), settings_(settings) {}

int ConnectionBlockExchange::open() {
    if (!open_) open_ = connection_.Open() == 0;
    return open_ ? 0 : linkresult::kCannotOpen;
}

int ConnectionBlockExchange::read(int start, int count, Bytes& data) {
    InstrumentLink& link = connection_.Link();
    link.SetAnswerTimeout(settings_.answerTimeoutMs());
    return link.Exchange(settings_.slaveAddress, 3, start, count, data, 2);
}

int ConnectionBlockExchange::write(int start, const Bytes& data) {
    InstrumentLink& link = connection_.Link();
    link.SetAnswerTimeout(settings_.longAnswerTimeoutMs());
    Bytes bytes = data;
    return link.Exchange(settings_.slaveAddress, 16, start, int(data.size() + 1) / 2, bytes, 2);
}

}  // namespace flowcfg::cli
