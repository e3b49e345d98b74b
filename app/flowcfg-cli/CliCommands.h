#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "shell/StartupEnvironment.h"

namespace flowcfg::cli {

// What a command needs from the process: its output streams and how the program was started.
struct CliContext {
    std::ostream& out;
    std::ostream& err;
    StartupEnvironment environment;
    std::istream* in = nullptr;  // answers to questions; nullptr: standard input
};

// Runs `args` (without the program name): the first word names the command. Returns the
// process exit status.
int runCli(const std::vector<std::string>& args, CliContext& context);

// The commands, one source file each.
int runSettingsCommand(const std::vector<std::string>& args, CliContext& context);
int runRecordsCommand(const std::vector<std::string>& args, CliContext& context);
int runTextsCommand(const std::vector<std::string>& args, CliContext& context);
int runPortsCommand(const std::vector<std::string>& args, CliContext& context);
int runExchangeCommand(const std::vector<std::string>& args, CliContext& context);
int runSearchCommand(const std::vector<std::string>& args, CliContext& context);
int runParamsCommand(const std::vector<std::string>& args, CliContext& context);
int runLoggerCommand(const std::vector<std::string>& args, CliContext& context);
int runBatteryCommand(const std::vector<std::string>& args, CliContext& context);
int runExportCommand(const std::vector<std::string>& args, CliContext& context);
int runMeasureCommand(const std::vector<std::string>& args, CliContext& context);
int runFramesCommand(const std::vector<std::string>& args, CliContext& context);
int runSpecialCommand(const std::vector<std::string>& args, CliContext& context);
int runFactoryCommand(const std::vector<std::string>& args, CliContext& context);
int runFunctionsCommand(const std::vector<std::string>& args, CliContext& context);
// Builds with Qt only (FLOWCFG_HAS_PRINT): the report drawing needs QPainter and QPrinter.
int runPrintCommand(const std::vector<std::string>& args, CliContext& context);

}  // namespace flowcfg::cli
