#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>

#include "CliCommands.h"
#include "CliOptions.h"
#include "InstrumentOptions.h"
#include "PageSession.h"
#include "acquisition/MeasurementControls.h"
#include "acquisition/MeasurementPage.h"
#include "acquisition/WaterTemperature.h"

namespace flowcfg::cli {
namespace {

const char* kUsage =
    "usage: flowcfg-cli measure [link options] [--cycles N] [--record FILE.mes [--period S]\n"
    "                           [--duration MIN]]\n"
    "       flowcfg-cli measure --file FILE.mes [--sample K | --all] [--config PATH]\n"
    "link options: --config PATH --port COMn|DEVICE --baud-index I --slave S\n";

// The layout of the measurement page the command runs: every view, up to two paths.
constexpr MeasurementLayout kLayout{2, true, true};

std::string shown(MeasurementPage& page, int controlId) {
    BoundField* field = page.table().FindField(controlId);
    return field ? field->shownText() : std::string();
}

double value(MeasurementPage& page, int controlId) {
    BoundField* field = page.table().FindField(controlId);
    return field ? field->value() : 0;
}

// One complete cycle (or recorded sample) as a tab-separated line: the instrument's date and
// time, QT, QA, QB with their unit, the path velocities, the four totalizers with their units,
// then for each chord of each path its transit time, delta-T, sound velocity, the water
// temperature of that velocity, the two gains and the I.Q.
std::string cycleLine(MeasurementPage& page) {
    using namespace mctl;
    std::string line = shown(page, kDateTime);
    auto column = [&line](const std::string& text) { line += "\t" + text; };
    const std::string flowUnit = " " + page.FlowUnitText();
    for (int id : {kTotalFlow, kFlowA, kFlowB})
        column(shown(page, id) + flowUnit);
    for (int id : {kVelocityA, kVelocityB})
        column(shown(page, id) + " m/s");
    // The totalizer units carry their own leading blank (" m3", "000 m3").
    for (int t = 0; t < 4; ++t)
        column(shown(page, kTotalizer + 3 * t) + page.TotalizerUnitText(t));
    char temperature[32];
    for (int path = 0; path < page.InstrumentPaths(); ++path)
        for (int c = 0; c < page.ChordCount(path); ++c) {
            column(shown(page, chordField(path, c, chord::kTransitTime)) + " us");
            column(shown(page, chordField(path, c, chord::kDeltaT)) + " ns");
            column(shown(page, chordField(path, c, chord::kSoundVelocity)) + " m/s");
            std::snprintf(temperature, sizeof temperature, "%.2f C",
                          WaterTemperatureFromSoundSpeed(
                              value(page, chordField(path, c, chord::kSoundVelocity))));
            column(temperature);
            column(shown(page, chordField(path, c, chord::kGainUp)) + " dB");
            column(shown(page, chordField(path, c, chord::kGainDown)) + " dB");
            column(shown(page, chordField(path, c, chord::kQuality)) + " %");
        }
    return line;
}

struct MeasureRequest {
    std::optional<long long> cycles;
    std::optional<std::string> record;
    std::optional<long long> period;
    std::optional<double> duration;
    std::optional<std::string> file;
    std::optional<long long> sample;
    bool all = false;
};

// The request, or an error message.
std::string parse(const CliOptions& options, MeasureRequest& request) {
    if (!options.ok()) return options.error();
    if (!options.positional().empty()) return "unexpected argument " + options.positional()[0];
    std::string message;
    request.cycles = options.integer("cycles", message);
    if (!message.empty()) return message;
    request.period = options.integer("period", message);
    if (!message.empty()) return message;
    request.sample = options.integer("sample", message);
    if (!message.empty()) return message;
    request.record = options.value("record");
    request.file = options.value("file");
    request.all = options.has("all");
    if (auto duration = options.value("duration")) {
        char* end = nullptr;
        const double minutes = std::strtod(duration->c_str(), &end);
        if (duration->empty() || *end != '\0' || !std::isfinite(minutes) || minutes <= 0)
            return "--duration: give the minutes as a number above 0";
        request.duration = minutes;
    }
    if (request.cycles && *request.cycles < 1) return "--cycles: give a number from 1";
    if (request.period && (*request.period < 1 || *request.period > 86400))
        return "--period: give the seconds from 1 to 86400";
    if (request.record && request.record->empty()) return "--record: give the file";
    if ((request.period || request.duration) && !request.record)
        return "--period and --duration go with --record";
    if (request.file) {
        if (request.file->empty()) return "--file: give the file";
        if (request.record || request.cycles)
            return "--file shows a recording: no --record, --cycles";
        for (const char* link : {"port", "baud-index", "slave"})
            if (options.has(link)) return "--file reads no instrument: no link options";
        if (request.sample && request.all) return "give --sample K or --all, not both";
        if (request.sample && *request.sample < 1) return "--sample: give a number from 1";
    } else if (request.sample || request.all) {
        return "--sample and --all go with --file";
    }
    return {};
}

int showFile(PageSession& session, CliContext& context, const MeasureRequest& request) {
    MeasurementPage page(session.application(), session.terminal(), session.link(), kLayout);
    if (page.Build(nullptr) != 0 || page.Open(*request.file) != 0) return 1;
    const int count = page.sampleCount();
    int first = 0, last = 0;
    if (request.all) {
        last = count - 1;
    } else if (request.sample) {
        if (*request.sample > count) {
            context.err << "flowcfg-cli measure: " << *request.file << ": no sample "
                        << *request.sample << " (the file holds " << count << ")\n";
            return 1;
        }
        first = last = int(*request.sample - 1);
    }
    for (int k = first; k <= last; ++k) {
        if (page.ShowSample(k) != 0) {
            context.err << "flowcfg-cli measure: " << *request.file << ": sample " << k + 1
                        << " cannot be read\n";
            return 1;
        }
        context.out << cycleLine(page) << "\n";
    }
    page.Close();
    return 0;
}

int measure(PageSession& session, CliContext& context, const MeasureRequest& request) {
    if (session.Open() != 0) return 1;
    MeasurementPage page(session.application(), session.terminal(), session.link(), kLayout);
    session.attach(page);
    if (page.Build(nullptr) != 0 || page.Open() != 0) return 1;
    if (request.record)
        page.StartAutomaticRecording(int(request.period.value_or(page.clock().period())),
                                     request.duration.value_or(page.clock().durationMinutes()),
                                     *request.record);
    int printed = page.cycles();
    int indicator = page.indicator();
    auto each = [&] {
        while (printed < page.cycles()) {
            ++printed;
            context.out << cycleLine(page) << "\n";
            context.out.flush();
        }
        if (page.indicator() != indicator) {
            indicator = page.indicator();
            const std::string state = page.indicatorText();
            context.err << "flowcfg-cli measure: "
                        << (state.empty() ? std::string("the instrument answers again") : state)
                        << "\n";
        }
    };
    const bool ran = session.run(
        page, [&] { return request.cycles && printed >= *request.cycles; }, each);
    const bool interrupted = session.interrupted();
    // The normal ends: the cycles asked for, or the recording's duration. A page that closed
    // otherwise was stopped by a failure it has reported (a full disk, a refused file).
    const bool finished = (request.cycles && printed >= *request.cycles) ||
                          (request.duration && page.clock().durationElapsed(page.InstrumentTime()));
    // A recording ends as the record button ends it: the page stops polling and closes, every
    // sample already written stays in the file.
    if (page.recordingState() != AcquisitionPage::kIdle) page.ToggleRecording();
    page.Close();
    if (request.record)
        context.err << "flowcfg-cli measure: " << page.sampleCounter() << " samples in "
                    << *request.record << "\n";
    if (interrupted) {
        context.err << "flowcfg-cli measure: stopped\n";
        return 0;
    }
    return ran && finished ? 0 : 1;
}

}  // namespace

// The measurement page from the command line: the live values of every complete cycle, or the
// samples of a recording, one tab-separated line each; with --record the cycles are recorded
// by the page's own recording (same file, records and split as the desktop tool's).
int runMeasureCommand(const std::vector<std::string>& args, CliContext& context) {
    std::set<std::string> valued = InstrumentOptions::Names();
    valued.insert({"cycles", "record", "period", "duration", "file", "sample"});
    CliOptions options(args, valued, {"all"});
    MeasureRequest request;
    std::string error = parse(options, request);
    std::optional<InstrumentTarget> target;
    if (error.empty()) target = InstrumentOptions::Resolve(options, context, error);
    if (!target) {
        context.err << "flowcfg-cli measure: " << error << "\n" << kUsage;
        return 2;
    }
    PageSession session(*target, context, "measure");
    return request.file ? showFile(session, context, request) : measure(session, context, request);
}

}  // namespace flowcfg::cli
