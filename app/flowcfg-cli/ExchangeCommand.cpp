#include <cctype>
#include <cstdio>
#include <ostream>

#include "CliCommands.h"
#include "CliOptions.h"
#include "InstrumentConnection.h"
#include "InstrumentOptions.h"
#include "link/InstrumentLink.h"
#include "link/LinkResult.h"

namespace flowcfg::cli {
namespace {

constexpr const char* kUsage =
    "usage: flowcfg-cli exchange [--config PATH] [--port COMn|DEVICE] [--baud-index I]\n"
    "                            [--slave S] [--timeout MS]\n"
    "                            (--read START COUNT [--function 3|4] | --write START HEXBYTES)\n";

// "01 A0:ff,7e" or "01a0ff7e" (an optional 0x first): the bytes, or nullopt.
std::optional<Bytes> parseHex(std::string text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text = text.substr(2);
    std::string digits;
    for (char c : text) {
        if (c == ' ' || c == ':' || c == ',' || c == '-') continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        digits += c;
    }
    if (digits.empty() || digits.size() % 2 != 0) return std::nullopt;
    Bytes bytes;
    for (std::size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::string hex(const Bytes& bytes) {
    std::string out;
    char text[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(text, sizeof text, "%02X", bytes[i]);
        if (i) out += ' ';
        out += text;
    }
    return out;
}

struct Request {
    int function = 3;
    int start = 0;
    int count = 0;
    Bytes data;
};

std::optional<Request> parseRequest(const CliOptions& options, std::string& error) {
    const bool read = options.value("read").has_value();
    const bool write = options.value("write").has_value();
    if (read == write) {
        error = "give either --read START COUNT or --write START HEXBYTES";
        return std::nullopt;
    }
    if (options.positional().size() != 1) {
        error = read ? "--read needs START and COUNT" : "--write needs START and HEXBYTES";
        return std::nullopt;
    }
    Request request;
    auto start = options.integer(read ? "read" : "write", error);
    if (!start) return std::nullopt;
    if (*start < 0 || *start > 0xFFFF) {
        error = "START is a register from 0 to 0xFFFF";
        return std::nullopt;
    }
    request.start = static_cast<int>(*start);
    const std::string& second = options.positional()[0];
    if (read) {
        auto count = CliOptions::parseInteger(second);
        if (!count || *count < 1 || *count > 125) {
            error = "COUNT is a number of registers from 1 to 125: " + second;
            return std::nullopt;
        }
        request.count = static_cast<int>(*count);
        if (options.value("function")) {
            auto function = options.integer("function", error);
            if (!function) return std::nullopt;
            if (*function != 3 && *function != 4) {
                error = "--function: 3 or 4";
                return std::nullopt;
            }
            request.function = static_cast<int>(*function);
        }
    } else {
        if (options.value("function")) {
            error = "--function goes with --read";
            return std::nullopt;
        }
        auto bytes = parseHex(second);
        if (!bytes) {
            error = "HEXBYTES: pairs of hex digits, for example 5A5A: " + second;
            return std::nullopt;
        }
        request.function = 16;
        request.data = *bytes;
        request.count = static_cast<int>((bytes->size() + 1) / 2);
    }
    return request;
}

}  // namespace

// Runs one synchronous exchange with the instrument and prints its result code and data.
int runExchangeCommand(const std::vector<std::string>& args, CliContext& context) {
    std::set<std::string> valued = InstrumentOptions::Names();
    valued.insert({"read", "write", "function", "timeout"});
    CliOptions options(args, valued, {});
    std::string error = options.error();
    std::optional<Request> request;
    if (error.empty()) request = parseRequest(options, error);
    std::optional<long long> timeout;
    if (error.empty() && options.value("timeout")) {
        timeout = options.integer("timeout", error);
        if (timeout && (*timeout < 1 || *timeout > 600000)) {
            error = "--timeout: from 1 to 600000 ms";
            timeout.reset();
        }
    }
    std::optional<InstrumentTarget> target;
    if (error.empty()) target = InstrumentOptions::Resolve(options, context, error);
    if (!target) {
        context.err << "flowcfg-cli exchange: " << error << "\n" << kUsage;
        return 2;
    }

    const LinkSettings& s = target->settings;
    InstrumentConnection connection(*target, context, "exchange");
    InstrumentLink& link = connection.Link();
    int result = connection.Open();
    Bytes data = request->data;
    if (result == 0) {
        const int fallback =
            request->function == 16 ? s.longAnswerTimeoutMs() : s.answerTimeoutMs();
        link.SetAnswerTimeout(timeout ? static_cast<int>(*timeout) : fallback);
        result = link.Exchange(s.slaveAddress, request->function, request->start, request->count,
                               data, 2);
    }
    context.out << "result " << result << " (" << linkResultText(result) << ")\n";
    if (result == 0) context.out << "data " << hex(data) << "\n";
    return result == 0 ? 0 : 1;
}

}  // namespace flowcfg::cli
