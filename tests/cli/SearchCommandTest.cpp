// flowcfg-cli search against a simulated instrument whose port is given a COM number in the
// configuration file.
#include <gtest/gtest.h>

#include "cli/CliTestSupport.h"
#include "common/TempDir.h"
#include "link/PtyPair.h"
#include "shell/IniFile.h"
#include "sim/SimTestSupport.h"

namespace flowcfg {
namespace {

using testing::environmentIn;
using testing::PtyPair;
using testing::runCliCommand;
using testing::RunningSim;
using testing::TempDir;

TEST(SearchCommandTest, PrintsEveryTryAndWhatAnsweredAndSavesIt) {
    TempDir dir;
    PtyPair empty;  // a port with nothing behind it
    RunningSim sim({"--baud", "4800", "--slave", "12"});
    const std::string config = dir.file("site.cfg");
    IniFile ini(config);
    ini.writeString("Ports", "COM1", empty.path());
    ini.writeString("Ports", "COM2", sim.path());

    auto run = runCliCommand({"search", "--config", config, "--timeout", "100", "--save"},
                             environmentIn(dir));
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const auto at = [&](const std::string& line) { return run.out.find(line + "\n"); };
    ASSERT_NE(at("Com 1 - 115200 bauds"), std::string::npos) << run.out;
    EXPECT_LT(at("Com 1 - 115200 bauds"), at("Com 2 - 115200 bauds"));
    EXPECT_LT(at("Com 2 - 115200 bauds"), at("Com 1 - BlueTooth"));
    EXPECT_LT(at("Com 2 - 9600 bauds"), at("Com 1 - 4800 bauds"));
    EXPECT_LT(at("Com 1 - 4800 bauds"), at("Com 2 - 4800 bauds"));
    EXPECT_EQ(at("Com 1 - 2400 bauds"), std::string::npos);
    EXPECT_NE(run.out.find("The device did answer.\nDetection success!\n"
                           "port COM2 " +
                           sim.path() + "\nbaud 4 4800\nslave 12\nsaved in " + config + "\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(ini.readString("Com", "Port", ""), "1.000000");
    EXPECT_EQ(ini.readString("Com", "Bauds", ""), "4.000000");
    EXPECT_EQ(ini.readString("Com", "JBus", ""), "12.000000");
}

TEST(SearchCommandTest, NothingFoundAndBadOptions) {
    TempDir dir;
    PtyPair empty;
    const std::string config = dir.file("site.cfg");
    IniFile(config).writeString("Ports", "COM7", empty.path());

    // Two entries of the baud list: 4800 and below are never tried.
    auto run = runCliCommand({"search", "--config", config, "--timeout", "20", "--bauds", "6"},
                             environmentIn(dir));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("Com 7 - 9600 bauds\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Com 7 - 300 bauds\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("BlueTooth"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Detection failed!\n"), std::string::npos);
    EXPECT_EQ(IniFile(config).readString("Com", "Port", "none"), "none");

    // French texts on request.
    auto french = runCliCommand(
        {"search", "--config", config, "--timeout", "20", "--bauds", "1", "--lang", "1"},
        environmentIn(dir));
    EXPECT_NE(french.out.find("Com 7 - 300 bauds\nL'appareil n'a pas r"), std::string::npos)
        << french.out;

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"search", "--bauds", "9"},
                                                {"search", "--timeout", "0"},
                                                {"search", "--lang", "6"},
                                                {"search", "COM1"},
                                                {"search", "--port", "COM1"}}) {
        auto refused = runCliCommand(bad, environmentIn(dir));
        EXPECT_EQ(refused.status, 2) << bad.back();
        EXPECT_NE(refused.err.find("usage: flowcfg-cli search"), std::string::npos);
    }
}

}  // namespace
}  // namespace flowcfg
