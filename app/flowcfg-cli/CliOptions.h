#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace flowcfg::cli {

// The arguments of one command: "--name value" options, "--flag" switches and positional words.
// Which names take a value is declared by the command, so "--yes FILE" parses as a switch and a
// positional word.
class CliOptions {
public:
    // `valued` lists the options that take a value, `switches` those that do not (without "--").
    // Unknown options and missing values are reported through error().
    CliOptions(const std::vector<std::string>& args, const std::set<std::string>& valued,
               const std::set<std::string>& switches);

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    bool has(const std::string& name) const;
    std::optional<std::string> value(const std::string& name) const;
    // Every value of a repeatable option, in order.
    std::vector<std::string> values(const std::string& name) const;
    const std::vector<std::string>& positional() const { return positional_; }

    // A number in decimal or 0x hexadecimal; nullopt (and an error message) when malformed.
    std::optional<long long> integer(const std::string& name, std::string& message) const;
    static std::optional<long long> parseInteger(const std::string& text);

private:
    std::multimap<std::string, std::string> values_;
    std::set<std::string> switches_;
    std::vector<std::string> positional_;
    std::string error_;
};

}  // namespace flowcfg::cli
