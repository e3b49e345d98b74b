#include <ostream>

#include "CliCommands.h"
#include "CliOptions.h"
#include "InstrumentOptions.h"
#include "PageSession.h"
#include "acquisition/BatteryGaugePage.h"
#include "acquisition/LoggerLines.h"

namespace flowcfg::cli {
namespace {

const char* kUsage =
    "usage: flowcfg-cli battery [link options] [--count N] [--record FILE.bq --duration MIN]\n"
    "link options: --config PATH --port COMn|DEVICE --baud-index I --slave S\n";

// A reading as one line: its date and time, then every register as the page shows it.
std::string sampleLine(BatteryGaugePage& page) {
    const BatteryReading r = page.blockReading();
    std::string line = LoggerLines::dateText(r.date) + " " + LoggerLines::timeText(r.date);
    for (const BatteryGaugePage::Row& row : page.rows())
        line += "\t" + row.caption + "=" + row.value;
    return line;
}

}  // namespace

// The battery gauge page from the command line: one line per reading of the gauge (a reading
// counts once, however often the block is read), for N readings or until Ctrl-C, and with
// --record the readings recorded into a ".bq" file for the given minutes, as the page's
// automatic recording does.
int runBatteryCommand(const std::vector<std::string>& args, CliContext& context) {
    std::set<std::string> valued = InstrumentOptions::Names();
    valued.insert({"count", "record", "duration"});
    CliOptions options(args, valued, {});
    std::string error = options.ok() ? std::string() : options.error();
    if (error.empty() && !options.positional().empty())
        error = "unexpected argument " + options.positional()[0];
    std::optional<long long> count;
    if (error.empty() && options.has("count")) {
        count = options.integer("count", error);
        if (count && *count < 1) error = "--count: at least 1";
    }
    double duration = 0;
    if (error.empty() && options.has("record") != options.has("duration"))
        error = "give --record FILE.bq with --duration MIN";
    if (error.empty() && options.has("duration")) {
        try {
            duration = std::stod(options.value("duration").value_or(""));
        } catch (const std::exception&) {
            duration = -1;
        }
        if (!(duration > 0)) error = "--duration: minutes above 0";
    }
    std::optional<InstrumentTarget> target;
    if (error.empty()) target = InstrumentOptions::Resolve(options, context, error);
    if (!target) {
        context.err << "flowcfg-cli battery: " << error << "\n" << kUsage;
        return 2;
    }
    PageSession session(*target, context, "battery");
    if (session.Open() != 0) return 1;
    BatteryGaugePage page(session.application(), session.terminal(), session.link());
    session.attach(page);
    if (options.has("record")) {
        const IniFile config(target->configPath);
        const double period = config.readReal(AcquisitionPage::kFileSaveSection,
                                              AcquisitionPage::kSamplePeriodKey, 1.0);
        page.StartAutomaticRecording(period >= 1 ? int(period) : 1, duration,
                                     *options.value("record"));
    }
    if (page.OpenPage() != 0) return 1;
    context.out << "board: " << page.boardType() << " " << page.boardSerial() << "\n";
    long printed = 0;
    auto each = [&] {
        for (; printed < page.readings(); ++printed)
            context.out << sampleLine(page) << "\n";
        context.out.flush();
    };
    const bool ended = session.run(
        page, [&] { return count && printed >= *count; }, each);
    const bool recording = options.has("record");
    page.Close();
    if (!ended && !session.interrupted()) return 1;
    if (recording)
        context.out << *options.value("record") << ": " << page.sampleCounter() << " samples\n";
    return 0;
}

}  // namespace flowcfg::cli
