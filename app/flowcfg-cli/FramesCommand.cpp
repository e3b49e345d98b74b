#include <ostream>
#include <string>

#include "CliCommands.h"
#include "CliOptions.h"
#include "InstrumentOptions.h"
#include "PageSession.h"
#include "acquisition/TestBenchPage.h"

namespace flowcfg::cli {
namespace {

const char* kUsage =
    "usage: flowcfg-cli frames [--block 0xF100|0xF200] [--count N] [--record FILE.trameSpi]\n"
    "                          [link options]\n"
    "link options: --config PATH --port COMn|DEVICE --baud-index I --slave S\n";

// A frame that does not come within this time ends the command (frames come 500 ms apart).
constexpr auto kFrameWait = std::chrono::seconds(30);

// The columns of a frame line, in order: the ten one-byte fields, the flags, the two 32-bit
// values and the 16-bit values (the chords' under their export titles).
std::vector<int> frameFields() {
    std::vector<int> ids;
    for (int i = 0; i < tbctl::kByteFields; ++i)
        ids.push_back(tbctl::byteField(i));
    ids.push_back(tbctl::kFlags);
    for (int j = 0; j < tbctl::kLongValues; ++j)
        ids.push_back(tbctl::longValue(j));
    for (int k = 0; k < tbctl::kWordValues; ++k)
        ids.push_back(tbctl::wordValue(k));
    return ids;
}

std::string title(TestBenchPage& page, int id) {
    const int word = (id - tbctl::kWordValue) / 3;
    if (id >= tbctl::kWordValue && word < tbctl::kChords * tbctl::kChordWords)
        return TestBenchPage::ChordTitle(word / tbctl::kChordWords, word % tbctl::kChordWords);
    BoundField* field = page.table().FindField(id);
    return field ? page.text(field->descriptor().captionText) : std::string();
}

void printTitles(std::ostream& out, TestBenchPage& page, const std::vector<int>& ids) {
    BoundField* date = page.table().FindField(tbctl::kDateTime);
    out << page.text(date ? date->descriptor().captionText : 162);
    for (int id : ids)
        out << "\t" << title(page, id);
    out << "\n";
}

void printFrame(std::ostream& out, TestBenchPage& page, const std::vector<int>& ids) {
    out << page.fieldText(tbctl::kDateTime);
    for (int id : ids)
        out << "\t" << page.fieldText(id);
    out << "\n";
    out.flush();
}

}  // namespace

// The timing circuit's raw frames from the command line, as the test bench page reads and
// decodes them: the instrument's and the timing software's versions, a line of column titles,
// then one tab-separated line per frame, until --count frames (or Ctrl-C). --record keeps every
// frame in a ".trameSpi" recording as the page's record button does.
int runFramesCommand(const std::vector<std::string>& args, CliContext& context) {
    std::set<std::string> valued = InstrumentOptions::Names();
    valued.insert({"block", "count", "record"});
    CliOptions options(args, valued, {});
    std::string error = options.ok() ? std::string() : options.error();
    if (error.empty() && !options.positional().empty())
        error = "unexpected argument " + options.positional()[0];
    int block = TestBenchPage::kFirstFrameBlock;
    if (error.empty() && options.has("block")) {
        const auto value = options.integer("block", error);
        if (value && *value != TestBenchPage::kFirstFrameBlock &&
            *value != TestBenchPage::kSecondFrameBlock)
            error = "--block: give 0xF100 or 0xF200";
        else if (value)
            block = int(*value);
    }
    long long count = 0;  // 0: until Ctrl-C
    if (error.empty() && options.has("count")) {
        const auto value = options.integer("count", error);
        if (value && (*value < 1 || *value > 100000000))
            error = "--count: give a number of frames from 1 on";
        else if (value)
            count = *value;
    }
    const std::string record = options.value("record").value_or("");
    if (error.empty() && options.has("record") && record.empty()) error = "--record: give a path";
    std::optional<InstrumentTarget> target;
    if (error.empty()) target = InstrumentOptions::Resolve(options, context, error);
    if (!target) {
        context.err << "flowcfg-cli frames: " << error << "\n" << kUsage;
        return 2;
    }

    PageSession session(*target, context, "frames");
    if (session.Open() != 0) return 1;
    TestBenchPage page(session.application(), session.terminal(), session.link(), block);
    session.attach(page);
    if (!record.empty()) {
        page.setRecordPath(record);
        page.ToggleRecording();
    }
    if (page.OpenPage() != 0) return 1;
    const std::vector<int> ids = frameFields();
    context.out << page.text(237) << ": " << page.fieldText(AcquisitionPage::kIdFirmware) << "\n";
    long printed = 0;
    auto each = [&] {
        if (page.frames() <= printed) return;
        if (printed == 0) {
            context.out << page.text(461) << ": " << page.fieldText(tbctl::kTimingSoftware) << "\n";
            printTitles(context.out, page, ids);
        }
        printed = page.frames();
        printFrame(context.out, page, ids);
    };
    const bool ended = session.run(
        page, [&] { return count > 0 && printed >= count; }, each, kFrameWait);
    const bool closedByItself = page.closed();
    const int samples = page.sampleCounter();
    const bool recording = page.recordingState() == AcquisitionPage::kRecording;
    page.Close();
    if (!record.empty() && recording) context.out << record << ": " << samples << " frames\n";
    // Ctrl-C ends a run without --count as it was meant to.
    if (!ended && session.interrupted() && count == 0) return 0;
    // A stalled line has been reported by the session, a failed recording by the page.
    return !ended || closedByItself || (!record.empty() && !recording) ? 1 : 0;
}

}  // namespace flowcfg::cli
