#include <iostream>
#include <memory>

#include "CliCommands.h"
#include "CliOptions.h"
#include "ConnectionBlockExchange.h"
#include "InstrumentConnection.h"
#include "InstrumentOptions.h"
#include "TerminalPrompts.h"
#include "params/LayoutChooser.h"
#include "params/ParameterComparison.h"
#include "params/ParameterPage.h"
#include "params/ParameterRows.h"
#include "shell/PageBase.h"

namespace flowcfg::cli {
namespace {

const char* kUsage =
    "usage: flowcfg-cli params read -o FILE.eta [link options]\n"
    "       flowcfg-cli params write FILE.eta [--yes] [link options]\n"
    "       flowcfg-cli params show FILE.eta [--config PATH]\n"
    "       flowcfg-cli params diff A.eta B.eta [--config PATH]\n"
    "link options: --config PATH --port COMn|DEVICE --baud-index I --slave S\n";

int configuredLanguage(const InstrumentTarget& target) {
    return PageBase::storedLanguage(IniFile(target.configPath));
}

int read(const CliOptions& options, CliContext& context, const InstrumentTarget& target,
         TerminalPrompts& terminal) {
    auto output = options.value("output");
    if (!output || output->empty()) {
        context.err << "flowcfg-cli params read: give the settings file with -o FILE.eta\n"
                    << kUsage;
        return 2;
    }
    InstrumentConnection connection(target, context, "params read");
    ConnectionBlockExchange line(connection, target.settings);
    PageContext page{terminal, terminal, line, configuredLanguage(target)};
    const LayoutOptions stored = LayoutOptions::Load(IniFile(target.configPath));
    ParameterPage reader(stored, page, ParameterPage::kModeRead);
    if (reader.Build(nullptr) != 0 || reader.ReadParameterSet() != 0) return 1;
    // The file carries the instrument's own layout, as the desktop tool's read gives it.
    ParameterPage set(LayoutChooser::FromInstrument(reader, stored), page,
                      ParameterPage::kModeRead);
    set.setReadSource(&reader);
    if (set.Start(nullptr) != ParameterPage::kStayOpen) return 1;
    if (set.SaveParameterSet(*output) != 0) return 1;
    context.out << *output << ": serial number " << set.SetSerial() << ", " << set.options().pipes
                << " pipe(s)\n";
    return 0;
}

int write(const std::string& path, CliContext& context, const InstrumentTarget& target,
          TerminalPrompts& terminal) {
    InstrumentConnection connection(target, context, "params write");
    ConnectionBlockExchange line(connection, target.settings);
    auto page = ParameterComparison::OpenSettingsFile(
        path, PageContext{terminal, terminal, line, configuredLanguage(target)});
    if (!page) return 1;
    if (page->TransferToInstrument() != 0) {
        context.err << "flowcfg-cli params write: nothing was transferred to the end marker\n";
        return 1;
    }
    context.out << path << ": transferred\n";
    return 0;
}

int show(const std::string& path, CliContext& context, const InstrumentTarget& target,
         TerminalPrompts& terminal) {
    auto page = ParameterComparison::OpenSettingsFile(path, terminal, configuredLanguage(target));
    if (!page) return 1;
    for (const ParameterRow& row : ParameterRows::Rows(*page))
        context.out << ParameterRows::Line(row) << "\n";
    return 0;
}

int diff(const std::string& a, const std::string& b, CliContext& context,
         const InstrumentTarget& target, TerminalPrompts& terminal) {
    const int language = configuredLanguage(target);
    auto first = ParameterComparison::OpenSettingsFile(a, terminal, language);
    if (!first) return 2;
    auto second = ParameterComparison::OpenSettingsFile(b, terminal, language);
    if (!second) return 2;
    const auto differences = ParameterComparison::Compare(*first, *second);
    for (const ParameterDifference& d : differences)
        context.out << d.tab << "\t" << d.caption << "\t" << d.value << "\t" << d.otherValue
                    << "\n";
    return differences.empty() ? 0 : 1;
}

}  // namespace

// The instrument's parameter set from the command line: read it into a settings file, write a
// settings file to it with every check of the desktop tool's transfer, show a file's fields as
// the parameter dialog would, compare two files field by field.
int runParamsCommand(const std::vector<std::string>& args, CliContext& context) {
    std::set<std::string> valued = InstrumentOptions::Names();
    valued.insert("output");
    std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    for (std::string& word : rest)
        if (word == "-o") word = "--output";
    CliOptions options(rest, valued, {"yes"});
    const std::string action = args.empty() ? std::string() : args[0];
    const std::size_t files = options.positional().size();
    const bool shape = (action == "read" && files == 0) ||
                       ((action == "write" || action == "show") && files == 1) ||
                       (action == "diff" && files == 2);
    std::string error = options.ok() ? std::string() : options.error();
    if (error.empty() && !shape)
        error = action.empty() ? "give read, write, show or diff" : "wrong arguments for " + action;
    std::optional<InstrumentTarget> target;
    if (error.empty()) target = InstrumentOptions::Resolve(options, context, error);
    if (!target) {
        context.err << "flowcfg-cli params: " << error << "\n" << kUsage;
        return 2;
    }
    TerminalPrompts terminal(context.out, context.err, context.in ? *context.in : std::cin,
                             options.has("yes"));
    const auto& file = options.positional();
    if (action == "read") return read(options, context, *target, terminal);
    if (action == "write") return write(file[0], context, *target, terminal);
    if (action == "show") return show(file[0], context, *target, terminal);
    return diff(file[0], file[1], context, *target, terminal);
}

}  // namespace flowcfg::cli
