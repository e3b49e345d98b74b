// flowcfg-cli logger and export against flowsim on a pseudo-terminal.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <sstream>

#include "acquisition/CompletionQueue.h"
#include "acquisition/LoggerLines.h"
#include "acquisition/MeasurementPage.h"
#include "acquisition/RecordFile.h"
#include "acquisition/TransferKeys.h"
#include "acquisition/XlsxReader.h"
#include "cli/CliTestSupport.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "sim/SimTestSupport.h"
#include "texts/LanguageTable.h"

namespace flowcfg {
namespace {

using namespace flowcfg::testing;
using namespace std::chrono_literals;

// flowsim as COM9 of the configuration file of an installation in a fresh directory; the
// commands run in-process on that installation.
struct Site {
    TestApplication t;
    RunningSim sim;
    explicit Site(std::vector<std::string> args) : sim(std::move(args)) {
        IniFile config = t.config();
        config.writeString("Ports", "COM9", sim.path());
        config.writeReal("Com", "Port", 8);
        config.writeReal("Com", "Bauds", 5);
        config.writeReal("Com", "JBus", 1);
        config.writeReal("Language", "Language", 1);  // English
    }
    std::string file(const std::string& name) const { return t.dir.file(name); }
    CliRun run(const std::vector<std::string>& args) {
        return runCliCommand(args, environmentIn(t.dir));
    }
    // A spreadsheet "program" that writes its arguments, one a line, to PROGRAM.args.
    std::string scriptProgram(const std::string& name) {
        const std::string program = file(name);
        writeFile(program,
                  "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args.tmp\"; mv \"$0.args.tmp\" "
                  "\"$0.args\"\n");
        ::chmod(program.c_str(), 0755);
        t.config().writeString("Spreadsheet", "Path Spreadsheet", program);
        return program;
    }
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

std::vector<std::string> split(const std::string& text, char by) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, by);)
        parts.push_back(part);
    return parts;
}

std::string waitForFile(const std::string& path) {
    for (int i = 0; i < 100 && !std::filesystem::exists(path); ++i)
        std::this_thread::sleep_for(50ms);
    return readFile(path);
}

TEST(LoggerCommandTest, InfoDownloadAndTheLogFilesExports) {
    Site site({"--logger-params", "2", "--logger-records", "300"});
    auto info = site.run({"logger", "info"});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out,
              "Nbr. of parameters: 2\nNb. written record: 300\nMax nbr. of record: 20000\n"
              "Logger range: 4 m, 14 d, 21 h\n");

    const std::string log = site.file("site.log");
    auto download = site.run({"logger", "download", "-o", log});
    ASSERT_EQ(download.status, 0) << download.err;
    EXPECT_EQ(download.out.rfind(log + ": 300 records, the last of ", 0), 0u) << download.out;
    EXPECT_NE(download.err.find("\rNb. record loaded: 300 / 300\n"), std::string::npos);
    const std::vector<std::string> logged = lines(readFile(log));
    ASSERT_EQ(logged.size(), 301u);
    EXPECT_EQ(logged[0] + "\n", LoggerLines(LanguageTable::English, '.').header(2));

    // A malformed date is refused before the line is used; a date after the newest record
    // leaves a header-only file and fails.
    auto malformed = site.run({"logger", "download", "--from", "2024-02-30 10:00:00", "-o", log});
    EXPECT_EQ(malformed.status, 2);
    EXPECT_NE(malformed.err.find("--from"), std::string::npos);
    const std::string late = site.file("late.log");
    auto after = site.run({"logger", "download", "--from", "2099-01-01 00:00:00", "-o", late});
    EXPECT_EQ(after.status, 1);
    EXPECT_NE(after.err.find("No record after the date !"), std::string::npos) << after.err;
    EXPECT_EQ(lines(readFile(late)).size(), 1u);

    // The workbook: the data sheet with every record (flowsim logs maxima and minima, which
    // the logger's charts, drawn from averages, leave out).
    auto workbook = site.run({"export", log, "--xlsx", site.file("site.xlsx")});
    ASSERT_EQ(workbook.status, 0) << workbook.err;
    XlsxReader reader(site.file("site.xlsx"));
    ASSERT_TRUE(reader.ok()) << reader.error();
    ASSERT_FALSE(reader.sheetNames().empty());
    EXPECT_EQ(reader.sheetNames()[0], "site");
    auto cells = reader.cells("site");
    EXPECT_EQ(cells["A301"].text, split(logged[300], '\t')[0]);
    EXPECT_FALSE(cells.count("A302"));

    // With a macro: the transfer file beside the log and, with --open, the program started
    // with the log, "/p", the directory and the macro, each one argument.
    const std::string program = site.scriptProgram("EXCEL.EXE");
    auto macro = site.run({"export", log, "--macro", "/macros/log book.xls", "--open"});
    ASSERT_EQ(macro.status, 0) << macro.err;
    const TransferKeys keys =
        TransferKeys::parse(readFile(site.file(std::string("KVNTransfert.$dat"))));
    EXPECT_EQ(keys.value("F_IN"), log);
    EXPECT_EQ(lines(waitForFile(program + ".args")),
              (std::vector<std::string>{log, "/p", site.t.dir.path(), "/macros/log book.xls"}));
}

TEST(ExportCommandTest, ARecordingBecomesTheTextFileAndAWorkbookOfTheSameCells) {
    Site site({});
    const std::string recording = site.file("site.mes");
    {
        ScriptedPrompts prompts;
        InstrumentLink link;
        PortTable table;
        table.Assign(9, site.sim.path());
        PortTable::Install(table);
        MeasurementPage page(site.t.app, prompts, link, MeasurementLayout{});
        CompletionQueue queue;
        queue.attach(page);
        ASSERT_EQ(page.Build(nullptr), 0);
        page.StartAutomaticRecording(1, 0, recording);
        ASSERT_EQ(page.Open(), 0);
        const auto end = std::chrono::steady_clock::now() + 60s;
        while (page.sampleCounter() < 3 && std::chrono::steady_clock::now() < end)
            queue.pump(page, 100ms);
        page.Close();
        ASSERT_GE(page.sampleCounter(), 3);
    }
    const std::string text = site.file("out dir/site text.prn");
    std::filesystem::create_directories(site.file("out dir"));
    auto run = site.run({"export", recording, "-o", text, "--xlsx", site.file("site.xlsx")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "text file: " + text + "\nworkbook: " + site.file("site.xlsx") + "\n");

    const std::vector<std::string> rows = lines(readFile(text));
    ASSERT_GE(rows.size(), 4u);
    XlsxReader reader(site.file("site.xlsx"));
    ASSERT_TRUE(reader.ok()) << reader.error();
    auto cells = reader.cells("site");
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::vector<std::string> columns = split(rows[r], '\t');
        for (std::size_t c = 0; c < columns.size() && c < 26; ++c) {
            const std::string ref = std::string(1, char('A' + c)) + std::to_string(r + 1);
            const XlsxReader::Cell& cell = cells[ref];
            if (!cell.number) {
                EXPECT_EQ(cell.text, columns[c]) << ref;
            } else if (cell.format.empty()) {
                EXPECT_DOUBLE_EQ(cell.value, std::stod(columns[c])) << ref;
            }
        }
    }

    // Files no page exports, and recordings that cannot be read, are refused.
    writeFile(site.file("notes.txt"), "x\n");
    auto other = site.run({"export", site.file("notes.txt")});
    EXPECT_EQ(other.status, 1);
    EXPECT_NE(other.err.find("no page exports files of this type"), std::string::npos);
    writeFile(site.file("broken.mes"), "not a recording\n");
    auto broken = site.run({"export", site.file("broken.mes"), "--xlsx", site.file("b.xlsx")});
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("Incorrect File"), std::string::npos) << broken.err;
}

TEST(BatteryCommandTest, RecordsEachGaugeReadingOnceAndTheRecordingExportsWithItsChart) {
    Site site({});
    const std::string recording = site.file("pack.bq");
    auto run = site.run({"battery", "--record", recording, "--duration", "0.15"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> out = lines(run.out);
    ASSERT_GE(out.size(), 4u) << run.out;
    EXPECT_EQ(out[0].rfind("board: ", 0), 0u);
    const std::size_t samples = out.size() - 2;
    EXPECT_EQ(out.back(), recording + ": " + std::to_string(samples) + " samples");

    // flowsim makes a new reading every 4 s and the page reads the block far more often: each
    // reading is one record, the counters one apart, each printed once.
    RecordFile file;
    ASSERT_EQ(file.open(recording), RecordStatus::Ok);
    ASSERT_EQ(file.count(), int(samples));
    int previous = -1;
    for (int k = 0; k < file.count(); ++k) {
        std::vector<std::uint8_t> payload;
        ASSERT_EQ(file.read(k, payload), RecordStatus::Ok);
        ASSERT_EQ(payload.size(), 46u);
        const int counter = payload[12] << 8 | payload[13];
        if (previous >= 0) {
            EXPECT_EQ(counter, previous + 1);
        }
        previous = counter;
        EXPECT_NE(out[std::size_t(k) + 1].find("\tCPT_BAT=" + std::to_string(counter) + "\t"),
                  std::string::npos)
            << out[std::size_t(k) + 1];
    }
    EXPECT_NE(out[1].find("\tVSB (V)=3."), std::string::npos) << out[1];
    const std::string log = site.sim.log();
    std::size_t reads = 0;
    for (std::size_t at = log.find("start=0xFE00"); at != std::string::npos;
         at = log.find("start=0xFE00", at + 1))
        ++reads;
    EXPECT_GT(reads, samples);

    auto book = site.run({"export", recording, "--xlsx", site.file("pack.xlsx")});
    ASSERT_EQ(book.status, 0) << book.err;
    XlsxReader reader(site.file("pack.xlsx"));
    ASSERT_TRUE(reader.ok()) << reader.error();
    ASSERT_EQ(reader.sheetNames().size(), 2u);
    auto chart = reader.chart(reader.sheetNames()[1]);
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->series.size(), 3u);
    EXPECT_TRUE(reader.cells("pack").count("A" + std::to_string(samples + 1)));
}

}  // namespace
}  // namespace flowcfg
