#include "params/LinkBlockExchange.h"

namespace flowcfg {

LinkBlockExchange::LinkBlockExchange(InstrumentLink& link, const LinkSettings& settings,
                                     bool* modemConnected)
    : link_(link), settings_(settings), modemConnected_(modemConnected) {}

int LinkBlockExchange::open() {
    if (link_.IsOpen()) return 0;
    int result = link_.Open(settings_.portNumber, settings_.baudIndex, 'N', 8, 1,
                            settings_.useModem, modemConnected_);
    return result == 0 ? 0 : linkresult::kCannotOpen;
}

// A modem connection stays up between runs: closing the port would end the call.
void LinkBlockExchange::close() {
    if (!(settings_.useModem && modemConnected_ && *modemConnected_)) link_.Close();
}

int LinkBlockExchange::read(int start, int count, Bytes& data) {
    link_.SetAnswerTimeout(settings_.answerTimeoutMs());
    return link_.Exchange(settings_.slaveAddress, 3, start, count, data, 2);
}

int LinkBlockExchange::write(int start, const Bytes& data) {
    link_.SetAnswerTimeout(settings_.longAnswerTimeoutMs());
    Bytes bytes = data;
    return link_.Exchange(settings_.slaveAddress, 16, start, int(data.size() + 1) / 2, bytes, 2);
}

}  // namespace flowcfg
