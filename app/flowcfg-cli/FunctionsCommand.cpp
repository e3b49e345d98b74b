#include <iostream>

#include "CliCommands.h"
#include "CliOptions.h"
#include "ConnectionBlockExchange.h"
#include "InstrumentConnection.h"
#include "InstrumentOptions.h"
#include "TerminalPrompts.h"
#include "params/FunctionPage.h"
#include "params/ParameterComparison.h"
#include "shell/PageBase.h"

namespace flowcfg::cli {
namespace {

const char* kUsage =
    "usage: flowcfg-cli functions read -o FILE.fct [link options]\n"
    "       flowcfg-cli functions write FILE.fct [--yes] [link options]\n"
    "       flowcfg-cli functions show FILE.fct [--config PATH]\n"
    "       flowcfg-cli functions diff A.fct B.fct [--config PATH]\n"
    "link options: --config PATH --port COMn|DEVICE --baud-index I --slave S\n";

}  // namespace

// The function page from the command line: read the instrument's functions into a ".fct" file,
// write a file to it (with the page's questions, the wait and the status check), show a file's
// fields, compare two files.
int runFunctionsCommand(const std::vector<std::string>& args, CliContext& context) {
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
                       ((action == "write" || action == "show") && files.size() == 1) ||
                       (action == "diff" && files.size() == 2);
    std::string error = options.ok() ? std::string() : options.error();
    if (error.empty() && !shape)
        error = action.empty() ? "give read, write, show or diff" : "wrong arguments for " + action;
    std::optional<InstrumentTarget> target;
    if (error.empty()) target = InstrumentOptions::Resolve(options, context, error);
    if (!target) {
        context.err << "flowcfg-cli functions: " << error << "\n" << kUsage;
        return 2;
    }
    TerminalPrompts terminal(context.out, context.err, context.in ? *context.in : std::cin,
                             options.has("yes"));
    const int language = PageBase::storedLanguage(IniFile(target->configPath));
    if (action == "show" || action == "diff") {
        auto first = FunctionPage::OpenFile(files[0], terminal, language);
        if (!first) return 2;
        if (action == "show") {
            for (const ParameterRow& row : first->Rows())
                context.out << ParameterRows::Line(row) << "\n";
            return 0;
        }
        auto second = FunctionPage::OpenFile(files[1], terminal, language);
        if (!second) return 2;
        const auto differences = ParameterComparison::Compare(first->Rows(), second->Rows());
        for (const ParameterDifference& d : differences)
            context.out << d.tab << "\t" << d.caption << "\t" << d.value << "\t" << d.otherValue
                        << "\n";
        return differences.empty() ? 0 : 1;
    }
    InstrumentConnection connection(*target, context, "functions " + action);
    ConnectionBlockExchange line(connection, target->settings);
    PageContext page{terminal, terminal, line, language};
    if (action == "read") {
        FunctionPage functions(page, BlockPage::kModeRead);
        if (functions.Start(nullptr) != BlockPage::kStayOpen || functions.Save(*output) != 0)
            return 1;
        int defined = 0;
        for (int k = 0; k < FunctionPage::kFunctions; ++k)
            defined += functions.type(k) != FunctionDefinitions::kOff ? 1 : 0;
        context.out << *output << ": " << defined << " function(s) defined\n";
        return 0;
    }
    FunctionPage functions(page, BlockPage::kModeFile, files[0]);
    if (functions.Start(nullptr) != BlockPage::kStayOpen) return 1;
    if (functions.TransferToInstrument() != 0) {
        context.err << "flowcfg-cli functions write: the functions were not accepted\n";
        return 1;
    }
    context.out << files[0] << ": transferred\n";
    return 0;
}

}  // namespace flowcfg::cli
