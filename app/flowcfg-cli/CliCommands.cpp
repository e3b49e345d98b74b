#include "CliCommands.h"

#include <ostream>

namespace flowcfg::cli {
namespace {

struct Command {
    const char* name;
    const char* usage;
    int (*run)(const std::vector<std::string>&, CliContext&);
};

const Command kCommands[] = {
    {"settings", "settings [--config PATH]   the start-up settings and the files in use",
     runSettingsCommand},
    {"records", "records FILE [--dump K]    a record file: header, records, or record K in hex",
     runRecordsCommand},
    {"texts", "texts [--lang N] [--id N]    the text table: id, position and text per line",
     runTextsCommand},
    {"ports", "ports [--config PATH]   the serial ports: each COM number with its device",
     runPortsCommand},
    {"exchange",
     "exchange [link options] (--read START COUNT [--function 3|4] | --write START HEXBYTES)\n"
     "      [--timeout MS]   one exchange with the instrument; link options: --config PATH\n"
     "      --port COMn|DEVICE --baud-index I --slave S",
     runExchangeCommand},
    {"search",
     "search [--config PATH] [--bauds N] [--timeout MS] [--lang 1-5] [--save]\n"
     "      finds the instrument on every port and speed; prints each try and what answered",
     runSearchCommand},
    {"params",
     "params read -o FILE.eta | write FILE.eta [--yes] | show FILE.eta | diff A.eta B.eta\n"
     "      the instrument's parameter set: read it into a settings file, write a settings\n"
     "      file to it with every check, show a file's fields, compare two files",
     runParamsCommand},
    {"logger",
     "logger info | download [--from \"YYYY-MM-DD HH:MM:SS\"] -o FILE.log [link options]\n"
     "      the instrument's data logger: its state, or its records into a logger file",
     runLoggerCommand},
    {"measure",
     "measure [link options] [--cycles N] [--record FILE.mes [--period S] [--duration MIN]]\n"
     "      | measure --file FILE.mes [--sample K | --all]\n"
     "      the live values, one tab-separated line per cycle, recorded on the way if asked;\n"
     "      or the samples of a recording in the same format",
     runMeasureCommand},
    {"battery",
     "battery [link options] [--count N] [--record FILE.bq --duration MIN]\n"
     "      the battery gauge: one line per reading, and a recording of them",
     runBatteryCommand},
    {"export",
     "export FILE.mes|FILE.log|FILE.bq|FILE.trameSpi [-o OUT] [--macro PATH] [--open]\n"
     "       [--xlsx OUT.xlsx]\n"
     "      a recording or logger file as the text file, with a macro's transfer file, or as\n"
     "      a workbook with charts; --open starts the configured spreadsheet program",
     runExportCommand},
    {"frames",
     "frames [--block 0xF100|0xF200] [--count N] [--record FILE.trameSpi] [link options]\n"
     "      the timing circuit's raw frames as the test bench page decodes them, one line\n"
     "      each; --record keeps every frame in a recording",
     runFramesCommand},
    {"special",
     "special read -o FILE.rsp | write FILE.rsp [--yes] | show FILE.rsp\n"
     "      the instrument's identity block (serial numbers, hardware, application, chord\n"
     "      limits, configuration words): read it into a file, write a file to it, show a file",
     runSpecialCommand},
    {"factory",
     "factory reboot | reset | upgrade NAME [--yes]\n"
     "      one factory command to the instrument (an upgrade name cut or padded to 12)",
     runFactoryCommand},
    {"functions",
     "functions read -o FILE.fct | write FILE.fct [--yes] | show FILE.fct | diff A.fct B.fct\n"
     "      the instrument's 20 calculation functions with their rows and outputs: read them\n"
     "      into a file, write a file to them, show a file's fields, compare two files",
     runFunctionsCommand},
#ifdef FLOWCFG_HAS_PRINT
    {"print",
     "print FILE.eta|.rsp|.rus|.fct|.mes|.bq (--pdf OUT.pdf | --printer NAME) [--sample K]\n"
     "      [--config PATH]\n"
     "      the report the page prints for a saved file (of a recording its last sample, or\n"
     "      sample K), into a PDF file or on a printer",
     runPrintCommand},
#endif
};

void printUsage(std::ostream& out) {
    out << "usage: flowcfg-cli COMMAND [options]\n\ncommands:\n";
    for (const auto& command : kCommands)
        out << "  " << command.usage << "\n";
}

}  // namespace

int runCli(const std::vector<std::string>& args, CliContext& context) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printUsage(args.empty() ? context.err : context.out);
        return args.empty() ? 2 : 0;
    }
    for (const auto& command : kCommands) {
        if (args[0] == command.name)
            return command.run(std::vector<std::string>(args.begin() + 1, args.end()), context);
    }
    context.err << "flowcfg-cli: unknown command '" << args[0] << "'\n";
    printUsage(context.err);
    return 2;
}

}  // namespace flowcfg::cli
