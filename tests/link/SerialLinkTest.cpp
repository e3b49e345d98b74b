#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "link/PtyPair.h"
#include "link/SerialLink.h"

namespace flowcfg {
namespace {

using testing::PtyPair;
using Clock = std::chrono::steady_clock;

long long msSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// A link open on a pseudo-terminal as COM 1 at 9600 8N1.
struct LinkOnPty {
    PtyPair pty;
    SerialLink link;
    LinkOnPty() {
        pty.InstallAs(1);
        link.SetAnswerTimeout(200);
        EXPECT_EQ(link.Open(1, 5, 'N', 8, 1), 0);
    }
    void WriteLater(Bytes bytes, int delayMs) {
        peer = std::thread([this, bytes, delayMs] {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            pty.Write(bytes);
        });
    }
    ~LinkOnPty() {
        if (peer.joinable()) peer.join();
    }
    std::thread peer;
};

TEST(SerialLinkTest, BaudTableHasEightEntries) {
    EXPECT_EQ(SerialLink::BaudCount(), 8);
    EXPECT_EQ(SerialLink::kBaudTable[5].baud, 9600);
    EXPECT_EQ(SerialLink::kBaudTable[6].baud, 115200);
    EXPECT_EQ(SerialLink::kBaudTable[7].baud, 115200);
    EXPECT_EQ(SerialLink::kBaudTable[8].baud, 0);
}

TEST(SerialLinkTest, OpenFailuresGive253) {
    PtyPair pty;
    pty.InstallAs(1);
    SerialLink link;
    EXPECT_EQ(link.Open(2, 5, 'N', 8, 1), 253);  // no device for COM2
    EXPECT_EQ(link.Open(1, 8, 'N', 8, 1), 253);  // an empty entry of the baud table
    EXPECT_EQ(link.Open(1, -1, 'N', 8, 1), 253);
    EXPECT_EQ(link.Open(1, 11, 'N', 8, 1), 253);
    EXPECT_EQ(link.Open(1, 5, 'Q', 8, 1), 253);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(link.Open(1, 7, 'N', 8, 1), 0);
    EXPECT_TRUE(link.IsOpen());
    EXPECT_EQ(link.BaudIndex(), 7);
    EXPECT_TRUE(link.Channel().ReceiverRunning());
    EXPECT_EQ(link.Close(), 0);
    EXPECT_FALSE(link.Channel().ReceiverRunning());
}

TEST(SerialLinkTest, ReopeningWithTheSameSettingsKeepsThePortAndOtherSettingsReopen) {
    LinkOnPty l;
    SerialChannel& channel = l.link.Channel();
    EXPECT_EQ(channel.OpenCount(), 1);
    EXPECT_EQ(l.link.Open(1, 5, 'N', 8, 1), 0);
    EXPECT_EQ(channel.OpenCount(), 1);
    EXPECT_TRUE(channel.ReceiverRunning());

    EXPECT_EQ(l.link.Open(1, 5, 'N', 8, 2), 0);
    EXPECT_EQ(channel.OpenCount(), 2);
    EXPECT_EQ(channel.StopBits(), 2);
    EXPECT_TRUE(channel.ReceiverRunning());

    // The receive thread of the reopened port works.
    l.link.SetExpectedLength(2);
    l.WriteLater({0x01, 0x02}, 20);
    Bytes got;
    EXPECT_EQ(l.link.Receive(got, false), 0);
    EXPECT_EQ(got, (Bytes{0x01, 0x02}));
}

// The port table can change while the program runs (the options page, a configuration load):
// the same COM number may then name another device, or none.
TEST(SerialLinkTest, ReopeningAComNumberGivenToAnotherDeviceOpensThatDevice) {
    LinkOnPty l;
    SerialChannel& channel = l.link.Channel();
    PtyPair other;
    other.InstallAs(1);
    EXPECT_EQ(l.link.Open(1, 5, 'N', 8, 1), 0);
    EXPECT_EQ(channel.OpenCount(), 2);
    EXPECT_EQ(channel.DevicePath(), other.path());
    EXPECT_TRUE(channel.ReceiverRunning());
    // The link talks to the new device only.
    EXPECT_EQ(l.link.SendText("AT\r"), 0);
    EXPECT_EQ(other.Read(3, 1000), (Bytes{'A', 'T', '\r'}));
    EXPECT_TRUE(l.pty.Read(1, 50).empty());
    l.link.SetExpectedLength(2);
    l.pty.Write({0xEE});
    other.Write({0x01, 0x02});
    Bytes got;
    EXPECT_EQ(l.link.Receive(got, false), 0);
    EXPECT_EQ(got, (Bytes{0x01, 0x02}));
    // Still the same device: kept.
    EXPECT_EQ(l.link.Open(1, 5, 'N', 8, 1), 0);
    EXPECT_EQ(channel.OpenCount(), 2);

    // The number names no device any more: the old one is not used in its place.
    PortTable::Install(PortTable());
    EXPECT_EQ(l.link.Open(1, 5, 'N', 8, 1), 253);
    EXPECT_FALSE(l.link.IsOpen());
    EXPECT_EQ(channel.DevicePath(), "");
}

TEST(SerialLinkTest, AnAnswerOfTheExpectedLengthEndsAtItsLastByte) {
    LinkOnPty l;
    l.link.SetAnswerTimeout(2000);
    l.link.SetExpectedLength(5);
    l.WriteLater({1, 2, 3, 4, 5, 6}, 30);
    Bytes got;
    auto start = Clock::now();
    EXPECT_EQ(l.link.Receive(got, true), 0);
    EXPECT_LT(msSince(start), 900);  // well before the inter-byte time-out of 1000 ms
    EXPECT_EQ(got, (Bytes{1, 2, 3, 4, 5}));
}

TEST(SerialLinkTest, BytesPastTheExpectedLengthStayInThePortForTheNextReceive) {
    LinkOnPty l;
    // All eight bytes are waiting before the receive asks for the first one.
    l.pty.Write({1, 2, 3, 4, 5, 6, 7, 8});
    l.link.SetExpectedLength(5);
    Bytes got;
    EXPECT_EQ(l.link.Receive(got, false), 0);
    EXPECT_EQ(got, (Bytes{1, 2, 3, 4, 5}));
    l.link.SetExpectedLength(3);
    EXPECT_EQ(l.link.Receive(got, false), 0);
    EXPECT_EQ(got, (Bytes{6, 7, 8}));
    // A purge drops what is left over.
    l.pty.Write({9, 10});
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    l.link.SetExpectedLength(1);
    EXPECT_EQ(l.link.Receive(got, true), 251);
}

TEST(SerialLinkTest, ALongBurstAndASlowTrickleBothArriveWholeAndInOrder) {
    LinkOnPty l;
    l.link.SetAnswerTimeout(1000);
    Bytes burst(700);
    for (std::size_t i = 0; i < burst.size(); ++i)
        burst[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    l.pty.Write(burst);
    l.link.SetExpectedLength(700);
    Bytes got;
    EXPECT_EQ(l.link.Receive(got, false), 0);
    EXPECT_EQ(got, burst);

    // Three bytes every 5 ms: each piece is well inside the inter-byte time-out.
    const Bytes trickle(burst.begin(), burst.begin() + 30);
    l.peer = std::thread([&l, trickle] {
        for (std::size_t i = 0; i < trickle.size(); i += 3) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            l.pty.Write(Bytes(trickle.begin() + i, trickle.begin() + i + 3));
        }
    });
    l.link.SetExpectedLength(30);
    auto start = Clock::now();
    EXPECT_EQ(l.link.Receive(got, false), 0);
    EXPECT_LT(msSince(start), 900);
    EXPECT_EQ(got, trickle);
}

TEST(SerialLinkTest, NoAnswerEndsAfterTheAnswerTimeoutWith251) {
    LinkOnPty l;
    l.link.SetExpectedLength(5);
    Bytes got{9, 9};
    auto start = Clock::now();
    EXPECT_EQ(l.link.Receive(got, true), 251);
    EXPECT_GE(msSince(start), 200);
    EXPECT_TRUE(got.empty());
}

TEST(SerialLinkTest, APartialAnswerEndsOneInterByteTimeoutAfterItsLastByte) {
    LinkOnPty l;
    l.link.SetExpectedLength(10);
    l.WriteLater({0xA1, 0xA2, 0xA3}, 20);
    Bytes got;
    auto start = Clock::now();
    EXPECT_EQ(l.link.Receive(got, false), 0);
    EXPECT_GE(msSince(start), 1000);
    EXPECT_EQ(got, (Bytes{0xA1, 0xA2, 0xA3}));
}

TEST(SerialLinkTest, AReceiveWithoutReceiveThreadStillEnds) {
    LinkOnPty l;
    l.link.Channel().StopReceiver();
    l.link.Channel().StopReceiver();  // stopping twice is harmless
    l.link.SetAnswerTimeout(60000);
    Bytes got;
    auto start = Clock::now();
    EXPECT_EQ(l.link.Receive(got, false), 251);
    EXPECT_LT(msSince(start), 1000);

    SerialLink closed;
    EXPECT_EQ(closed.Receive(got, true), 251);
    EXPECT_EQ(closed.SendText("AT\r\n"), 0);
}

TEST(SerialLinkTest, TextGoesOutAsBytesAndComesBackAsText) {
    LinkOnPty l;
    l.link.SetAnswerTimeout(1000);
    EXPECT_EQ(l.link.SendText("AT &F\r\n"), 0);
    Bytes sent = l.pty.Read(7, 1000);
    EXPECT_EQ(std::string(sent.begin(), sent.end()), "AT &F\r\n");

    l.link.SetExpectedLength(6);
    l.WriteLater({'\r', '\n', 'O', 'K', '\r', '\n'}, 10);
    std::string answer = "old";
    EXPECT_EQ(l.link.ReceiveText(answer), 0);
    EXPECT_EQ(answer, "\r\nOK\r\n");
}

// Stands for the modem dialog: opens the port directly, as the dialog does, and answers as told.
struct ScriptedModem : ModemConnector {
    bool answer = true;
    int calls = 0;
    bool Connect(SerialLink& link, int portNumber, int baudIndex, char parity, int dataBits,
                 int stopBits) override {
        ++calls;
        if (!answer) return false;
        return link.Open(portNumber, baudIndex, parity, dataBits, stopBits, false) == 0;
    }
};

TEST(SerialLinkTest, TheModemBranchDialsOnlyWhenNoConnectionIsUp) {
    PtyPair pty;
    pty.InstallAs(1);
    SerialLink link;
    bool connected = false;
    EXPECT_EQ(link.Open(1, 5, 'N', 8, 1, true, &connected), 252);  // no modem connector

    ScriptedModem modem;
    link.SetModemConnector(&modem);
    modem.answer = false;
    EXPECT_EQ(link.Open(1, 5, 'N', 8, 1, true, &connected), 252);
    EXPECT_FALSE(connected);
    EXPECT_EQ(modem.calls, 1);

    modem.answer = true;
    EXPECT_EQ(link.Open(1, 3, 'N', 8, 1, true, &connected), 0);
    EXPECT_TRUE(connected);
    EXPECT_EQ(modem.calls, 2);
    EXPECT_EQ(link.BaudIndex(), 3);
    EXPECT_TRUE(link.Channel().ReceiverRunning());

    EXPECT_EQ(link.Open(1, 5, 'N', 8, 1, true, &connected), 0);
    EXPECT_EQ(modem.calls, 2);  // the connection is up: nothing is done
    EXPECT_EQ(link.BaudIndex(), 3);
}

}  // namespace
}  // namespace flowcfg
