// flowcfg-cli measure against flowsim on a pseudo-terminal: live lines, a recording made on the
// way and read back in the same format, Ctrl-C during a recording, a lost line, bad requests.
#include <gtest/gtest.h>

#include <pthread.h>

#include <chrono>
#include <csignal>
#include <sstream>
#include <thread>

#include "acquisition/MeasurementBlocks.h"
#include "acquisition/RecordFile.h"
#include "cli/CliTestSupport.h"
#include "common/TestApplication.h"
#include "sim/SimTestSupport.h"

namespace flowcfg {
namespace {

using namespace flowcfg::testing;
using namespace std::chrono_literals;

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
};

std::vector<std::string> split(const std::string& text, char by) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, by);)
        parts.push_back(part);
    return parts;
}

// Samples of a measurement recording (nine blocks each after the parameter blocks).
int samplesIn(const std::string& path) {
    RecordFile file;
    if (file.open(path, RecordFile::Mode::Read) != RecordStatus::Ok) return -1;
    return (file.count() - int(kMeasurementParameterOrder.size())) /
           int(kMeasurementCycleOrder.size());
}

TEST(MeasureCommandTest, LiveLinesRecordedSamplesReadBackTheSame) {
    Site site({"--pipes", "2", "--chords", "2", "3"});
    const std::string recording = site.file("site.mes");
    CliRun live = site.run({"measure", "--cycles", "4", "--record", recording, "--period", "1"});
    ASSERT_EQ(live.status, 0) << live.err;
    const std::vector<std::string> lines = split(live.out, '\n');
    ASSERT_EQ(lines.size(), 4u);
    // Date, QT, QA, QB, two velocities, four totalizers, seven values per chord of 2 + 3 chords.
    const std::vector<std::string> columns = split(lines[0], '\t');
    ASSERT_EQ(columns.size(), 10u + 7u * 5u);
    EXPECT_NE(columns[1].find(" m3/h"), std::string::npos);
    EXPECT_GT(std::stod(columns[1]), std::stod(columns[2]));  // QT above QA
    EXPECT_NE(columns[4].find(" m/s"), std::string::npos);
    EXPECT_NE(columns[13].find(" C"), std::string::npos);  // chord 1's water temperature
    EXPECT_NEAR(std::stod(columns[13]), 20.0, 1.0);
    EXPECT_NE(live.err.find("samples in " + recording), std::string::npos);

    // The recording holds a sample for each second of instrument time: every one reads back
    // as the line printed for its cycle.
    const int samples = samplesIn(recording);
    ASSERT_GE(samples, 1);
    CliRun all = site.run({"measure", "--file", recording, "--all"});
    ASSERT_EQ(all.status, 0) << all.err;
    const std::vector<std::string> recorded = split(all.out, '\n');
    ASSERT_EQ(int(recorded.size()), samples);
    for (const std::string& line : recorded)
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    CliRun last = site.run({"measure", "--file", recording, "--sample", std::to_string(samples)});
    EXPECT_EQ(last.out, recorded.back() + "\n");
    CliRun beyond =
        site.run({"measure", "--file", recording, "--sample", std::to_string(samples + 1)});
    EXPECT_EQ(beyond.status, 1);
}

TEST(MeasureCommandTest, CtrlCStopsPollingAndLeavesTheRecordingComplete) {
    Site site({"--pipes", "1"});
    const std::string recording = site.file("stopped.mes");
    const pthread_t runner = pthread_self();
    std::thread interrupter([&] {
        // The command polls until interrupted; the samples on disk show that it runs.
        for (int i = 0; i < 400 && samplesIn(recording) < 3; ++i)
            std::this_thread::sleep_for(50ms);
        pthread_kill(runner, SIGINT);
    });
    CliRun run = site.run({"measure", "--record", recording, "--period", "1"});
    interrupter.join();
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("stopped"), std::string::npos);
    const int samples = samplesIn(recording);
    EXPECT_GE(samples, 3);
    RecordFile file;
    ASSERT_EQ(file.open(recording, RecordFile::Mode::Read), RecordStatus::Ok);
    EXPECT_EQ(file.tail(), RecordFile::Tail::Clean);
    CliRun all = site.run({"measure", "--file", recording, "--all"});
    EXPECT_EQ(int(split(all.out, '\n').size()), samples);
}

TEST(MeasureCommandTest, ALostInstrumentIsReportedAndTheCyclesGoOnWhenItAnswers) {
    Site site({"--fault", "noanswer@0x0200*5"});
    CliRun run = site.run({"measure", "--cycles", "2"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(split(run.out, '\n').size(), 2u);
    EXPECT_NE(run.err.find("Communication Failure"), std::string::npos);
    EXPECT_NE(run.err.find("the instrument answers again"), std::string::npos);
}

TEST(MeasureCommandTest, BadRequestsAreRefused) {
    Site site({});
    const std::string empty = site.file("empty.mes");
    writeFile(empty, "not a recording");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{"measure", "--cycles", "0"}, 2, "--cycles"},
        {{"measure", "--period", "5"}, 2, "go with --record"},
        {{"measure", "--record", "a.mes", "--duration", "-1"}, 2, "--duration"},
        {{"measure", "--file", empty, "--sample", "1", "--all"}, 2, "not both"},
        {{"measure", "--file", empty, "--record", "a.mes"}, 2, "no --record"},
        {{"measure", "--all"}, 2, "go with --file"},
        {{"measure", "--file", empty}, 1, "Incorrect File"},
    };
    for (const Case& c : cases) {
        CliRun run = site.run(c.args);
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace flowcfg
