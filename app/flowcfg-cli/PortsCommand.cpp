#include <ostream>

#include "CliCommands.h"
#include "CliOptions.h"
#include "InstrumentOptions.h"

namespace flowcfg::cli {

// Lists the port table: each COM number with its device path.
int runPortsCommand(const std::vector<std::string>& args, CliContext& context) {
    CliOptions options(args, {"config"}, {});
    std::string error;
    if (options.ok() && !options.positional().empty())
        error = "unexpected argument " + options.positional()[0];
    else if (!options.ok())
        error = options.error();
    std::optional<InstrumentTarget> target;
    if (error.empty()) target = InstrumentOptions::Resolve(options, context, error);
    if (!target) {
        context.err << "flowcfg-cli ports: " << error
                    << "\nusage: flowcfg-cli ports [--config PATH]\n";
        return 2;
    }
    for (const auto& [number, path] : target->ports.Entries())
        context.out << "COM" << number << " " << path << "\n";
    return 0;
}

}  // namespace flowcfg::cli
