#pragma once

#include <cstdio>
#include <string>

#include "sim/SlaveRequest.h"

namespace flowcfg {

// flowsim's log: one line per request, flushed at once, so that a test can follow the order of
// writes while the simulator runs:
//   <seconds since start, 3 decimals> slave=<n> fn=<n> start=0x<4 hex digits> count=<n>
//       -> <ok | exception <n> | fault <kind> | ignored>[ data=<hex bytes>]
// with " data=..." on writes. Commands add "<seconds> command <what>", line events
// "<seconds> line <what>", and the modem's conversation "modem <seconds> <what>".
class RequestLog {
public:
    RequestLog() = default;
    ~RequestLog();
    RequestLog(const RequestLog&) = delete;
    RequestLog& operator=(const RequestLog&) = delete;

    // "-" logs to standard error. An empty path logs nothing.
    bool open(const std::string& path, std::string& error);
    bool enabled() const { return file_ != nullptr; }

    void request(double seconds, const SlaveRequest& request, const std::string& outcome);
    void event(double seconds, const std::string& kind, const std::string& text);
    void modem(double seconds, const std::string& text);

    static std::string formatRequest(double seconds, const SlaveRequest& request,
                                     const std::string& outcome);

private:
    void write(const std::string& line);

    std::FILE* file_ = nullptr;
    bool owned_ = false;
};

}  // namespace flowcfg
