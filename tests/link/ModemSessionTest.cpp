// The windowless modem session (the modem dialog's procedures and its reading of the answers)
// against flowsim's modem and against a scripted one, with the waits shortened.
#include <gtest/gtest.h>

#include <mutex>

#include "link/InstrumentLink.h"
#include "link/ModemSession.h"
#include "link/PtyPair.h"
#include "link/ScriptedModem.h"
#include "sim/SimTestSupport.h"

namespace flowcfg {
namespace {

using testing::PtyPair;
using testing::RunningSim;
using testing::ScriptedModem;

constexpr int kEnglish = 2;
constexpr int kCom = 4;

struct RecordingView : ModemSessionView {
    void ShowConversation(const std::string& text) override {
        std::lock_guard lock(mutex);
        conversation += text;
    }
    void ShowMessage(int textId, int captionId) override {
        std::lock_guard lock(mutex);
        messages.emplace_back(textId, captionId);
    }
    std::mutex mutex;
    std::string conversation;
    std::vector<std::pair<int, int>> messages;
};

LinkSettings modemSettings() {
    LinkSettings s;
    s.useModem = true;
    s.phoneNumber = "0476000000";
    return s;
}

// flowsim's guard time is 100 ms in these tests: the silence before "+++" is longer.
void shorten(ModemSession& session, int dialAnswerMs = 2000) {
    ModemDialer::Timing t;
    t.initAnswer = 1000;
    t.dialAnswer = dialAnswerMs;
    t.silenceBeforeEscape = 250;
    t.escapeAnswer = 1000;
    t.pauseBeforeHangUp = 20;
    t.hangUpAnswer = 1000;
    session.SetTiming(t, 10);
}

void installPort(const std::string& path) {
    PortTable table;
    table.Assign(kCom, path);
    PortTable::Install(table);
}

TEST(ModemSessionTest, DialsTalksToTheInstrumentAndHangsUpThroughFlowsim) {
    RunningSim sim({"--modem", "--guard", "100", "--slave", "5"});
    installPort(sim.path());
    RecordingView view;
    ModemSession session(modemSettings(), kEnglish, view);
    shorten(session);
    InstrumentLink link;
    link.SetModemConnector(&session);
    link.SetAnswerTimeout(1000);

    bool modemConnected = false;
    ASSERT_EQ(link.Open(kCom, 5, 'N', 8, 1, true, &modemConnected), 0);
    EXPECT_TRUE(modemConnected);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.conversation,
              "Initialization:AT &&F S95=0 E0 Q0 V1 W2 &&K0 M0\r\n\n\r\nOK\r\n\n"
              "Dial:ATDT0476000000\r\n\r\nCONNECT 9600\r\n");
    // While connected, opening again dials nothing.
    ASSERT_EQ(link.Open(kCom, 5, 'N', 8, 1, true, &modemConnected), 0);

    Bytes data;
    ASSERT_EQ(link.Exchange(5, 3, 0xFF00, 32, data), 0);
    EXPECT_EQ(data[1], 5);

    view.conversation.clear();
    EXPECT_EQ(session.Disconnect(link, &modemConnected, kCom, 5), 0);
    EXPECT_FALSE(modemConnected);
    EXPECT_EQ(view.conversation, "\n+++\n\r\nOK\r\n\nHang upAT H0\r\n\r\nOK\r\n");
    // Not connected any more: nothing is sent.
    EXPECT_EQ(session.Disconnect(link, &modemConnected, kCom, 5), -1);

    sim.stop();
    const std::string log = sim.log();
    // The modem received the "&" once.
    EXPECT_NE(log.find("< AT &F S95=0 E0 Q0 V1 W2 &K0 M0"), std::string::npos) << log;
    EXPECT_NE(log.find("< AT H0"), std::string::npos) << log;
    EXPECT_NE(log.find("call dropped"), std::string::npos) << log;
}

TEST(ModemSessionTest, AnEcholessModemAndNoCarrierFailWithoutHangingUp) {
    // Without its modem flowsim's instrument ignores the AT commands: nothing comes back.
    {
        RunningSim sim({});
        installPort(sim.path());
        RecordingView view;
        ModemSession session(modemSettings(), kEnglish, view);
        shorten(session);
        InstrumentLink link;
        link.SetModemConnector(&session);
        bool modemConnected = false;
        EXPECT_EQ(link.Open(kCom, 5, 'N', 8, 1, true, &modemConnected), 252);
        EXPECT_FALSE(modemConnected);
        EXPECT_EQ(view.messages, (std::vector<std::pair<int, int>>{{215, 22}}));
        EXPECT_EQ(view.conversation.find("Dial:"), std::string::npos);
    }
    {
        RunningSim sim({"--modem", "--dial-answer", "nocarrier", "--guard", "100"});
        installPort(sim.path());
        RecordingView view;
        ModemSession session(modemSettings(), kEnglish, view);
        shorten(session);
        InstrumentLink link;
        EXPECT_FALSE(session.Connect(link, kCom, 5, 'N', 8, 1));
        EXPECT_EQ(view.messages, (std::vector<std::pair<int, int>>{{431, 22}}));
        EXPECT_EQ(view.conversation.find("+++"), std::string::npos);
        EXPECT_NE(view.conversation.find("NO CARRIER"), std::string::npos);
        // The port stays open after a failure.
        EXPECT_TRUE(link.IsOpen());
        sim.stop();
        EXPECT_EQ(sim.log().find("< +++"), std::string::npos);
    }
}

TEST(ModemSessionTest, AnUnknownDialAnswerIsHungUpWithoutTouchingTheConnectionFlag) {
    PtyPair pty;
    installPort(pty.path());
    ScriptedModem modem(pty, [](const std::string& command) -> std::string {
        if (command.rfind("ATD", 0) == 0) return "\r\nRING\r\n";
        return "\r\nOK\r\n";
    });
    RecordingView view;
    ModemSession session(modemSettings(), kEnglish, view);
    shorten(session);
    InstrumentLink link;
    link.SetModemConnector(&session);
    bool modemConnected = false;
    EXPECT_EQ(link.Open(kCom, 5, 'N', 8, 1, true, &modemConnected), 252);
    EXPECT_FALSE(modemConnected);
    EXPECT_EQ(view.messages, (std::vector<std::pair<int, int>>{{431, 22}}));
    EXPECT_EQ(modem.Commands(), (std::vector<std::string>{"AT &F S95=0 E0 Q0 V1 W2 &K0 M0",
                                                          "ATDT0476000000", "+++", "AT H0"}));
    EXPECT_NE(view.conversation.find("RING\r\n\n+++\n"), std::string::npos) << view.conversation;

    // A hang-up the modem does not confirm.
    RecordingView refused;
    PtyPair silentPty;
    installPort(silentPty.path());
    ScriptedModem silent(silentPty, [](const std::string&) { return std::string(); });
    ModemSession quiet(modemSettings(), kEnglish, refused);
    shorten(quiet);
    SerialLink other;
    bool connected = true;
    EXPECT_EQ(quiet.Disconnect(other, &connected, kCom, 5), 432);
    EXPECT_FALSE(connected);
    EXPECT_EQ(refused.messages, (std::vector<std::pair<int, int>>{{432, 22}}));
    EXPECT_EQ(silent.Commands(), std::vector<std::string>{"+++"});
}

}  // namespace
}  // namespace flowcfg
