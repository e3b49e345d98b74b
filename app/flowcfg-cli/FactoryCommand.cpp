#include <iostream>

#include "CliCommands.h"
#include "CliOptions.h"
#include "ConnectionBlockExchange.h"
#include "InstrumentConnection.h"
#include "InstrumentOptions.h"
#include "TerminalPrompts.h"
#include "params/FactorySettingsPage.h"
#include "shell/PageBase.h"

namespace flowcfg::cli {
namespace {

const char* kUsage =
    "usage: flowcfg-cli factory reboot | reset | upgrade NAME [--yes] [link options]\n"
    "link options: --config PATH --port COMn|DEVICE --baud-index I --slave S\n";

}  // namespace

// One command of "Factory Settings" from the command line: the page reads the identification
// as it opens, then sends the command after its question (an upgrade name cut or padded to 12
// characters).
int runFactoryCommand(const std::vector<std::string>& args, CliContext& context) {
    std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    CliOptions options(rest, InstrumentOptions::Names(), {"yes"});
    const std::string action = args.empty() ? std::string() : args[0];
    const auto& words = options.positional();
    const bool shape = ((action == "reboot" || action == "reset") && words.empty()) ||
                       (action == "upgrade" && words.size() == 1);
    std::string error = options.ok() ? std::string() : options.error();
    if (error.empty() && !shape)
        error =
            action.empty() ? "give reboot, reset or upgrade NAME" : "wrong arguments for " + action;
    std::optional<InstrumentTarget> target;
    if (error.empty()) target = InstrumentOptions::Resolve(options, context, error);
    if (!target) {
        context.err << "flowcfg-cli factory: " << error << "\n" << kUsage;
        return 2;
    }
    TerminalPrompts terminal(context.out, context.err, context.in ? *context.in : std::cin,
                             options.has("yes"));
    InstrumentConnection connection(*target, context, "factory " + action);
    ConnectionBlockExchange line(connection, target->settings);
    PageContext context_{terminal, terminal, line,
                         PageBase::storedLanguage(IniFile(target->configPath))};
    FactorySettingsPage page(context_, BlockPage::kModeRead);
    if (page.Start(nullptr) != BlockPage::kStayOpen) return 1;
    using F = FactorySettingsPage;
    page.setChoice(action == "reboot"  ? F::kReboot
                   : action == "reset" ? F::kReset
                                       : F::kUpgrade,
                   true);
    if (action == "upgrade") page.setUpgradeName(words[0]);
    if (page.TransferToInstrument() != 0) {
        context.err << "flowcfg-cli factory " << action << ": nothing was sent\n";
        return 1;
    }
    context.out << action
                << (action == "upgrade" ? " \"" + F::CommandName(words[0]) + "\"" : std::string())
                << ": sent\n";
    return 0;
}

}  // namespace flowcfg::cli
