// flowcfg-cli commands that talk to the instrument dial first when the configuration file says
// the link goes through a modem, and hang up afterwards; here through flowsim's modem.
#include <gtest/gtest.h>

#include "InstrumentConnection.h"
#include "cli/CliTestSupport.h"
#include "common/TempDir.h"
#include "shell/IniFile.h"
#include "sim/SimTestSupport.h"

namespace flowcfg {
namespace {

using testing::environmentIn;
using testing::runCliCommand;
using testing::RunningSim;
using testing::TempDir;

class ModemModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        // flowsim's guard time is 100 ms here; the silence before "+++" is longer.
        ModemDialer::Timing t;
        t.initAnswer = 1000;
        t.dialAnswer = 2000;
        t.silenceBeforeEscape = 250;
        t.escapeAnswer = 1000;
        t.pauseBeforeHangUp = 20;
        t.hangUpAnswer = 1000;
        cli::InstrumentConnection::SetModemTiming(t, 10);
    }
    void TearDown() override {
        cli::InstrumentConnection::SetModemTiming(ModemDialer::Timing{},
                                                  ModemReportRules::kSettleMs);
    }

    // A site reached by telephone: COM2 is the modem.
    std::string siteConfig(const std::string& modemPath) {
        const std::string config = dir.file("remote.cfg");
        IniFile ini(config);
        ini.writeString("Ports", "COM2", modemPath);
        ini.writeReal("Com", "Port", 1);
        ini.writeReal("Com", "JBus", 9);
        ini.writeReal("Modem", "Use modem", 0);
        ini.writeReal("Modem", "Numerotation", 1);
        ini.writeString("Modem", "Telefon number", "0388123456");
        ini.writeString("Modem", "Initalisation string", "&F E0 &D2");
        return config;
    }

    TempDir dir;
};

TEST_F(ModemModeTest, ExchangeDialsPrintsTheConversationAndHangsUp) {
    RunningSim sim({"--modem", "--guard", "100", "--slave", "9"});
    auto run =
        runCliCommand({"exchange", "--config", siteConfig(sim.path()), "--read", "0xFF00", "1"},
                      environmentIn(dir));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "modem: Initialization:\n"
              "modem: AT &&F E0 &&D2\n"
              "modem: OK\n"
              "modem: Dial:\n"
              "modem: ATDP0388123456\n"
              "modem: CONNECT 9600\n"
              "result 0 (success)\n"
              "data 00 09\n"
              "modem: +++\n"
              "modem: OK\n"
              "modem: Hang up\n"
              "modem: AT H0\n"
              "modem: OK\n");
    sim.stop();
    const std::string log = sim.log();
    EXPECT_NE(log.find("< AT &F E0 &D2"), std::string::npos) << log;
    EXPECT_NE(log.find("call dropped"), std::string::npos) << log;
}

TEST_F(ModemModeTest, AFailedCallIsReportedAndNothingIsExchanged) {
    RunningSim sim({"--modem", "--guard", "100", "--dial-answer", "busy"});
    auto run =
        runCliCommand({"exchange", "--config", siteConfig(sim.path()), "--read", "0xFF00", "1"},
                      environmentIn(dir));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("modem: BUSY\nresult 252 (no modem connection)\n"), std::string::npos)
        << run.out;
    // A failed call is not hung up.
    EXPECT_EQ(run.out.find("+++"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("flowcfg-cli exchange: Busy ! Connection failed !\n"), std::string::npos)
        << run.err;
    sim.stop();
    EXPECT_EQ(sim.log().find("slave="), std::string::npos);
}

}  // namespace
}  // namespace flowcfg
