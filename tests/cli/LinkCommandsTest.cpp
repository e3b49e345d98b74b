#include <gtest/gtest.h>

#include "cli/CliTestSupport.h"
#include "common/TempDir.h"
#include "link/PtyPair.h"
#include "link/ScriptedPeer.h"
#include "shell/IniFile.h"

namespace flowcfg {
namespace {

using testing::environmentIn;
using testing::PeerReply;
using testing::PtyPair;
using testing::runCliCommand;
using testing::ScriptedPeer;
using testing::TempDir;

// A configuration file whose COM 9 is a pseudo-terminal with a scripted instrument (slave 3)
// behind it.
struct Site {
    TempDir dir;
    PtyPair pty;
    std::string config = dir.file("site.cfg");
    ScriptedPeer peer{pty, [](const Bytes& request, int) {
                          if (request[0] != 3) return PeerReply{};
                          if (request[1] == 3 && request[2] == 0xDE)  // illegal address
                              return PeerReply{ScriptedPeer::WithCrc({0x03, 0x83, 0x02})};
                          return PeerReply{ScriptedPeer::Answer(request)};
                      }};
    Site() {
        IniFile ini(config);
        ini.writeString("Ports", "COM9", pty.path());
        ini.writeReal("Com", "Port", 8);
        ini.writeReal("Com", "Bauds", 7);
        ini.writeReal("Com", "JBus", 3);
    }
    testing::CliRun Run(std::vector<std::string> args) {
        args.insert(args.end(), {"--config", config});
        return runCliCommand(args, environmentIn(dir));
    }
};

TEST(PortsCommandTest, ListsConfiguredPortsBeforeTheDevicesFound) {
    TempDir dir;
    std::string config = dir.file("site.cfg");
    IniFile(config).writeString("Ports", "COM2", "/dev/pts/77");
    auto run = runCliCommand({"ports", "--config", config}, environmentIn(dir));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("COM2 /dev/pts/77\n"), std::string::npos) << run.out;
    EXPECT_EQ(runCliCommand({"ports", "extra"}, environmentIn(dir)).status, 2);
}

TEST(ExchangeCommandTest, ReadsWithTheConfiguredLinkSettings) {
    Site site;
    auto run = site.Run({"exchange", "--read", "0x0010", "2"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "result 0 (success)\ndata 01 10 01 11\n");
    auto function4 = site.Run({"exchange", "--read", "0x20", "1", "--function", "4"});
    EXPECT_EQ(function4.out, "result 0 (success)\ndata 01 20\n");
    site.peer.Stop();
    EXPECT_EQ(site.peer.Requests().back()[1], 4);
}

TEST(ExchangeCommandTest, WritesAndReportsExceptionsAndSilence) {
    Site site;
    auto write = site.Run({"exchange", "--write", "0xEFFF", "5A5A"});
    EXPECT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(write.out, "result 0 (success)\ndata FF 00 01\n");

    auto refused = site.Run({"exchange", "--read", "0xDE00", "1", "--timeout", "300"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "result 152 (exception 2: illegal data address)\n");

    // The options override the configured port, rate and slave address.
    auto silent = site.Run({"exchange", "--port", site.pty.path(), "--baud-index", "5", "--slave",
                            "4", "--read", "0", "1", "--timeout", "100"});
    EXPECT_EQ(silent.status, 1);
    EXPECT_EQ(silent.out, "result 251 (no answer)\n");
    site.peer.Stop();
    EXPECT_EQ(site.peer.Requests().back()[0], 4);
}

TEST(ExchangeCommandTest, AMissingPortGives253AndBadOptionsAreRefused) {
    Site site;
    auto missing = site.Run({"exchange", "--port", "COM200", "--read", "0", "1"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "result 253 (port could not be opened)\n");
    EXPECT_NE(missing.err.find("cannot open COM200"), std::string::npos) << missing.err;

    for (std::vector<std::string> args : {
             std::vector<std::string>{"exchange"},
             {"exchange", "--read", "0"},
             {"exchange", "--read", "0", "1", "--write", "0", "00"},
             {"exchange", "--read", "0", "126"},
             {"exchange", "--read", "0x10000", "1"},
             {"exchange", "--read", "0", "1", "--function", "16"},
             {"exchange", "--write", "0", "ABC"},
             {"exchange", "--write", "0", "zz"},
             {"exchange", "--read", "0", "1", "--port", "COM0"},
             {"exchange", "--read", "0", "1", "--port", "ttyS0"},
             {"exchange", "--read", "0", "1", "--baud-index", "8"},
             {"exchange", "--read", "0", "1", "--slave", "256"},
             {"exchange", "--read", "0", "1", "--timeout", "0"},
         }) {
        auto run = site.Run(args);
        EXPECT_EQ(run.status, 2) << args.back() << "\n" << run.out;
        EXPECT_NE(run.err.find("usage"), std::string::npos) << run.err;
    }
    site.peer.Stop();
    EXPECT_TRUE(site.peer.Requests().empty());
}

}  // namespace
}  // namespace flowcfg
