// The pieces between the line and the instrument: frame assembly, fault parsing and choice, the
// options, the modem's conversation.
#include <gtest/gtest.h>

#include "link/JBusFrame.h"
#include "sim/FaultInjector.h"
#include "sim/FaultRule.h"
#include "sim/FrameAssembler.h"
#include "sim/HayesModem.h"
#include "sim/SimOptions.h"

namespace flowcfg {
namespace {

std::vector<std::uint8_t> frame(std::vector<std::uint8_t> body) {
    JBusFrame f;
    f.ResetFrame();
    f.BuildFrame(body[0], body[1], std::vector<std::uint8_t>(body.begin() + 2, body.end()));
    return f.raw;
}

TEST(FrameAssemblerTest, RequestSplitAcrossReadsBecomesOneFrame) {
    FrameAssembler a(0.05);
    const auto read = frame({1, 3, 0xFF, 0x00, 0, 16});
    const auto write = frame({1, 16, 0x10, 0x00, 0, 2, 4, 1, 2, 3, 4});
    std::vector<std::uint8_t> both = read;
    both.insert(both.end(), write.begin(), write.end());
    for (std::size_t i = 0; i < both.size(); ++i)
        a.add(&both[i], 1, 0.001 * static_cast<double>(i));
    FrameAssembler::Frame f;
    ASSERT_TRUE(a.next(f));
    EXPECT_EQ(f.bytes, read);
    EXPECT_DOUBLE_EQ(f.firstByteTime, 0.0);
    EXPECT_DOUBLE_EQ(f.lastByteTime, 0.007);
    ASSERT_TRUE(a.next(f));
    EXPECT_EQ(f.bytes, write);
    EXPECT_FALSE(a.next(f));
    EXPECT_LT(a.deadline(), 0.0);
}

TEST(FrameAssemblerTest, NoiseBeforeARequestIsDroppedAndPartialFrameGivenUpAtSilence) {
    FrameAssembler a(0.05);
    std::vector<std::uint8_t> bytes = {0x00, 0x03, 0x77};
    const auto read = frame({1, 3, 0x10, 0x00, 0, 23});
    bytes.insert(bytes.end(), read.begin(), read.end());
    a.add(bytes.data(), bytes.size(), 1.0);
    FrameAssembler::Frame f;
    ASSERT_TRUE(a.next(f));
    EXPECT_EQ(f.bytes, read);
    EXPECT_EQ(a.droppedBytes(), 3u);

    a.add(read.data(), 5, 2.0);  // the rest never comes
    EXPECT_DOUBLE_EQ(a.deadline(), 2.05);
    a.expire(2.04);
    EXPECT_FALSE(a.next(f));
    a.expire(2.06);
    EXPECT_LT(a.deadline(), 0.0);
    a.add(read.data(), read.size(), 3.0);
    ASSERT_TRUE(a.next(f));
    EXPECT_EQ(f.bytes, read);
}

TEST(FrameAssemblerTest, UnknownFunctionEndsAtSilenceOrBeforeAKnownRequest) {
    FrameAssembler a(0.05);
    const auto single = frame({1, 6, 0x10, 0x00, 0, 1});
    a.add(single.data(), single.size(), 1.0);
    FrameAssembler::Frame f;
    EXPECT_FALSE(a.next(f));
    a.expire(1.1);
    ASSERT_TRUE(a.next(f));
    EXPECT_EQ(f.bytes, single);

    // Noise that looks like an unknown function, then a read: the read is not held back.
    const auto read = frame({1, 3, 0x10, 0x00, 0, 23});
    std::vector<std::uint8_t> bytes = {0x55, 0x07, 0x12};
    bytes.insert(bytes.end(), read.begin(), read.end());
    a.add(bytes.data(), bytes.size(), 2.0);
    ASSERT_TRUE(a.next(f));
    EXPECT_EQ(f.bytes, read);
    EXPECT_DOUBLE_EQ(FrameAssembler::silenceFor(300, 0.05), 3.5 * 10 / 300.0);
    EXPECT_DOUBLE_EQ(FrameAssembler::silenceFor(9600, 0.05), 0.05);
}

TEST(FaultRuleTest, ParsesKindArgumentRegisterCountAndProbability) {
    FaultRule f;
    std::string error;
    ASSERT_TRUE(FaultRule::parse("noanswer@0x1400", f, error)) << error;
    EXPECT_EQ(f.kind, FaultRule::Kind::NoAnswer);
    EXPECT_EQ(f.startRegister, 0x1400);
    EXPECT_EQ(f.count, -1);
    ASSERT_TRUE(FaultRule::parse("exception=6@4096*2~0.25", f, error)) << error;
    EXPECT_EQ(f.kind, FaultRule::Kind::Exception);
    EXPECT_EQ(f.argument, 6);
    EXPECT_EQ(f.startRegister, 4096);
    EXPECT_EQ(f.count, 2);
    EXPECT_DOUBLE_EQ(f.probability, 0.25);
    ASSERT_TRUE(FaultRule::parse("truncate*1", f, error));
    EXPECT_FALSE(f.hasArgument);
    EXPECT_STREQ(f.name(), "truncate");

    for (const char* bad :
         {"", "explode", "exception", "exception=0", "badcrc=3", "delay=x", "noanswer@",
          "noanswer@0x10000", "noanswer*0", "noanswer~1.5", "wrongslave=300"}) {
        EXPECT_FALSE(FaultRule::parse(bad, f, error)) << bad;
        EXPECT_FALSE(error.empty());
    }
}

TEST(FaultRuleTest, InjectorMatchesRegisterCountsDownAndDrawsProbabilities) {
    FaultRule first, second;
    std::string error;
    ASSERT_TRUE(FaultRule::parse("badcrc@0x1400*2", first, error));
    ASSERT_TRUE(FaultRule::parse("delay=5~0.5", second, error));
    FaultInjector injector({first, second}, 42);
    EXPECT_EQ(injector.pick(0x1400)->kind, FaultRule::Kind::BadCrc);
    EXPECT_EQ(injector.pick(0x1400)->kind, FaultRule::Kind::BadCrc);
    int delays = 0;
    for (int i = 0; i < 1000; ++i) {
        const auto f = injector.pick(0x1400);
        if (f) {
            EXPECT_EQ(f->kind, FaultRule::Kind::Delay);
            ++delays;
        }
    }
    EXPECT_GT(delays, 420);
    EXPECT_LT(delays, 580);
}

TEST(SimOptionsTest, ParsesTheInstrumentLineAndModemOptions) {
    SimOptions o;
    std::string error;
    ASSERT_TRUE(SimOptions::parse({"--slave",
                                   "12",
                                   "--pipes",
                                   "2",
                                   "--chords",
                                   "3",
                                   "4",
                                   "--modules",
                                   "1-2,5=4,24",
                                   "--logger-params",
                                   "6",
                                   "--logger-records",
                                   "50",
                                   "--baud",
                                   "115200",
                                   "--pace",
                                   "9600",
                                   "--turnaround",
                                   "20",
                                   "--fault",
                                   "garbage=3",
                                   "--modem",
                                   "--dial-answer",
                                   "busy",
                                   "--log",
                                   "-"},
                                  o, error))
        << error;
    EXPECT_EQ(o.slave, 12);
    EXPECT_TRUE(o.slaveGiven);
    EXPECT_EQ(o.pipes, 2);
    EXPECT_EQ(o.chordsA, 3);
    EXPECT_EQ(o.chordsB, 4);
    EXPECT_EQ(o.modules[0], 1);
    EXPECT_EQ(o.modules[1], 1);
    EXPECT_EQ(o.modules[2], 0);
    EXPECT_EQ(o.modules[4], 4);
    EXPECT_NE(o.modules[23], 0);
    EXPECT_EQ(o.loggerParameters, 6);
    EXPECT_EQ(o.loggerRecords, 50);
    EXPECT_EQ(o.baud, 115200);
    EXPECT_EQ(o.pace, 9600);
    EXPECT_EQ(o.turnaroundMs, 20);
    ASSERT_EQ(o.faults.size(), 1u);
    EXPECT_EQ(o.faults[0].argument, 3);
    EXPECT_TRUE(o.modem);
    EXPECT_EQ(o.dialAnswer, SimOptions::DialAnswer::Busy);

    for (std::vector<std::string> bad : {std::vector<std::string>{"--slave", "0"},
                                         {"--slave"},
                                         {"--pipes", "3"},
                                         {"--chords", "2"},
                                         {"--modules", "25"},
                                         {"--modules", "3-1"},
                                         {"--logger-params", "52"},
                                         {"--fault", "nope"},
                                         {"--dial-answer", "maybe"},
                                         {"--frobnicate"},
                                         {"--logger-records", "30000"}}) {
        SimOptions untouched;
        EXPECT_FALSE(SimOptions::parse(bad, untouched, error)) << bad[0];
        EXPECT_EQ(untouched.slave, 1);
    }
}

std::string text(const std::vector<std::uint8_t>& b) {
    return std::string(b.begin(), b.end());
}

void send(HayesModem& m, const std::string& s, double t, HayesModem::Output& out) {
    m.receive(reinterpret_cast<const std::uint8_t*>(s.data()), s.size(), t, out);
}

TEST(HayesModemTest, ConversationFromInitialisationToHangUp) {
    HayesModem m(SimOptions::DialAnswer::Connect, 9600, 1.0);
    HayesModem::Output out;
    send(m, "AT &F S95=0 E0 Q0 V1 W2 &K0 M0\r\n", 0.0, out);
    EXPECT_EQ(text(out.toLine), "\r\nOK\r\n");
    out = {};
    send(m, "ATDT0123456789\r\n", 0.5, out);
    EXPECT_EQ(text(out.toLine), "\r\nCONNECT 9600\r\n");
    EXPECT_TRUE(m.dataMode());
    out = {};
    // Data, including a '+' inside a frame, passes to the instrument.
    send(m, "\x01\x03+\x10", 0.6, out);
    EXPECT_EQ(text(out.toInstrument), "\x01\x03+\x10");
    out = {};
    // "+++" too soon after data is data.
    send(m, "+++", 1.0, out);
    m.tick(2.5, out);
    EXPECT_EQ(text(out.toInstrument), "+++");
    EXPECT_TRUE(m.dataMode());
    out = {};
    // After a guard time of silence, and a guard time after it: command mode.
    send(m, "+++", 4.0, out);
    EXPECT_TRUE(out.toInstrument.empty());
    EXPECT_DOUBLE_EQ(m.deadline(), 5.0);
    m.tick(4.9, out);
    EXPECT_TRUE(out.toLine.empty());
    m.tick(5.0, out);
    EXPECT_EQ(text(out.toLine), "\r\nOK\r\n");
    EXPECT_FALSE(m.dataMode());
    EXPECT_TRUE(m.connected());
    out = {};
    send(m, "AT H0\r\n", 7.0, out);
    EXPECT_EQ(text(out.toLine), "\r\nOK\r\n");
    EXPECT_FALSE(m.connected());
    out = {};
    send(m, "ATO\r", 8.0, out);
    EXPECT_EQ(text(out.toLine), "\r\nNO CARRIER\r\n");
}

TEST(HayesModemTest, EscapeInterruptedByDataPassesThePlusesOn) {
    HayesModem m(SimOptions::DialAnswer::Connect, 9600, 1.0);
    HayesModem::Output out;
    send(m, "ATDP1\r", 0.0, out);
    out = {};
    send(m, "++", 2.0, out);
    send(m, "x", 2.1, out);
    EXPECT_EQ(text(out.toInstrument), "++x");
    out = {};
    send(m, "+++", 4.0, out);
    send(m, "y", 4.5, out);  // inside the closing guard time
    m.tick(6.0, out);
    EXPECT_EQ(text(out.toInstrument), "+++y");
    EXPECT_TRUE(m.dataMode());
}

TEST(HayesModemTest, DialAnswersAsConfigured) {
    const std::pair<SimOptions::DialAnswer, const char*> cases[] = {
        {SimOptions::DialAnswer::Busy, "\r\nBUSY\r\n"},
        {SimOptions::DialAnswer::NoDialtone, "\r\nNO DIALTONE\r\n"},
        {SimOptions::DialAnswer::NoCarrier, "\r\nNO CARRIER\r\n"},
        {SimOptions::DialAnswer::Silent, ""}};
    for (const auto& [answer, expected] : cases) {
        HayesModem m(answer, 9600, 1.0);
        HayesModem::Output out;
        send(m, "ATDT555\r\n", 0.0, out);
        EXPECT_EQ(text(out.toLine), expected);
        EXPECT_FALSE(m.dataMode());
    }
}

}  // namespace
}  // namespace flowcfg
