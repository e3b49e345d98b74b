#include <optional>
#include <ostream>

#include "CliCommands.h"
#include "CliOptions.h"
#include "InstrumentOptions.h"
#include "link/DeviceSearch.h"
#include "link/SerialLink.h"
#include "texts/LanguageTable.h"

namespace flowcfg::cli {
namespace {

constexpr const char* kUsage =
    "usage: flowcfg-cli search [--config PATH] [--bauds N] [--timeout MS] [--lang 1-5] [--save]\n";

// The search on the terminal: one line per try, then the outcome.
class TerminalSearchProgress : public SearchProgress {
public:
    explicit TerminalSearchProgress(std::ostream& out) : out_(out) {}
    void SetTitle(const std::string&) override {}
    void SetFirstLine(const std::string&) override {}
    void SetSecondLine(const std::string& text) override { out_ << text << "\n" << std::flush; }
    void SetRange(int, int) override {}
    void SetPosition(int) override {}
    void Step() override {}
    void Finished(bool, const std::string&) override {}

private:
    std::ostream& out_;
};

std::optional<int> bounded(const CliOptions& options, const std::string& name, int low, int high,
                           std::string& error) {
    auto value = options.integer(name, error);
    if (!value) return std::nullopt;
    if (*value < low || *value > high) {
        error = "--" + name + ": from " + std::to_string(low) + " to " + std::to_string(high);
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

}  // namespace

// Looks for the instrument on every port and speed, as the options page's detection button does,
// and prints each try and what was found. --save writes the port, speed and slave number found
// into the configuration file.
int runSearchCommand(const std::vector<std::string>& args, CliContext& context) {
    CliOptions options(args, {"config", "bauds", "timeout", "lang"}, {"save"});
    std::string error = options.ok() ? "" : options.error();
    if (error.empty() && !options.positional().empty())
        error = "unexpected argument " + options.positional()[0];
    int baudLimit = SerialLink::BaudCount();
    int timeout = LinkSettings::kAnswerTimeoutMs;
    int language = LanguageTable::English;
    if (error.empty() && options.has("bauds")) {
        if (auto value = bounded(options, "bauds", 1, SerialLink::BaudCount(), error))
            baudLimit = *value;
    }
    if (error.empty() && options.has("timeout")) {
        if (auto value = bounded(options, "timeout", 1, 600000, error)) timeout = *value;
    }
    if (error.empty() && options.has("lang")) {
        if (auto value = bounded(options, "lang", 1, LanguageTable::kLanguages, error))
            language = *value;
    }
    std::optional<InstrumentTarget> target;
    if (error.empty()) target = InstrumentOptions::Resolve(options, context, error);
    if (!target) {
        context.err << "flowcfg-cli search: " << error << "\n" << kUsage;
        return 2;
    }

    InstrumentLink link;
    link.SetAnswerTimeout(timeout);
    DeviceSearch search(link, DeviceSearch::kIdentificationRegister,
                        DeviceSearch::kIdentificationRegisters, DeviceSearch::kAddressByteOffset,
                        baudLimit, language);
    TerminalSearchProgress progress(context.out);
    if (!search.Run(progress)) return 1;

    const int port = search.FoundPort();
    const int baud = search.FoundBaudIndex();
    context.out << "port COM" << port << " " << target->ports.Path(port) << "\n"
                << "baud " << baud << " " << DeviceSearch::BaudName(baud, language) << "\n"
                << "slave " << search.FoundAddress() << "\n";
    if (options.has("save")) {
        // The options page stores list positions: port n is position n - 1.
        const IniFile config(target->configPath);
        if (config.writeReal(LinkSettings::kComSection, LinkSettings::kPortKey, port - 1) != 0 ||
            config.writeReal(LinkSettings::kComSection, LinkSettings::kBaudsKey, baud) != 0 ||
            config.writeReal(LinkSettings::kComSection, LinkSettings::kSlaveKey,
                             search.FoundAddress()) != 0) {
            context.err << "flowcfg-cli search: cannot write " << target->configPath << "\n";
            return 1;
        }
        context.out << "saved in " << target->configPath << "\n";
    }
    return 0;
}

}  // namespace flowcfg::cli
