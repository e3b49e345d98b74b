#include "CliOptions.h"

#include <cerrno>
#include <cstdlib>

namespace flowcfg::cli {

CliOptions::CliOptions(const std::vector<std::string>& args, const std::set<std::string>& valued,
                       const std::set<std::string>& switches) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 2 && arg.starts_with("--")) {
            std::string name = arg.substr(2);
            std::optional<std::string> inlineValue;
            if (auto eq = name.find('='); eq != std::string::npos) {
                inlineValue = name.substr(eq + 1);
                name.resize(eq);
            }
            if (valued.count(name)) {
                if (inlineValue) {
                    values_.emplace(name, *inlineValue);
                } else if (i + 1 < args.size()) {
                    values_.emplace(name, args[++i]);
                } else {
                    error_ = "option --" + name + " needs a value";
                    return;
                }
            } else if (switches.count(name) && !inlineValue) {
                switches_.insert(name);
            } else {
                error_ = "unknown option --" + name;
                return;
            }
        } else {
            positional_.push_back(arg);
        }
    }
}

bool CliOptions::has(const std::string& name) const {
    return switches_.count(name) || values_.count(name);
}

std::optional<std::string> CliOptions::value(const std::string& name) const {
    auto range = values_.equal_range(name);
    if (range.first == range.second) return std::nullopt;
    return std::prev(range.second)->second;  // the last one given wins
}

std::vector<std::string> CliOptions::values(const std::string& name) const {
    std::vector<std::string> out;
    auto range = values_.equal_range(name);
    for (auto it = range.first; it != range.second; ++it)
        out.push_back(it->second);
    return out;
}

std::optional<long long> CliOptions::parseInteger(const std::string& text) {
    if (text.empty()) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    long long v = std::strtoll(text.c_str(), &end, hex ? 16 : 10);
    if (errno != 0 || end == text.c_str() || *end != '\0') return std::nullopt;
    return v;
}

std::optional<long long> CliOptions::integer(const std::string& name, std::string& message) const {
    auto text = value(name);
    if (!text) return std::nullopt;
    auto v = parseInteger(*text);
    if (!v) message = "--" + name + ": not a number: " + *text;
    return v;
}

}  // namespace flowcfg::cli
