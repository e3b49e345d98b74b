// flowcfg-cli frames against flowsim, and the export of the recording it makes.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliTestSupport.h"
#include "common/TestApplication.h"
#include "sim/SimTestSupport.h"

namespace flowcfg {
namespace {

using namespace flowcfg::testing;

std::vector<std::string> split(const std::string& text, char by) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, by);)
        parts.push_back(part);
    return parts;
}

struct Site {
    TestApplication t;
    RunningSim sim{{}};
    Site() {
        IniFile config = t.config();
        config.writeString("Ports", "COM9", sim.path());
        config.writeReal("Com", "Port", 8);
        config.writeReal("Com", "Bauds", 5);
        config.writeReal("Com", "JBus", 1);
        config.writeReal("Language", "Language", 1);  // English
    }
    CliRun run(const std::vector<std::string>& args) {
        return runCliCommand(args, environmentIn(t.dir));
    }
};

TEST(FramesCommandTest, PrintsAndRecordsEachFrameThenTheRecordingExports) {
    Site site;
    const std::string recording = site.t.dir.file("bench.trameSpi");
    const CliRun frames =
        site.run({"frames", "--block", "0xF200", "--count", "3", "--record", recording});
    ASSERT_EQ(frames.status, 0) << frames.err;
    const std::vector<std::string> lines = split(frames.out, '\n');
    ASSERT_EQ(lines.size(), 7u) << frames.out;
    EXPECT_EQ(lines[0], "Firmware: 03-12-B2.14");
    EXPECT_EQ(lines[1], "Timing software: TDC-1.04");
    const std::vector<std::string> titles = split(lines[2], '\t');
    ASSERT_EQ(titles.size(), 1u + 10 + 1 + 2 + 23);
    EXPECT_EQ(titles[5], "N°");
    EXPECT_EQ(titles[11], "Flags");
    EXPECT_EQ(titles[14], "1DT");
    EXPECT_EQ(titles[31], "6AVAM");
    std::vector<int> numbers;
    for (std::size_t i = 3; i < 6; ++i) {
        const std::vector<std::string> row = split(lines[i], '\t');
        ASSERT_EQ(row.size(), titles.size()) << lines[i];
        numbers.push_back(std::stoi(row[5]));
        EXPECT_TRUE(row[11] == "a_c______j" || row[11] == "a_c_______") << row[11];
    }
    EXPECT_EQ(numbers[1], (numbers[0] + 1) % 256);
    EXPECT_EQ(numbers[2], (numbers[1] + 1) % 256);
    EXPECT_EQ(lines[6], recording + ": 3 frames");
    EXPECT_EQ(site.sim.log().find("start=0xF100"), std::string::npos);

    const CliRun exported = site.run({"export", recording});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::string text = site.t.dir.file("bench.prn");
    EXPECT_EQ(exported.out, "text file: " + text + "\n");
    const std::vector<std::string> rows = split(readFile(text), '\n');
    ASSERT_EQ(rows.size(), 4u + 3u);
    EXPECT_EQ(split(rows[4], '\t')[7], std::to_string(numbers[0]));
    EXPECT_EQ(split(rows[6], '\t')[0], "3");
}

TEST(FramesCommandTest, UsageErrorsAreRefusedBeforeTheLineIsOpened) {
    Site site;
    for (std::vector<std::string> args : {std::vector<std::string>{"--block", "0xF300"},
                                          {"--count", "0"},
                                          {"--record", ""},
                                          {"extra"}}) {
        args.insert(args.begin(), "frames");
        const CliRun run = site.run(args);
        EXPECT_EQ(run.status, 2) << args[1];
        EXPECT_NE(run.err.find("usage: flowcfg-cli frames"), std::string::npos) << run.err;
    }
    EXPECT_EQ(site.sim.log().find("slave="), std::string::npos) << site.sim.log();
}

}  // namespace
}  // namespace flowcfg
