#include "sim/FaultRule.h"

#include <cerrno>
#include <cstdlib>

namespace flowcfg {

namespace {

struct KindEntry {
    const char* name;
    FaultRule::Kind kind;
    enum { None, Optional, Required } argument;
};

constexpr KindEntry kKinds[] = {
    {"noanswer", FaultRule::Kind::NoAnswer, KindEntry::None},
    {"badcrc", FaultRule::Kind::BadCrc, KindEntry::None},
    {"truncate", FaultRule::Kind::Truncate, KindEntry::Optional},
    {"wrongslave", FaultRule::Kind::WrongSlave, KindEntry::Optional},
    {"exception", FaultRule::Kind::Exception, KindEntry::Required},
    {"garbage", FaultRule::Kind::Garbage, KindEntry::Optional},
    {"delay", FaultRule::Kind::Delay, KindEntry::Required},
    {"unplug", FaultRule::Kind::Unplug, KindEntry::Optional},
};

bool parseInteger(std::string_view text, long& out) {
    if (text.empty()) return false;
    const std::string s(text);
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(s.c_str(), &end, 0);
    if (errno != 0 || end != s.c_str() + s.size() || v < 0) return false;
    out = v;
    return true;
}

bool parseProbability(std::string_view text, double& out) {
    if (text.empty()) return false;
    const std::string s(text);
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || !(v >= 0.0 && v <= 1.0)) return false;
    out = v;
    return true;
}

}  // namespace

const char* FaultRule::kindName(Kind kind) {
    for (const KindEntry& e : kKinds) {
        if (e.kind == kind) return e.name;
    }
    return "?";
}

bool FaultRule::parse(std::string_view text, FaultRule& out, std::string& error) {
    FaultRule rule;
    const std::string whole(text);
    // The suffixes may come in any order after the kind and its argument.
    const std::size_t suffixStart = text.find_first_of("@*~");
    std::string_view head = text.substr(0, suffixStart);
    std::string_view suffixes =
        suffixStart == std::string_view::npos ? std::string_view{} : text.substr(suffixStart);

    const std::size_t eq = head.find('=');
    const std::string_view kindText = head.substr(0, eq);
    const KindEntry* entry = nullptr;
    for (const KindEntry& e : kKinds) {
        if (kindText == e.name) entry = &e;
    }
    if (entry == nullptr) {
        error = "unknown fault kind '" + std::string(kindText) + "' in '" + whole + "'";
        return false;
    }
    rule.kind = entry->kind;
    if (eq != std::string_view::npos) {
        if (entry->argument == KindEntry::None) {
            error = "fault '" + std::string(kindText) + "' takes no argument";
            return false;
        }
        if (!parseInteger(head.substr(eq + 1), rule.argument)) {
            error = "bad argument in fault '" + whole + "'";
            return false;
        }
        rule.hasArgument = true;
    } else if (entry->argument == KindEntry::Required) {
        error = "fault '" + std::string(kindText) + "' needs an argument (" +
                std::string(kindText) + "=N)";
        return false;
    }
    if (rule.kind == Kind::Exception && (rule.argument < 1 || rule.argument > 255)) {
        error = "exception code must be 1 ... 255 in '" + whole + "'";
        return false;
    }
    if (rule.kind == Kind::WrongSlave && rule.hasArgument && rule.argument > 255) {
        error = "slave address must be 0 ... 255 in '" + whole + "'";
        return false;
    }

    while (!suffixes.empty()) {
        const char mark = suffixes.front();
        std::size_t next = suffixes.find_first_of("@*~", 1);
        const std::string_view value =
            suffixes.substr(1, next == std::string_view::npos ? std::string_view::npos : next - 1);
        bool ok = false;
        if (mark == '@') {
            ok = parseInteger(value, rule.startRegister) && rule.startRegister <= 0xFFFF;
        } else if (mark == '*') {
            ok = parseInteger(value, rule.count) && rule.count > 0;
        } else {
            ok = parseProbability(value, rule.probability);
        }
        if (!ok) {
            error = std::string("bad '") + mark + "' value in fault '" + whole + "'";
            return false;
        }
        suffixes = next == std::string_view::npos ? std::string_view{} : suffixes.substr(next);
    }
    out = rule;
    return true;
}

}  // namespace flowcfg
