// The logger download chain against flowsim on a pseudo-terminal, compared record by record with
// the logger memory read on its own.
#include <gtest/gtest.h>

#include <sstream>

#include "acquisition/LoggerDownloadLoop.h"
#include "common/TempDir.h"
#include "link/PortTable.h"
#include "sim/SimTestSupport.h"
#include "texts/LanguageTable.h"

namespace flowcfg {
namespace {

using testing::readFile;
using testing::RunningSim;

class NoView : public LoggerDownloadView {
public:
    void showState(const LoggerState& s, const std::string&) override { state = s; }
    void showRecordsToLoad(long) override {}
    void showRecordsLoaded(long n, const std::string&) override { loaded = n; }
    void showProgressText(const std::string&) override {}
    LoggerState state;
    long loaded = 0;
};

struct LoggerSim {
    static constexpr int kPort = 9;
    RunningSim sim;
    InstrumentLink link;
    NoView view;
    LoggerDownload download{LanguageTable::English, '.', view};
    std::string path = sim.dir().file("logger.log");

    explicit LoggerSim(std::vector<std::string> args) : sim(std::move(args)) {
        PortTable table;
        table.Assign(kPort, sim.path());
        PortTable::Install(table);
        EXPECT_EQ(link.Open(kPort, 5, 'N', 8, 1), 0);
        link.SetAnswerTimeout(1000);
    }
    ~LoggerSim() { link.Close(); }

    // The first `records` records of the logger memory, read in plain steps of 125 registers.
    std::vector<std::uint8_t> memory(int parameters, long records) {
        const long total = records * LoggerRecord::bytes(parameters) / 2;
        std::vector<std::uint8_t> bytes;
        long base = -1;
        for (long at = 0; at < total;) {
            if (at / 50000 * 50000 != base) {
                base = at / 50000 * 50000;
                Bytes window = {0, std::uint8_t(base >> 16), std::uint8_t(base >> 8),
                                std::uint8_t(base)};
                EXPECT_EQ(link.Exchange(1, 16, 0xE040, 2, window), 0);
            }
            const int count =
                static_cast<int>(std::min(125L, std::min(total - at, base + 50000 - at)));
            Bytes data;
            EXPECT_EQ(link.Exchange(1, 4, static_cast<int>(at - base), count, data), 0);
            bytes.insert(bytes.end(), data.begin(), data.end());
            at += count;
        }
        return bytes;
    }

    // The lines a ".log" file of these records holds.
    static std::vector<std::string> expectedLines(int parameters,
                                                  const std::vector<std::uint8_t>& memory,
                                                  long first = 0) {
        LoggerLines lines(LanguageTable::English, '.');
        std::vector<std::string> out = {lines.header(parameters)};
        const std::size_t r = static_cast<std::size_t>(LoggerRecord::bytes(parameters));
        for (std::size_t at = first * r; at + r <= memory.size(); at += r)
            out.push_back(lines.recordLine(&memory[at], parameters));
        return out;
    }
    std::vector<std::string> fileLines() const {
        std::vector<std::string> out;
        std::istringstream in(readFile(path));
        for (std::string line; std::getline(in, line);)
            out.push_back(line + "\n");
        return out;
    }
};

TEST(LoggerSimTest, DownloadsEveryRecordAsTheInstrumentHoldsIt) {
    struct Case {
        int parameters;
        long records;
        std::vector<std::string> faults;
    } cases[] = {
        {2, 5000, {"--fault", "badcrc~0.02"}},  // 60 000 registers: two windows
        {40, 700, {}},                          // 164 registers a record: reads in two parts
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"--logger-params", std::to_string(c.parameters),
                                         "--logger-records", std::to_string(c.records)};
        args.insert(args.end(), c.faults.begin(), c.faults.end());
        LoggerSim s(args);
        ASSERT_TRUE(s.download.start(s.path));
        const auto outcome = LoggerDownloadLoop::run(s.link, 1, s.download);
        EXPECT_EQ(outcome.action, LoggerDownload::Action::Finished) << c.parameters;
        EXPECT_EQ(s.view.state.parameters, c.parameters);
        EXPECT_EQ(s.view.loaded, c.records);
        EXPECT_FALSE(s.link.IsPolling());
        const std::vector<std::string> got = s.fileLines();
        const std::vector<std::string> expected =
            LoggerSim::expectedLines(c.parameters, s.memory(c.parameters, c.records));
        ASSERT_EQ(got.size(), expected.size()) << c.parameters;
        for (std::size_t i = 0; i < got.size(); ++i)
            ASSERT_EQ(got[i], expected[i]) << "N = " << c.parameters << ", line " << i;
    }
}

TEST(LoggerSimTest, FromADateAndPastTheLastRecord) {
    LoggerSim s({"--logger-params", "2", "--logger-records", "300"});
    const std::vector<std::uint8_t> memory = s.memory(2, 300);
    // From the date of record 120 on.
    ASSERT_TRUE(s.download.start(s.path, LoggerRecord::date(&memory[120 * 24])));
    EXPECT_EQ(LoggerDownloadLoop::run(s.link, 1, s.download).action,
              LoggerDownload::Action::Finished);
    EXPECT_EQ(s.fileLines(), LoggerSim::expectedLines(2, memory, 120));

    // After the newest record: a header-only file, the state read waiting again.
    InstrumentDate late = LoggerRecord::date(&memory[299 * 24]);
    late.year += 1;
    ASSERT_TRUE(s.download.start(s.path, late));
    EXPECT_EQ(LoggerDownloadLoop::run(s.link, 1, s.download).action,
              LoggerDownload::Action::NoRecordAfterDate);
    EXPECT_EQ(s.fileLines(), std::vector<std::string>{LoggerLines(2, '.').header(2)});
}

TEST(LoggerSimTest, ASilentInstrumentEndsTheChainAfter20EmptyCompletions) {
    LoggerSim s({"--fault", "noanswer"});
    s.link.SetAnswerTimeout(20);
    EXPECT_EQ(LoggerDownloadLoop::run(s.link, 1, s.download).action,
              LoggerDownload::Action::CommunicationFailure);
    // 21 completions of three tries each.
    const std::string log = s.sim.log();
    int requests = 0;
    for (std::size_t at = log.find("fn=3"); at != std::string::npos; at = log.find("fn=3", at + 1))
        ++requests;
    EXPECT_EQ(requests, 21 * InstrumentLink::kTries);
}

}  // namespace
}  // namespace flowcfg
