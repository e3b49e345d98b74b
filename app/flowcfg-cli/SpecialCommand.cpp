#include <iostream>

#include "CliCommands.h"
#include "CliOptions.h"
#include "ConnectionBlockExchange.h"
#include "InstrumentConnection.h"
#include "InstrumentOptions.h"
#include "PageLines.h"
#include "TerminalPrompts.h"
#include "params/SpecialSettingsPage.h"
#include "shell/PageBase.h"

namespace flowcfg::cli {
namespace {

const char* kUsage =
    "usage: flowcfg-cli special read -o FILE.rsp [link options]\n"
    "       flowcfg-cli special write FILE.rsp [--yes] [link options]\n"
    "       flowcfg-cli special show FILE.rsp [--config PATH]\n"
    "link options: --config PATH --port COMn|DEVICE --baud-index I --slave S\n";

}  // namespace

// The instrument's identity block ("Special Settings") from the command line: read it into a
// ".rsp" file, write a file to it (then the reset command) after the page's question, show a
// file's fields.
int runSpecialCommand(const std::vector<std::string>& args, CliContext& context) {
    std::set<std::string> valued = InstrumentOptions::Names();
    valued.insert("output");
    std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    for (std::string& word : rest)
        if (word == "-o") word = "--output";
    CliOptions options(rest, valued, {"yes"});
    const std::string action = args.empty() ? std::string() : args[0];
    const auto& files = options.positional();
    const auto output = options.value("output");
    const bool shape = (action == "read" && files.empty() && output && !output->empty()) ||
                       ((action == "write" || action == "show") && files.size() == 1);
    std::string error = options.ok() ? std::string() : options.error();
    if (error.empty() && !shape)
        error = action.empty() ? "give read, write or show" : "wrong arguments for " + action;
    std::optional<InstrumentTarget> target;
    if (error.empty()) target = InstrumentOptions::Resolve(options, context, error);
    if (!target) {
        context.err << "flowcfg-cli special: " << error << "\n" << kUsage;
        return 2;
    }
    TerminalPrompts terminal(context.out, context.err, context.in ? *context.in : std::cin,
                             options.has("yes"));
    const int language = PageBase::storedLanguage(IniFile(target->configPath));
    InstrumentConnection connection(*target, context, "special " + action);
    ConnectionBlockExchange line(connection, target->settings);
    PageContext page{terminal, terminal, line, language};
    if (action == "read") {
        SpecialSettingsPage special(page, BlockPage::kModeRead);
        if (special.Start(nullptr) != BlockPage::kStayOpen || special.Save(*output) != 0) return 1;
        context.out << *output << ": serial number " << special.Serial() << ", board "
                    << special.BoardSerial() << "\n";
        return 0;
    }
    SpecialSettingsPage special(page, BlockPage::kModeFile, files[0]);
    if (special.Start(nullptr) != BlockPage::kStayOpen) return 1;
    if (action == "show") {
        printPageLines(special.table(), context.out);
        return 0;
    }
    if (special.TransferToInstrument() != 0) {
        context.err << "flowcfg-cli special write: nothing was transferred\n";
        return 1;
    }
    context.out << files[0] << ": transferred\n";
    return 0;
}

}  // namespace flowcfg::cli
