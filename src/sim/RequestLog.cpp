#include "sim/RequestLog.h"

#include <cerrno>
#include <cstring>

namespace flowcfg {

RequestLog::~RequestLog() {
    if (owned_ && file_ != nullptr) std::fclose(file_);
}

bool RequestLog::open(const std::string& path, std::string& error) {
    if (path.empty()) return true;
    if (path == "-") {
        file_ = stderr;
        return true;
    }
    file_ = std::fopen(path.c_str(), "a");
    if (file_ == nullptr) {
        error = "cannot open the log file " + path + ": " + std::strerror(errno);
        return false;
    }
    owned_ = true;
    return true;
}

std::string RequestLog::formatRequest(double seconds, const SlaveRequest& q,
                                      const std::string& outcome) {
    char head[160];
    std::snprintf(head, sizeof head, "%.3f slave=%u fn=%u start=0x%04X count=%u -> ", seconds,
                  q.slave, q.function, q.start, q.count);
    std::string line = head + outcome;
    if (q.function == 16) {
        static const char kDigits[] = "0123456789ABCDEF";
        line += " data=";
        for (std::uint8_t b : q.data) {
            line.push_back(kDigits[b >> 4]);
            line.push_back(kDigits[b & 15]);
        }
    }
    return line;
}

void RequestLog::request(double seconds, const SlaveRequest& q, const std::string& outcome) {
    if (file_ != nullptr) write(formatRequest(seconds, q, outcome));
}

void RequestLog::event(double seconds, const std::string& kind, const std::string& text) {
    if (file_ == nullptr) return;
    char head[48];
    std::snprintf(head, sizeof head, "%.3f ", seconds);
    write(head + kind + " " + text);
}

void RequestLog::modem(double seconds, const std::string& text) {
    if (file_ == nullptr) return;
    char head[48];
    std::snprintf(head, sizeof head, "modem %.3f ", seconds);
    write(head + text);
}

void RequestLog::write(const std::string& line) {
    std::fputs(line.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

}  // namespace flowcfg
