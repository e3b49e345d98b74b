#include <cstdio>
#include <ostream>

#include "CliCommands.h"
#include "CliOptions.h"
#include "InstrumentOptions.h"
#include "PageSession.h"
#include "acquisition/LoggerPage.h"

namespace flowcfg::cli {
namespace {

const char* kUsage =
    "usage: flowcfg-cli logger info [link options]\n"
    "       flowcfg-cli logger download [--from \"YYYY-MM-DD HH:MM:SS\"] -o FILE.log "
    "[link options]\n"
    "link options: --config PATH --port COMn|DEVICE --baud-index I --slave S\n";

constexpr auto kStateWait = std::chrono::seconds(30);

std::string trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// "YYYY-MM-DD HH:MM:SS" as an instrument date; nullopt when malformed or not a date.
std::optional<InstrumentDate> parseDate(const std::string& text) {
    int y, mo, d, h, mi, s;
    char end;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &end) != 6)
        return std::nullopt;
    if (!InstrumentDate::isValid(y, mo, d, h, mi, s)) return std::nullopt;
    return InstrumentDate{y, mo, d, h, mi, s};
}

// Opens the page and waits for the first state read: 0, or 1 when the page closed (its
// message has been shown) or the state never came.
int openAndWaitForState(PageSession& session, LoggerPage& page) {
    if (session.Open() != 0) return 1;
    session.attach(page);
    if (page.OpenPage() != 0) return 1;
    if (!session.run(
            page, [&] { return page.stateShown(); }, {}, kStateWait) ||
        !page.stateShown())
        return 1;
    return 0;
}

void printField(std::ostream& out, LoggerPage& page, int captionText, int controlId) {
    out << page.text(captionText) << ": " << trimmed(page.fieldText(controlId)) << "\n";
}

int info(PageSession& session, CliContext& context) {
    LoggerPage page(session.application(), session.terminal(), session.link());
    if (openAndWaitForState(session, page) != 0) return 1;
    printField(context.out, page, 402, lctl::kParameters);
    printField(context.out, page, 399, lctl::kWritten);
    printField(context.out, page, 397, lctl::kCapacity);
    printField(context.out, page, 25, lctl::kRange);
    page.Close();
    return 0;
}

int download(PageSession& session, CliContext& context, const std::string& path,
             std::optional<InstrumentDate> from) {
    LoggerPage page(session.application(), session.terminal(), session.link());
    if (openAndWaitForState(session, page) != 0) return 1;
    if (page.StartDownload(path, from) != 0) {
        page.Close();
        return 1;
    }
    // One progress line on the error stream, written over as the records come.
    const std::string loadedCaption = page.text(398);
    long shown = -1;
    auto progress = [&] {
        if (page.progressValue() == shown) return;
        shown = page.progressValue();
        context.err << "\r" << loadedCaption << ": " << shown << " / " << page.progressRange();
        context.err.flush();
    };
    const bool ended = session.run(
        page, [&] { return !page.downloading(); }, progress);
    if (shown >= 0) context.err << "\n";
    if (!ended) {
        // Ctrl-C or a stalled line: the file keeps the complete lines it has.
        page.DownloadCommand();
        context.err << "flowcfg-cli logger download: stopped; " << path << " holds "
                    << page.progressValue() << " records\n";
        return 1;
    }
    const LoggerDownload::Action action = page.lastAction();
    page.Close();
    if (action != LoggerDownload::Action::Finished) return 1;
    context.out << path << ": " << page.progressValue() << " records";
    const std::string last = page.fieldText(lctl::kLastRecord);
    if (!last.empty()) context.out << ", the last of " << last;
    context.out << "\n";
    return 0;
}

}  // namespace

// The instrument's data logger from the command line: its state as the logger page shows it,
// or a download of its records (all, or from a date on) into a ".log" file through the page's
// own chain.
int runLoggerCommand(const std::vector<std::string>& args, CliContext& context) {
    std::set<std::string> valued = InstrumentOptions::Names();
    valued.insert({"output", "from"});
    std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    for (std::string& word : rest)
        if (word == "-o") word = "--output";
    CliOptions options(rest, valued, {});
    const std::string action = args.empty() ? std::string() : args[0];
    std::string error = options.ok() ? std::string() : options.error();
    if (error.empty() && action != "info" && action != "download") error = "give info or download";
    if (error.empty() && !options.positional().empty())
        error = "unexpected argument " + options.positional()[0];
    const auto output = options.value("output");
    if (error.empty() && action == "download" && (!output || output->empty()))
        error = "give the logger file with -o FILE.log";
    if (error.empty() && action == "info" && (output || options.has("from")))
        error = "info takes the link options only";
    std::optional<InstrumentDate> from;
    if (error.empty() && options.has("from")) {
        from = parseDate(options.value("from").value_or(""));
        if (!from) error = "--from: give a date as \"YYYY-MM-DD HH:MM:SS\"";
    }
    std::optional<InstrumentTarget> target;
    if (error.empty()) target = InstrumentOptions::Resolve(options, context, error);
    if (!target) {
        context.err << "flowcfg-cli logger: " << error << "\n" << kUsage;
        return 2;
    }
    PageSession session(*target, context, "logger " + action);
    if (action == "info") return info(session, context);
    return download(session, context, *output, from);
}

}  // namespace flowcfg::cli
