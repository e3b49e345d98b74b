// The test bench page: its flag letters, and end to end against flowsim: every frame recorded
// whatever the sample period, the recording shown frame by frame and exported with its chord
// columns and delta-T chart.
#include "acquisition/TestBenchPage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <sstream>

#include "XlsxReader.h"
#include "acquisition/CompletionQueue.h"
#include "acquisition/SpreadsheetProgram.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "sim/SimTestSupport.h"

namespace flowcfg {
namespace {

using namespace flowcfg::testing;
using namespace std::chrono_literals;

std::vector<std::string> split(const std::string& text, char by) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, by))
        parts.push_back(part);
    return parts;
}

// The fixed PC clock of the test and its local time as the export writes it.
constexpr std::time_t kPcTime = 1780000000;
std::string localText(const char* format) {
    std::time_t at = kPcTime;
    std::tm local{};
    localtime_r(&at, &local);
    char text[64];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

std::vector<int> requestedStarts(const std::string& log) {
    std::vector<int> starts;
    for (const std::string& line : split(log, '\n')) {
        unsigned start = 0;
        if (std::sscanf(line.c_str(), "%*f slave=%*u fn=%*d start=0x%x", &start) == 1)
            starts.push_back(int(start));
    }
    return starts;
}

TEST(TestBenchFlagsTest, FlagWordsPrintTenCharactersBitZeroFirst) {
    struct Case {
        unsigned word;
        const char* text;
    };
    for (Case c : {Case{0x0205, "a_c______j"}, Case{0x0000, "__________"},
                   Case{0x03FF, "abcdefghij"}, Case{0xFC00, "__________"},  // bits 10 ... 15
                   Case{0x0010, "____e_____"}})
        EXPECT_EQ(TestBenchPage::FlagText(c.word), c.text) << std::hex << c.word;
}

TEST(TestBenchPageTest, EveryFrameIsRecordedThenShownAndExportedFrameByFrame) {
    TestApplication t;
    ScriptedPrompts prompts;
    RunningSim sim({});
    PortTable ports;
    ports.Assign(9, sim.path());
    PortTable::Install(ports);
    IniFile config = t.config();
    config.writeReal("Com", "Port", 8);
    config.writeReal("Com", "Bauds", 5);
    config.writeReal("Com", "JBus", 1);
    config.writeReal("Language", "Language", 1);  // English
    config.writeReal("File Save", "Sample Record Time", 10);
    InstrumentLink link;
    const std::string path = t.dir.file("bench.trameSpi");

    // A PC clock that stands still: a period of 10 s would let one sample through, but every
    // frame is a sample.
    constexpr int kFrames = 4;
    std::vector<std::string> numbers, deltaT;  // of each recorded frame
    {
        TestBenchPage page(t.app, prompts, link, TestBenchPage::kSecondFrameBlock);
        page.setPcClock([] { return kPcTime; });
        CompletionQueue queue;
        queue.attach(page);
        page.setRecordPath(path);
        page.ToggleRecording();
        ASSERT_EQ(page.OpenPage(), 0);
        const auto end = std::chrono::steady_clock::now() + 30s;
        while (page.sampleCounter() < kFrames && !page.closed() &&
               std::chrono::steady_clock::now() < end)
            if (queue.pump(page, 100ms) && page.sampleCounter() > int(numbers.size())) {
                numbers.push_back(page.fieldText(tbctl::byteField(tbctl::kNumberByte)));
                deltaT.push_back(page.fieldText(tbctl::chordValue(0, 0)));
            }
        ASSERT_EQ(page.sampleCounter(), kFrames);
        EXPECT_EQ(page.frames(), kFrames);
        EXPECT_EQ(page.fieldText(tbctl::kTimingSoftware), "TDC-1.04");
        EXPECT_EQ(page.deltaTHistory().size(), std::size_t(kFrames));
        page.Close();
    }
    std::vector<int> starts = requestedStarts(sim.log());
    ASSERT_GE(starts.size(), std::size_t(2 + kFrames));
    EXPECT_EQ(starts[0], 0xFF00);
    EXPECT_EQ(starts[1], 0xF300);
    for (std::size_t i = 2; i < starts.size(); ++i)
        EXPECT_EQ(starts[i], 0xF200) << i;
    const std::string log = sim.log();
    EXPECT_NE(log.find("start=0xF200 count=64"), std::string::npos) << log;

    // The recording, opened as "Ouvrir" opens it (on the first frame block), shows each frame.
    TestBenchPage viewer(t.app, prompts, link);
    ASSERT_EQ(viewer.OpenPage(path), 0);
    ASSERT_EQ(viewer.sampleCount(), kFrames);
    ASSERT_EQ(viewer.deltaTHistory().size(), std::size_t(kFrames));
    for (int k = 0; k < kFrames; ++k) {
        ASSERT_EQ(viewer.ShowSample(k), 0);
        EXPECT_EQ(viewer.fieldText(tbctl::byteField(tbctl::kNumberByte)), numbers[std::size_t(k)]);
        EXPECT_EQ(viewer.fieldText(tbctl::chordValue(0, 0)), deltaT[std::size_t(k)]);
        EXPECT_EQ(viewer.deltaTHistory()[std::size_t(k)].deltaT[0],
                  std::stod(deltaT[std::size_t(k)]));
        // flowsim sets flag bits 0 and 2, and bit 9 on every other frame.
        const std::string flags = viewer.fieldText(tbctl::kFlags);
        EXPECT_TRUE(flags == "a_c______j" || flags == "a_c_______") << flags;
        EXPECT_EQ(viewer.fieldText(tbctl::kDateTime), localText("%d/%m/%Y - %H:%M:%S"));
    }
    EXPECT_NE(std::stoi(numbers[0]), std::stoi(numbers[1]));

    // The text export: three header lines, the column titles, a line per frame.
    SpreadsheetExport::Request request;
    request.recordPath = viewer.recordedPath();
    request.convert = true;
    request.automatic = true;
    request.startProgram = false;
    request.workbook = false;
    request.output = t.dir.file("bench.prn");
    ASSERT_EQ(viewer.Export(request), 0);
    const std::vector<std::string> lines = split(readFile(t.dir.file("bench.prn")), '\n');
    ASSERT_EQ(lines.size(), std::size_t(4 + kFrames));
    EXPECT_EQ(lines[0], "Firmware\t03-12-B2.14\r");
    EXPECT_EQ(lines[1], "Timing software\tTDC-1.04\r");
    EXPECT_EQ(lines[2], "6\t\r");
    const std::vector<std::string> titles = split(lines[3], '\t');
    ASSERT_EQ(titles.size(), 3u + 10u + 18u);
    EXPECT_EQ(titles[2], "DateTime");
    EXPECT_EQ(titles[3], "Version");
    EXPECT_EQ(titles[7], "N°");
    EXPECT_EQ(titles[13], "1DT");
    EXPECT_EQ(titles[14], "1AMAV");
    EXPECT_EQ(titles.back(), "6AVAM");
    for (int k = 0; k < kFrames; ++k) {
        const std::vector<std::string> row = split(lines[std::size_t(4 + k)], '\t');
        ASSERT_EQ(row.size(), titles.size()) << k;
        EXPECT_EQ(row[0], std::to_string(k + 1));
        EXPECT_EQ(row[1], localText("%d/%m/%Y %H:%M:%S"));
        EXPECT_EQ(row[7], numbers[std::size_t(k)]);
        EXPECT_EQ(row[13], deltaT[std::size_t(k)]);
    }

    // The workbook: the six chords' delta-T in one chart.
    request.workbook = true;
    request.output = t.dir.file("bench.xlsx");
    ASSERT_EQ(viewer.Export(request), 0);
    XlsxReader workbook(t.dir.file("bench.xlsx"));
    ASSERT_TRUE(workbook.ok()) << workbook.error();
    std::optional<XlsxReader::Chart> chart;
    for (const std::string& sheet : workbook.sheetNames())
        if (!chart) chart = workbook.chart(sheet);
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->title, "Delta T");
    ASSERT_EQ(chart->series.size(), 6u);
    EXPECT_EQ(chart->series[0].name, "1DT");
    EXPECT_EQ(chart->series[5].name, "6DT");
    EXPECT_TRUE(prompts.errors.empty());
}

}  // namespace
}  // namespace flowcfg
