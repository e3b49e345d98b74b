// The logger download chain against flowsim on a pseudo-terminal, compared record by record with
// the logger memory read on its own.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <deque>
#include <filesystem>
#include <sstream>
#include <thread>

#include "acquisition/CompletionQueue.h"
#include "acquisition/LoggerPage.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "sim/SimTestSupport.h"
#include "texts/LanguageTable.h"

namespace flowcfg {
namespace {

using namespace flowcfg::testing;
using namespace std::chrono_literals;

// The logger page on flowsim, as COM9 of the configuration, run without a window: the test
// thread takes the page's notifications as the window's message loop would.
struct LoggerSim {
    static constexpr int kPort = 9;
    TestApplication app;
    ScriptedPrompts prompts;
    RunningSim sim;
    InstrumentLink link;
    CompletionQueue queue;
    std::unique_ptr<LoggerPage> page;
    std::string path = app.dir.file("logger.log");

    explicit LoggerSim(std::vector<std::string> args) : sim(std::move(args)) {
        PortTable table;
        table.Assign(kPort, sim.path());
        PortTable::Install(table);
        IniFile config = app.config();
        config.writeReal("Com", "Port", kPort - 1);
        config.writeReal("Com", "Bauds", 5);
        config.writeReal("Com", "JBus", 1);
        config.writeReal("Language", "Language", 1);  // English
    }
    ~LoggerSim() { page.reset(); }

    // A new logger page on the instrument (the window opened again).
    void open(int opened = 0) {
        page = std::make_unique<LoggerPage>(app.app, prompts, link);
        queue.attach(*page);
        EXPECT_EQ(page->OpenPage(), opened);
    }

    // Takes notifications until `done` or the page closes; false when the time ran out.
    bool runUntil(const std::function<bool()>& done, std::chrono::seconds limit = 60s) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!done() && !page->closed()) {
            if (std::chrono::steady_clock::now() > end) return false;
            queue.pump(*page, 100ms);
        }
        return true;
    }
    // Opens the page, waits for the state and downloads to the end.
    LoggerDownload::Action downloadAll(std::optional<InstrumentDate> from = std::nullopt) {
        if (!page || page->closed()) open();
        EXPECT_TRUE(runUntil([this] { return page->stateShown(); }));
        EXPECT_EQ(page->StartDownload(path, from), 0);
        EXPECT_TRUE(runUntil([this] { return !page->downloading(); }));
        return page->lastAction();
    }

    // The first `records` records of the logger memory, read in plain steps of 125 registers
    // on a link of their own, once the page is done with the line.
    std::vector<std::uint8_t> memory(int parameters, long records) {
        if (page) page->Close();
        EXPECT_EQ(link.Open(kPort, 5, 'N', 8, 1), 0);
        link.SetAnswerTimeout(1000);
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
        link.Close();
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
        EXPECT_EQ(s.downloadAll(), LoggerDownload::Action::Finished) << c.parameters;
        EXPECT_TRUE(s.page->closed());
        EXPECT_FALSE(s.link.IsPolling());
        EXPECT_EQ(s.page->fieldText(lctl::kParameters), std::to_string(c.parameters));
        EXPECT_EQ(s.page->fieldText(lctl::kLoaded), std::to_string(c.records));
        EXPECT_TRUE(s.prompts.errors.empty());
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
    EXPECT_EQ(s.downloadAll(LoggerRecord::date(&memory[120 * 24])),
              LoggerDownload::Action::Finished);
    EXPECT_EQ(s.fileLines(), LoggerSim::expectedLines(2, memory, 120));
    EXPECT_EQ(s.page->fieldText(lctl::kToLoad), "180");

    // After the newest record: a header-only file, and the page waits on the state again.
    InstrumentDate late = LoggerRecord::date(&memory[299 * 24]);
    late.year += 1;
    s.open();
    EXPECT_EQ(s.downloadAll(late), LoggerDownload::Action::NoRecordAfterDate);
    EXPECT_FALSE(s.page->closed());
    ASSERT_EQ(s.prompts.errors.size(), 1u);
    EXPECT_EQ(s.prompts.errors[0].text, "No record after the date !");
    EXPECT_EQ(s.fileLines(), std::vector<std::string>{LoggerLines(2, '.').header(2)});
    // A download started then runs from the state read that waited.
    EXPECT_EQ(s.downloadAll(), LoggerDownload::Action::Finished);
    EXPECT_EQ(s.fileLines().size(), 301u);
}

TEST(LoggerSimTest, AStateThatNeverComesEndsThePageAfter20EmptyCompletions) {
    LoggerSim s({"--fault", "noanswer@0x0200"});
    s.link.SetAnswerTimeout(30);  // polling keeps the link's answer time-out
    s.open();
    EXPECT_TRUE(s.runUntil([] { return false; }, 30s));
    EXPECT_EQ(s.page->lastAction(), LoggerDownload::Action::CommunicationFailure);
    ASSERT_EQ(s.prompts.errors.size(), 1u);
    EXPECT_EQ(s.prompts.errors[0].text, "Communication Failure");
    EXPECT_EQ(s.prompts.errors[0].title, "Communication Failure");
    const std::string log = s.sim.log();
    int reads = 0;
    for (std::size_t at = log.find("start=0x0200"); at != std::string::npos;
         at = log.find("start=0x0200", at + 1))
        ++reads;
    EXPECT_GE(reads, 21);
}

class ScriptedLoading : public LoggerLoadingDialog {
public:
    std::deque<std::optional<LoggerLoading>> answers;
    std::optional<LoggerLoading> chooseLoading() override {
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

TEST(LoggerSimTest, DownloadCommandAsksTheLoadingAndTheFileAndItsStopKeepsCompleteLines) {
    LoggerSim s({"--logger-params", "3", "--logger-records", "20000", "--pace", "115200"});
    ScriptedLoading loading;
    loading.answers = {std::nullopt, LoggerLoading{}, LoggerLoading{}};
    AcquisitionPage::LastSaveDirectory().clear();  // the first save dialog of the run
    s.open();
    s.page->setLoadingDialog(&loading);
    ASSERT_TRUE(s.runUntil([&] { return s.page->stateShown(); }));
    EXPECT_EQ(s.page->fieldText(lctl::kRange), "4 m, 14 d, 21 h ");  // 20 000 x 10 min

    s.page->DownloadCommand();  // Cancel in the options
    EXPECT_TRUE(s.prompts.fileRequests.empty());
    s.prompts.files = {s.app.dir.file("gone/logger"), s.app.dir.file("mine")};
    s.page->DownloadCommand();  // a directory that does not exist
    ASSERT_EQ(s.prompts.fileRequests.size(), 1u);
    const FileRequest& request = s.prompts.fileRequests[0];
    EXPECT_EQ(request.filter, "Logger File (*.log)|*.log||");
    EXPECT_EQ(request.defaultExtension, "log");
    EXPECT_EQ(request.initialPath, s.app.app.settings().saveDirectory + "logger.log");
    ASSERT_EQ(s.prompts.errors.size(), 1u);
    EXPECT_EQ(s.prompts.errors[0].text,
              "Can not open destination file !\n" + s.app.dir.file("gone/logger.log"));
    EXPECT_FALSE(s.page->downloading());

    s.page->DownloadCommand();
    ASSERT_TRUE(s.page->downloading());
    EXPECT_EQ(s.page->indicator(), AcquisitionPage::kIndicatorTrying);
    ASSERT_TRUE(s.runUntil([&] { return s.page->download().recordsLoaded() >= 300; }));
    s.page->DownloadCommand();  // stop
    EXPECT_TRUE(s.page->closed());
    EXPECT_FALSE(s.link.IsPolling());
    const std::string text = readFile(s.app.dir.file("mine.log"));
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + s.page->download().recordsLoaded());
}

TEST(LoggerSimTest, ALogFileOpensInTheSpreadsheetProgramAndThePageCloses) {
    LoggerSim s({});
    const std::string log = s.app.dir.file("site 4.log");
    writeFile(log, LoggerLines(LanguageTable::English, '.').header(3) + "01/01/2024\t...\n");
    const std::string program = s.app.dir.file("calc");
    writeFile(
        program,
        "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args.tmp\"; mv \"$0.args.tmp\" \"$0.args\"\n");
    ::chmod(program.c_str(), 0755);
    s.app.config().writeString("Spreadsheet", "Path Spreadsheet", program);

    auto opened = [&] {
        std::filesystem::remove(program + ".args");
        s.page = std::make_unique<LoggerPage>(s.app.app, s.prompts, s.link);
        EXPECT_EQ(s.page->OpenPage(log), 0);
        EXPECT_TRUE(s.page->closed());
        for (int i = 0; i < 500 && !std::filesystem::exists(program + ".args"); ++i)
            std::this_thread::sleep_for(10ms);
        return readFile(program + ".args");
    };
    // As the text file it is, or as a workbook beside it (the default for this program).
    s.app.config().writeReal("Spreadsheet", "Export Format", SpreadsheetProgram::kTextFile);
    EXPECT_EQ(opened(), log + "\n");
    EXPECT_EQ(s.page->exportColumns()->headerLine(),
              LoggerLines(LanguageTable::English, '.').header(3));
    s.app.config().writeString("Spreadsheet", "Export Format", "");
    EXPECT_EQ(opened(), s.app.dir.file("site 4.xlsx") + "\n");
    EXPECT_TRUE(std::filesystem::exists(s.app.dir.file("site 4.xlsx")));

    // A file that is no logger file.
    writeFile(log, "hello\n");
    s.page = std::make_unique<LoggerPage>(s.app.app, s.prompts, s.link);
    EXPECT_EQ(s.page->OpenPage(log), -1);
    ASSERT_EQ(s.prompts.errors.size(), 1u);
    EXPECT_EQ(s.prompts.errors[0].text, "Incorrect File");
}

}  // namespace
}  // namespace flowcfg
