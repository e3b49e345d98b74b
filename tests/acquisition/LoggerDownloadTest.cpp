// The logger's record lines, range text and download chain, without an instrument: the chain is
// fed the completions a link would give.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "acquisition/LoggerDownload.h"
#include "common/TempDir.h"
#include "texts/LanguageTable.h"

namespace flowcfg {
namespace {

using testing::readFile;
using testing::TempDir;

// A record of N entries: the date, then entries of (value bits, category | statistic << 4,
// name, type | unit << 2, I.Q.).
struct RecordBuilder {
    std::vector<std::uint8_t> bytes;
    explicit RecordBuilder(int parameters, std::vector<std::uint8_t> date = {24, 3, 1, 13, 5, 9})
        : bytes(static_cast<std::size_t>(LoggerRecord::bytes(parameters)), 0) {
        std::copy(date.begin(), date.end(), bytes.begin());
    }
    RecordBuilder& entry(int i, std::uint32_t bits, int category, int statistic, int name, int type,
                         int unit, int quality) {
        std::uint8_t* e = &bytes[6 + 8 * i];
        for (int k = 0; k < 4; ++k)
            e[k] = static_cast<std::uint8_t>(bits >> (24 - 8 * k));
        e[4] = static_cast<std::uint8_t>(category | statistic << 4);
        e[5] = static_cast<std::uint8_t>(name);
        e[6] = static_cast<std::uint8_t>(type | unit << 2);
        e[7] = static_cast<std::uint8_t>(quality | 0x80);  // bit 7 is not the I.Q.'s
        return *this;
    }
};

std::uint32_t floatBits(float f) {
    return std::bit_cast<std::uint32_t>(f);
}

TEST(LoggerLinesTest, HeaderAndRecordLineAsTheLogFileHoldsThem) {
    LoggerLines english(LanguageTable::English, '.');
    EXPECT_EQ(english.header(2),
              "Date\tTime\tDateTime\tParameter - 1\tValue\tUnit\tI.Q.\t"
              "Parameter - 2\tValue\tUnit\tI.Q.\t\n");

    RecordBuilder r(6);
    r.entry(0, floatBits(45.1236f), 2, 1, 1, 0, 0, 97)       // Pipe A / Q / Average, l/s
        .entry(1, 0xFFFFFFFFu, 0, 0, 2, 1, 19, 100)          // unsigned, Min
        .entry(2, 0xFFFFFFFEu, 1, 3, 3, 2, 5, 0)             // signed -2, Instant: no statistic
        .entry(3, 0x84000001u, 3, 2, 0, 3, 8, 55)            // flags: bits 0, 26, 31; Max
        .entry(4, floatBits(-0.0005f), 10, 1, 7, 0, 40, 1)   // no name list; unit 40 unknown
        .entry(5, floatBits(1482.5f), 6, 15, 99, 0, 5, 12);  // name 99 beyond list 50
    const std::string expected = std::string(
                                     "01/03/2024\t13:05:09\t45352.545243\t"
                                     "Pipe A / Q / Average\t45.124\tl/s\t97\t"
                                     "General / Totalizer 1 / Min\t4294967295\tm3\t100\t"
                                     "Pipe / Sp. Sound\t-2\tm/s\t0\t"
                                     "Pipe B / Status / Max\tA") +
                                 std::string(25, '_') +
                                 "0____5\tns\t55\t"
                                 "Internal fct. / 7 / Average\t-0.001\t40\t1\t"
                                 "-- / 99\t1482.500\tm/s\t12\t\n";
    EXPECT_EQ(english.recordLine(r.bytes.data(), 6), expected);

    // A comma for the numbers; the texts keep their points.
    LoggerLines french(LanguageTable::French, ',');
    const std::string line = french.recordLine(r.bytes.data(), 6);
    EXPECT_NE(line.find("\t45352,545243\t"), std::string::npos) << line;
    EXPECT_NE(line.find("\t45,124\t"), std::string::npos) << line;
    EXPECT_NE(line.find("\t1482,500\t"), std::string::npos) << line;
    EXPECT_EQ(line.find("45.1"), std::string::npos) << line;
    EXPECT_NE(line.find("Fct. interne"), std::string::npos) << line;
}

TEST(LoggerLinesTest, EveryFlagHasItsCharacter) {
    EXPECT_EQ(LoggerLines::flagsText(0xFFFFFFFFu), "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");
    EXPECT_EQ(LoggerLines::flagsText(0), std::string(32, '_'));
    EXPECT_EQ(LoggerLines::flagsText(1u << 25 | 1u << 26),
              std::string(25, '_') + "Z0" + std::string(5, '_'));
}

TEST(LoggerStateTest, RangeTextHasFourForms) {
    struct Case {
        std::int64_t period, capacity;
        int language;
        const char* text;
    } cases[] = {
        {86400, 2000, LanguageTable::English, "more than 5 years"},
        {86400, 2000, LanguageTable::French, "plus de 5 ans"},
        {3600, 20000, LanguageTable::English, "2 y, 3 m, 10 d "},  // 833 days
        {3600, 20000, LanguageTable::French, "2 an, 3 m, 10 j "},
        {3600, 8760 * 2, LanguageTable::English, "2 y"},  // exactly two years
        {3600, 8760 + 24 * 31, LanguageTable::English, "1 y, 1 m"},
        {600, 20000, LanguageTable::English, "4 m, 14 d, 21 h "},  // 138.9 days
        {10, 20000, LanguageTable::English, "2 d, 7 h, 33 mn "},   // 55.5 hours
        {1, 0, LanguageTable::English, "0 d, 0 h, 0 mn "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoggerState::rangeText(c.period, c.capacity, c.language), c.text)
            << c.period << " x " << c.capacity;
}

TEST(LoggerDownloadTest, ReadsWholeRecordsUpTo125RegistersAndSplitsLargerOnes) {
    struct Case {
        int recordBytes;
        long left;
        std::size_t inHand;
        int registers;
    } cases[] = {
        {24, 1000, 0, 120},                     // N = 2: 10 records
        {24, 3, 0, 36},                         // only what is still to load
        {248, 5, 0, 124},                       // N = 30: one record
        {256, 5, 0, 125},                       // N = 31: a record of 128 registers in two reads
        {256, 5, 250, 3},   {328, 5, 0, 125},   // N = 40: 164 registers
        {328, 5, 250, 39},  {416, 1, 250, 83},  // N = 51: 208 registers
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoggerDownload::readCount(c.recordBytes, c.left, c.inHand), c.registers)
            << c.recordBytes << " " << c.left << " " << c.inHand;
}

class RecordingView : public LoggerDownloadView {
public:
    void showState(const LoggerState& s, const std::string& range) override {
        state = s;
        rangeText = range;
    }
    void showRecordsToLoad(long records) override { toLoad = records; }
    void showRecordsLoaded(long n, const std::string& last) override {
        loaded.push_back(n);
        lastRecord = last;
    }
    void showProgressText(const std::string& text) override { progressText = text; }

    LoggerState state;
    std::string rangeText, lastRecord, progressText;
    long toLoad = -1;
    std::vector<long> loaded;
};

// The chain of a simulated instrument that answers every request at once.
struct Chain {
    TempDir dir;
    RecordingView view;
    LoggerDownload download{LanguageTable::English, '.', view};
    std::string path = dir.file("logger.log");
    int parameters;
    long written;

    Chain(int n, long records) : parameters(n), written(records) {}

    static JBusRequest completion(const JBusRequest& request, Bytes data) {
        JBusRequest r = request;
        r.data = std::move(data);
        r.result = 0;
        return r;
    }
    LoggerDownload::Step state() {
        Bytes b(14, 0);
        b[0] = static_cast<std::uint8_t>(parameters >> 8);
        b[1] = static_cast<std::uint8_t>(parameters);
        b[2] = static_cast<std::uint8_t>(written >> 24);
        b[3] = static_cast<std::uint8_t>(written >> 16);
        b[4] = static_cast<std::uint8_t>(written >> 8);
        b[5] = static_cast<std::uint8_t>(written);
        b[8] = 0x4E, b[9] = 0x20;  // 20000 records
        b[13] = 60;                // one a minute
        return download.handle(completion(LoggerDownload::stateRequest(1), b));
    }
    // Answers a request: a write with its echo, a read of the logger memory with records
    // whose first entry holds their number.
    LoggerDownload::Step answer(const JBusRequest& request, std::int32_t searchResult = 0) {
        if (request.function == 16) return download.handle(completion(request, {0, 0, 2}));
        if (request.start == LoggerDownload::kSearchResultAddress) {
            const auto u = static_cast<std::uint32_t>(searchResult);
            return download.handle(
                completion(request, {std::uint8_t(u >> 24), std::uint8_t(u >> 16),
                                     std::uint8_t(u >> 8), std::uint8_t(u)}));
        }
        Bytes data;
        const int recordRegisters = LoggerRecord::bytes(parameters) / 2;
        for (int reg = 0; reg < request.count; ++reg) {
            const long absolute = long(base) + request.start + reg;
            RecordBuilder r(parameters);
            r.entry(0, std::uint32_t(absolute / recordRegisters), 0, 3, 1, 1, 0, 99);
            const std::size_t at = 2 * std::size_t(absolute % recordRegisters);
            data.push_back(r.bytes[at]);
            data.push_back(r.bytes[at + 1]);
        }
        return download.handle(completion(request, data));
    }
    std::uint32_t base = 0;  // the window base the instrument was told last
    void track(const JBusRequest& r) {
        if (r.function == 16 && r.start == LoggerDownload::kWindowAddress)
            base = std::uint32_t(r.data[0]) << 24 | std::uint32_t(r.data[1]) << 16 |
                   std::uint32_t(r.data[2]) << 8 | r.data[3];
    }
    // Runs the chain from `step` on until it ends; the requests made on the way.
    std::vector<JBusRequest> runFrom(LoggerDownload::Step step) {
        std::vector<JBusRequest> requests;
        while (step.action == LoggerDownload::Action::Request) {
            requests.push_back(step.request);
            track(step.request);
            step = answer(step.request);
        }
        last = step.action;
        return requests;
    }
    LoggerDownload::Action last = LoggerDownload::Action::Wait;
};

TEST(LoggerDownloadTest, AllRecordsStartAtWindowBaseZeroAndMoveTheWindowAfter50000Registers) {
    Chain c(2, 5000);  // 60 000 registers
    // Opening: the state is shown and the link left waiting.
    EXPECT_EQ(c.state().action, LoggerDownload::Action::Wait);
    EXPECT_EQ(c.view.state.parameters, 2);
    EXPECT_EQ(c.view.rangeText, "13 d, 21 h, 20 mn ");

    ASSERT_TRUE(c.download.start(c.path));
    const LoggerDownload::Step first = c.state();
    ASSERT_EQ(first.action, LoggerDownload::Action::Request);
    EXPECT_EQ(first.request.function, 16);
    EXPECT_EQ(first.request.start, 0xE040);
    EXPECT_EQ(first.request.data, (Bytes{0, 0, 0, 0}));
    const std::vector<JBusRequest> requests = c.runFrom(first);
    EXPECT_EQ(c.last, LoggerDownload::Action::Finished);

    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(requests[1].function, 4);
    EXPECT_EQ(requests[1].start, 0);
    EXPECT_EQ(requests[1].count, 120);  // 10 records of 24 bytes
    // Reads of 120 registers at 0, 120 ... 49 920; the next ends at 50 040, past the window.
    std::size_t move = 0;
    for (std::size_t i = 2; i < requests.size() && !move; ++i)
        if (requests[i].function == 16) move = i;
    ASSERT_NE(move, 0u);
    EXPECT_EQ(requests[move - 1].start, 49920);
    EXPECT_EQ(requests[move].data, (Bytes{0, 0, 0xC3, 0x50}));  // 50 000
    EXPECT_EQ(requests[move + 1].function, 4);
    EXPECT_EQ(requests[move + 1].start, 40);
    for (const JBusRequest& r : requests)
        EXPECT_GT(r.count, 0);

    // One header and 5000 complete lines, records 0 ... 4999 in order.
    const std::string text = readFile(c.path);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5001);
    EXPECT_NE(text.find("\tGeneral / QT\t0\tl/s\t99\t"), std::string::npos);
    EXPECT_NE(text.find("\tGeneral / QT\t4999\tl/s\t99\t"), std::string::npos);
    EXPECT_EQ(text.find("\tGeneral / QT\t5000\t"), std::string::npos);
    EXPECT_EQ(c.view.toLoad, 5000);
    EXPECT_EQ(c.view.loaded.back(), 5000);
    EXPECT_EQ(c.view.lastRecord, "01/03/2024 - 13:05:09");
}

TEST(LoggerDownloadTest, RecordsLargerThanOneReadArriveWhole) {
    Chain c(40, 7);  // 164 registers a record
    ASSERT_TRUE(c.download.start(c.path));
    const std::vector<JBusRequest> requests = c.runFrom(c.state());
    EXPECT_EQ(c.last, LoggerDownload::Action::Finished);
    ASSERT_EQ(requests.size(), 1u + 2 * 7);
    EXPECT_EQ(requests[1].count, 125);
    EXPECT_EQ(requests[2].start, 125);
    EXPECT_EQ(requests[2].count, 39);
    EXPECT_EQ(requests[3].start, 164);
    const std::string text = readFile(c.path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 8);
    for (int k = 0; k < 7; ++k)
        EXPECT_NE(text.find("\tGeneral / QT\t" + std::to_string(k) + "\t"), std::string::npos);
}

TEST(LoggerDownloadTest, DateSearchWaitsWhileSearchingAndStartsAtTheFoundOffset) {
    Chain c(2, 300);
    InstrumentDate from{2024, 3, 1, 12, 30, 15};
    ASSERT_TRUE(c.download.start(c.path, from));
    LoggerDownload::Step step = c.state();
    ASSERT_EQ(step.action, LoggerDownload::Action::Request);
    EXPECT_EQ(step.request.function, 16);
    EXPECT_EQ(step.request.start, 0xE048);
    EXPECT_EQ(step.request.count, 3);
    EXPECT_EQ(step.request.data, (Bytes{24, 3, 1, 12, 30, 15}));
    step = c.answer(step.request);
    ASSERT_EQ(step.request.start, 0xE04C);
    step = c.answer(step.request, -1);  // still searching: asked again
    ASSERT_EQ(step.action, LoggerDownload::Action::Request);
    ASSERT_EQ(step.request.start, 0xE04C);
    step = c.answer(step.request, 1200);  // record 100
    ASSERT_EQ(step.request.start, 0xE040);
    EXPECT_EQ(step.request.data, (Bytes{0, 0, 0x04, 0xB0}));
    EXPECT_EQ(c.view.toLoad, 200);
    c.runFrom(step);
    EXPECT_EQ(c.last, LoggerDownload::Action::Finished);
    const std::string text = readFile(c.path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 201);
    EXPECT_NE(text.find("\tGeneral / QT\t100\t"), std::string::npos);
    EXPECT_EQ(text.find("\tGeneral / QT\t99\t"), std::string::npos);
}

TEST(LoggerDownloadTest, NoRecordAfterTheDateLeavesAHeaderOnlyFileAndWaitsOnTheState) {
    Chain c(2, 300);
    ASSERT_TRUE(c.download.start(c.path, InstrumentDate{2030, 1, 1, 0, 0, 0}));
    LoggerDownload::Step step = c.answer(c.answer(c.state().request).request, -2);
    EXPECT_EQ(step.action, LoggerDownload::Action::NoRecordAfterDate);
    EXPECT_EQ(step.request.start, 0x0200);
    EXPECT_EQ(step.request.function, 3);
    EXPECT_FALSE(c.download.downloading());
    EXPECT_EQ(readFile(c.path), LoggerLines(LanguageTable::English, '.').header(2));
}

TEST(LoggerDownloadTest, EndsTheChainOnFailures) {
    Chain c(2, 300);
    JBusRequest empty = LoggerDownload::stateRequest(1);
    empty.result = 251;
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(c.download.handle(empty).action, LoggerDownload::Action::Repeat) << i;
    EXPECT_EQ(c.download.handle(empty).action, LoggerDownload::Action::CommunicationFailure);

    // A success in between starts the count again.
    Chain d(2, 300);
    for (int i = 0; i < 15; ++i)
        d.download.handle(empty);
    d.state();
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(d.download.handle(empty).action, LoggerDownload::Action::Repeat) << i;

    for (int n : {0, 52, 300}) {
        Chain e(n, 300);
        EXPECT_EQ(e.state().action, LoggerDownload::Action::NoLogger) << n;
    }
    Chain full(51, 0);  // a logger without records: a header-only file
    ASSERT_TRUE(full.download.start(full.path));
    EXPECT_EQ(full.state().action, LoggerDownload::Action::Finished);
    EXPECT_EQ(readFile(full.path), LoggerLines(LanguageTable::English, '.').header(51));
}

TEST(LoggerDownloadTest, StoppedHalfWayTheFileHoldsCompleteLines) {
    Chain c(3, 1000);
    ASSERT_TRUE(c.download.start(c.path));
    LoggerDownload::Step step = c.state();
    for (int i = 0; i < 7; ++i) {
        c.track(step.request);
        step = c.answer(step.request);
    }
    c.download.stop();
    const std::string text = readFile(c.path);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    const long lines = std::count(text.begin(), text.end(), '\n');
    EXPECT_EQ(lines, 1 + c.download.recordsLoaded());
    EXPECT_GT(c.download.recordsLoaded(), 0);
    EXPECT_FALSE(c.download.start(c.dir.file("missing/logger.log")));
    EXPECT_EQ(c.download.fileError(), ENOENT);
}

}  // namespace
}  // namespace flowcfg
