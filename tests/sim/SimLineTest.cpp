// flowsim's line behaviour seen from the master's side: every fault kind, the modem
// conversation, the state kept between runs.
#include <gtest/gtest.h>

#include <chrono>

#include "SimTestSupport.h"
#include "link/JBusCodec.h"

namespace flowcfg {
namespace {

using testing::RawPort;
using testing::RunningSim;

// One read of `count` registers at `start` through the project's codec; the raw reply bytes.
std::vector<std::uint8_t> exchange(RawPort& port, JBusCodec& codec, int start, int count,
                                   int quietMs = 300) {
    codec.BuildRequest(1, 3, start, count, 2, {});
    port.send(codec.RequestBytes());
    return port.receive(0, quietMs);
}

TEST(SimLineTest, EveryFaultKindAsTheMasterSeesIt) {
    RunningSim sim({"--fault", "noanswer@0x1000*1", "--fault", "badcrc@0x1200*1", "--fault",
                    "truncate=6@0x1400*1", "--fault", "wrongslave@0x1030*1", "--fault",
                    "exception=6@0x1080*1", "--fault", "garbage=5@0x1040*1", "--fault",
                    "delay=300@0xE800*1"});
    RawPort port(sim.path());
    JBusCodec codec;

    EXPECT_TRUE(exchange(port, codec, 0x1000, 23).empty());
    // The fault was used up: the same request is answered now.
    ASSERT_EQ(codec.ParseReply(exchange(port, codec, 0x1000, 23)), 0);
    EXPECT_EQ(codec.ValidateReply(), 0);

    EXPECT_EQ(codec.ParseReply(exchange(port, codec, 0x1200, 62)), 201);

    const auto cut = exchange(port, codec, 0x1400, 62);
    EXPECT_EQ(cut.size(), 6u);

    ASSERT_EQ(codec.ParseReply(exchange(port, codec, 0x1030, 1)), 0);
    EXPECT_EQ(codec.ValidateReply(), 101);
    EXPECT_EQ(codec.Reply().slave, 2);

    ASSERT_EQ(codec.ParseReply(exchange(port, codec, 0x1080, 12)), 0);
    EXPECT_EQ(codec.ValidateReply(), 156);

    const auto noisy = exchange(port, codec, 0x1040, 45);
    ASSERT_EQ(noisy.size(), 45u * 2 + 5 + 5);
    EXPECT_EQ(codec.ParseReply(std::vector<std::uint8_t>(noisy.begin(), noisy.end() - 5)), 0);
    EXPECT_EQ(codec.ValidateReply(), 0);

    codec.BuildRequest(1, 3, 0xE800, 21, 2, {});
    const auto sent = std::chrono::steady_clock::now();
    port.send(codec.RequestBytes());
    const auto late = port.receive(static_cast<std::size_t>(codec.ExpectedReplyLength()), 1000);
    const double waited =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
    ASSERT_EQ(codec.ParseReply(late), 0);
    EXPECT_GE(waited, 0.29);

    const std::string log = sim.log();
    for (const char* outcome :
         {"-> fault noanswer", "-> fault badcrc", "-> fault truncate", "-> fault wrongslave",
          "-> fault exception", "-> fault garbage", "-> fault delay"}) {
        EXPECT_NE(log.find(outcome), std::string::npos) << outcome;
    }
}

TEST(SimLineTest, NoAnswerLosesTheWriteAndExceptionFaultDoesNotExecuteIt) {
    RunningSim sim({"--fault", "noanswer@0x1200*1", "--fault", "exception=4@0x1400*1"});
    RawPort port(sim.path());
    JBusCodec codec;
    std::vector<std::uint8_t> data(124, 0x11);
    codec.BuildRequest(1, 16, 0x1200, 62, 2, data);
    port.send(codec.RequestBytes());
    EXPECT_TRUE(port.receive(0, 300).empty());
    codec.BuildRequest(1, 16, 0x1400, 62, 2, data);
    port.send(codec.RequestBytes());
    ASSERT_EQ(codec.ParseReply(port.receive(5)), 0);
    EXPECT_EQ(codec.ValidateReply(), 154);
    for (int block : {0x1200, 0x1400}) {
        ASSERT_EQ(codec.ParseReply(exchange(port, codec, block, 1)), 0);
        EXPECT_EQ(codec.ReplyPayload()[1], 0x0B) << std::hex << block;  // 3000 = 0x0BB8, unchanged
    }
}

TEST(SimLineTest, UnpluggedLineFailsAndComesBackOnItsLink) {
    testing::TempDir dir;
    const std::string link = dir.file("flowsim.tty");
    RunningSim sim({"--fault", "unplug=300@0xD000*1", "--link", link});
    {
        RawPort port(link);
        JBusCodec codec;
        ASSERT_EQ(codec.ParseReply(exchange(port, codec, 0xFF00, 16)), 0);
        codec.BuildRequest(1, 3, 0xD000, 32, 2, {});
        port.send(codec.RequestBytes());
        EXPECT_TRUE(port.receive(0, 200).empty());
        // The adapter is gone: the device reports a hang-up.
        pollfd p{port.fd(), POLLIN, 0};
        ASSERT_EQ(poll(&p, 1, 100), 1);
        EXPECT_TRUE(p.revents & (POLLHUP | POLLERR));
    }
    // Plugged in again: the link names the new line, which answers.
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    RawPort again(link);
    JBusCodec codec;
    ASSERT_EQ(codec.ParseReply(exchange(again, codec, 0xFF00, 16)), 0);
    EXPECT_EQ(codec.ValidateReply(), 0);
    const std::string log = sim.log();
    EXPECT_NE(log.find("fault unplug"), std::string::npos);
    EXPECT_NE(log.find("line unplugged"), std::string::npos);
}

TEST(SimLineTest, ModemConversationAroundJBusTraffic) {
    RunningSim sim({"--modem", "--guard", "200"});
    RawPort port(sim.path());
    JBusCodec codec;
    // Before the call, JBus requests reach nobody.
    EXPECT_TRUE(exchange(port, codec, 0xFF00, 16, 200).empty());
    port.send("AT &F S95=0 E0 Q0 V1 W2 &K0 M0\r\n");
    EXPECT_EQ(port.receiveText(200), "\r\nOK\r\n");
    port.send("ATDT0123456\r\n");
    EXPECT_EQ(port.receiveText(200), "\r\nCONNECT 9600\r\n");
    ASSERT_EQ(codec.ParseReply(exchange(port, codec, 0xFF00, 16)), 0);
    EXPECT_EQ(codec.ValidateReply(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    port.send("+++");
    EXPECT_EQ(port.receiveText(600), "\r\nOK\r\n");
    port.send("AT H0\r\n");
    EXPECT_EQ(port.receiveText(200), "\r\nOK\r\n");
    const std::string log = sim.log();
    EXPECT_NE(log.find("modem "), std::string::npos);
    EXPECT_NE(log.find("> CONNECT 9600"), std::string::npos);
    EXPECT_NE(log.find("call dropped"), std::string::npos);
}

TEST(SimLineTest, StateFileKeepsWritesBetweenRuns) {
    testing::TempDir dir;
    const std::string state = dir.file("sim.state");
    std::vector<std::uint8_t> data(124, 0);
    data[0] = 0x12;
    data[1] = 0x34;
    {
        RunningSim sim({"--state", state});
        RawPort port(sim.path());
        JBusCodec codec;
        codec.BuildRequest(1, 16, 0x1400, 62, 2, data);
        port.send(codec.RequestBytes());
        ASSERT_EQ(codec.ParseReply(port.receive(8)), 0);
        ASSERT_EQ(codec.ValidateReply(), 0);
        EXPECT_EQ(sim.stop(), 0);
    }
    RunningSim sim({"--state", state});
    RawPort port(sim.path());
    JBusCodec codec;
    ASSERT_EQ(codec.ParseReply(exchange(port, codec, 0x1400, 1)), 0);
    EXPECT_EQ(codec.ReplyPayload()[1], 0x12);
    EXPECT_EQ(codec.ReplyPayload()[2], 0x34);
}

}  // namespace
}  // namespace flowcfg
