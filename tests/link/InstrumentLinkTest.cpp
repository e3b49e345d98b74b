#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "link/InstrumentLink.h"
#include "link/PtyPair.h"
#include "link/ScriptedPeer.h"

namespace flowcfg {
namespace {

using testing::PeerReply;
using testing::PtyPair;
using testing::ScriptedPeer;
using Clock = std::chrono::steady_clock;

long long msSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// An instrument link open on a pseudo-terminal as COM 1, with a scripted instrument behind it.
struct Bench {
    PtyPair pty;
    InstrumentLink link;
    std::unique_ptr<ScriptedPeer> peer;
    explicit Bench(ScriptedPeer::Script script, int baudIndex = 5) {
        pty.InstallAs(1);
        EXPECT_EQ(link.Open(1, baudIndex, 'N', 8, 1), 0);
        link.SetAnswerTimeout(150);
        peer = std::make_unique<ScriptedPeer>(pty, std::move(script));
    }
    ~Bench() { peer->Stop(); }
};

PeerReply answer(const Bytes& request) {
    return {ScriptedPeer::Answer(request)};
}

// The bytes of `count` registers from `start`, as ScriptedPeer's instrument holds them.
Bytes registerBytes(int start, int count) {
    Bytes bytes;
    for (int r = start; r < start + count; ++r) {
        bytes.push_back(static_cast<std::uint8_t>((r + 0x0100) >> 8));
        bytes.push_back(static_cast<std::uint8_t>(r + 0x0100));
    }
    return bytes;
}

// The next `count` bytes waiting on the line, read by a receive without purge.
Bytes leftOver(InstrumentLink& link, int count) {
    Bytes rest;
    link.SetExpectedLength(count);
    link.Receive(rest, false);
    return rest;
}

TEST(InstrumentLinkTest, AReadReturnsTheRegisterBytes) {
    Bench b([](const Bytes& request, int) { return answer(request); });
    Bytes data{0xEE};
    ASSERT_EQ(b.link.Exchange(1, 3, 0x0010, 3, data, 2), 0);
    EXPECT_EQ(data, (Bytes{0x01, 0x10, 0x01, 0x11, 0x01, 0x12}));
    EXPECT_EQ(b.link.CurrentTry(), 1);
    ASSERT_EQ(b.peer->Requests().size(), 1u);
    EXPECT_EQ(b.peer->Requests()[0], ScriptedPeer::WithCrc({0x01, 0x03, 0x00, 0x10, 0x00, 0x03}));

    JBusRequest current;
    b.link.GetLastResult(current);
    EXPECT_EQ(current.slave, 1);
    EXPECT_EQ(current.function, 3);
    EXPECT_EQ(current.start, 0x10);
    EXPECT_EQ(current.count, 3);
}

TEST(InstrumentLinkTest, AWriteReturnsTheEndOfTheEcho) {
    Bench b([](const Bytes& request, int) { return answer(request); });
    Bytes data{0x5A, 0x5A};
    ASSERT_EQ(b.link.Exchange(1, 16, 0xEFFF, 1, data, 2), 0);
    EXPECT_EQ(data, (Bytes{0xFF, 0x00, 0x01}));
    EXPECT_EQ(b.peer->Requests()[0],
              ScriptedPeer::WithCrc({0x01, 0x10, 0xEF, 0xFF, 0x00, 0x01, 0x02, 0x5A, 0x5A}));
}

TEST(InstrumentLinkTest, ASlaveThatNeverAnswersGets3TriesAnd251) {
    Bench b([](const Bytes&, int) { return PeerReply{}; });
    Bytes data{1, 2, 3};
    auto start = Clock::now();
    EXPECT_EQ(b.link.Exchange(1, 3, 0, 10, data, 2), 251);
    EXPECT_GE(msSince(start), 3 * 150);
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(b.link.CurrentTry(), 3);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(b.peer->Requests().size(), 3u);
}

TEST(InstrumentLinkTest, ABadCrcIsRetriedAndTheSecondTrySucceeds) {
    Bench b([](const Bytes& request, int index) {
        PeerReply reply = answer(request);
        if (index == 0) reply.bytes.back() ^= 0x55;
        return reply;
    });
    Bytes data;
    EXPECT_EQ(b.link.Exchange(1, 3, 0x0200, 2, data, 2), 0);
    EXPECT_EQ(b.link.CurrentTry(), 2);
    EXPECT_EQ(data, (Bytes{0x03, 0x00, 0x03, 0x01}));
}

TEST(InstrumentLinkTest, AnExceptionReplyGives150PlusItsCodeAfterThreeTries) {
    Bench b([](const Bytes&, int) { return PeerReply{ScriptedPeer::WithCrc({0x01, 0x83, 0x02})}; });
    Bytes data{7};
    auto start = Clock::now();
    EXPECT_EQ(b.link.Exchange(1, 3, 0, 10, data, 2), 152);
    // An exception reply is not recognised as a frame end: each try waits one inter-byte
    // time-out after it.
    EXPECT_GE(msSince(start), 3 * 1000);
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(b.link.CurrentTry(), 3);
}

TEST(InstrumentLinkTest, AReplyEndsByItsOwnByteCountAndIsThenRefused) {
    Bench b([](const Bytes&, int) {
        return PeerReply{ScriptedPeer::WithCrc({0x01, 0x03, 0x02, 0x12, 0x34})};
    });
    Bytes data;
    auto start = Clock::now();
    EXPECT_EQ(b.link.Exchange(1, 3, 0, 10, data, 2), 103);
    EXPECT_LT(msSince(start), 1000);  // no inter-byte time-out waited
    EXPECT_EQ(b.link.CurrentTry(), 3);
}

// A reply that arrives in one burst, followed by bytes that do not belong to it, ends at its
// own last byte: the bytes after it are not taken from the line.
TEST(InstrumentLinkTest, AReplyInOneBurstEndsAtItsLastByteAndLeavesWhatFollows) {
    const Bytes trailing{0x01, 0x03, 0x02, 0xEF};  // looks like the start of another reply
    Bench b([&](const Bytes& request, int) {
        PeerReply reply = answer(request);
        reply.bytes.insert(reply.bytes.end(), trailing.begin(), trailing.end());
        reply.pieceSize = 0;
        return reply;
    });
    b.link.SetAnswerTimeout(1000);
    Bytes data;
    auto start = Clock::now();
    ASSERT_EQ(b.link.Exchange(1, 3, 0x0040, 125, data, 2), 0);
    EXPECT_EQ(b.link.CurrentTry(), 1);
    EXPECT_EQ(data, registerBytes(0x0040, 125));
    EXPECT_EQ(leftOver(b.link, 4), trailing);

    data = {0x12, 0x34};
    ASSERT_EQ(b.link.Exchange(1, 16, 0x0020, 1, data, 2), 0);
    EXPECT_EQ(data, (Bytes{0x20, 0x00, 0x01}));
    EXPECT_EQ(leftOver(b.link, 4), trailing);
    EXPECT_LT(msSince(start), 1000);  // no inter-byte time-out waited
}

TEST(InstrumentLinkTest, AShortReplyInOneBurstEndsByItsOwnByteCount) {
    Bench b([](const Bytes&, int) {
        PeerReply reply{ScriptedPeer::WithCrc({0x01, 0x03, 0x02, 0x12, 0x34})};
        reply.bytes.insert(reply.bytes.end(), {0xA5, 0x5A, 0xA5});
        reply.pieceSize = 0;
        return reply;
    });
    Bytes data;
    auto start = Clock::now();
    EXPECT_EQ(b.link.Exchange(1, 3, 0, 10, data, 2), 103);
    EXPECT_LT(msSince(start), 1000);
    EXPECT_EQ(leftOver(b.link, 3), (Bytes{0xA5, 0x5A, 0xA5}));
}

TEST(InstrumentLinkTest, AnUnrecognisedBurstEndsAt512Bytes) {
    Bytes noise(600);
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<std::uint8_t>(0x09 + i * 13);  // another slave's address first
    Bench b([&](const Bytes&, int) { return PeerReply{noise, 0, -1, 0, false, 0, 0}; });
    b.link.SetAnswerTimeout(1000);
    Bytes data{1};
    auto start = Clock::now();
    // 300 registers would be a 605-byte reply: the 512-byte limit ends each try first.
    EXPECT_EQ(b.link.Exchange(1, 3, 0, 300, data, 2), 201);
    EXPECT_LT(msSince(start), 1000);
    EXPECT_EQ(b.link.CurrentTry(), 3);
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(leftOver(b.link, 88), Bytes(noise.begin() + 512, noise.end()));
}

TEST(InstrumentLinkTest, AReplyInManySmallPiecesIsPutTogether) {
    Bench b([](const Bytes& request, int) {
        PeerReply reply = answer(request);
        reply.pieceSize = 7;
        reply.pieceGapMs = 2;
        return reply;
    });
    b.link.SetAnswerTimeout(1000);
    Bytes data;
    auto start = Clock::now();
    ASSERT_EQ(b.link.Exchange(1, 3, 0x0200, 125, data, 2), 0);
    EXPECT_LT(msSince(start), 1000);
    EXPECT_EQ(b.link.CurrentTry(), 1);
    EXPECT_EQ(data, registerBytes(0x0200, 125));
}

TEST(InstrumentLinkTest, APartialReplyEndsAfterTheInterByteTimeout) {
    Bench b([](const Bytes& request, int index) {
        PeerReply reply = answer(request);
        if (index == 0) reply.bytes.resize(4);  // then silence
        return reply;
    });
    Bytes data;
    auto start = Clock::now();
    EXPECT_EQ(b.link.Exchange(1, 3, 0, 4, data, 2), 0);
    EXPECT_GE(msSince(start), 1000);
    EXPECT_EQ(b.link.CurrentTry(), 2);
    EXPECT_EQ(data.size(), 8u);
}

TEST(InstrumentLinkTest, SlaveZeroAcceptsAnyAddressAndAWrongSlaveIsRefused) {
    Bench b([](const Bytes& request, int) { return PeerReply{ScriptedPeer::Answer(request, 7)}; });
    Bytes data;
    EXPECT_EQ(b.link.Exchange(0, 3, 0xFF00, 2, data, 2), 0);
    EXPECT_EQ(data, (Bytes{0x00, 0x00, 0x00, 0x01}));  // registers 0xFF00 and 0xFF01 + 0x100
    EXPECT_EQ(b.link.Exchange(5, 3, 0xFF00, 2, data, 2), 101);
}

TEST(InstrumentLinkTest, A124RegisterWriteIsRefusedAndTheLinkStaysUsable) {
    Bench b([](const Bytes& request, int) { return answer(request); });
    Bytes data(248, 0x11);
    EXPECT_EQ(b.link.Exchange(1, 16, 0, 124, data, 2), 1);
    EXPECT_TRUE(data.empty());
    EXPECT_TRUE(b.peer->Requests().empty());
    Bytes read;
    EXPECT_EQ(b.link.Exchange(1, 3, 0, 1, read, 2), 0);
    EXPECT_EQ(read, (Bytes{0x01, 0x00}));
    Bytes write(246, 0x22);
    EXPECT_EQ(b.link.Exchange(1, 16, 0, 123, write, 2), 0);
}

TEST(InstrumentLinkTest, TheBluetoothEntryPacesEachSentByte) {
    Bench b([](const Bytes& request, int) { return answer(request); }, 6);
    b.link.SetAnswerTimeout(1000);
    Bytes data;
    auto start = Clock::now();
    ASSERT_EQ(b.link.Exchange(1, 3, 0, 1, data, 2), 0);
    const long long readMs = msSince(start);
    data = {0x00, 0x01};
    start = Clock::now();
    ASSERT_EQ(b.link.Exchange(1, 16, 0, 1, data, 2), 0);
    const long long writeMs = msSince(start);

    // 8 bytes with 3 ms after each, 11 bytes with 20 ms after each: on the sending side each
    // exchange lasts at least all its pauses.
    EXPECT_GE(readMs, 8 * 3);
    EXPECT_GE(writeMs, 11 * 20);
    // On the line the bytes arrive spread over at least 7 and 10 pauses, less the time the
    // scripted instrument may have taken to wake up for the first byte (1 ms allowed).
    auto times = b.peer->ArrivalTimes();
    ASSERT_EQ(times.size(), 2u);
    auto span = [](const std::vector<Clock::time_point>& t) {
        return std::chrono::duration_cast<std::chrono::microseconds>(t.back() - t.front()).count();
    };
    EXPECT_GE(span(times[0]), 7 * 3000 - 1000);
    EXPECT_GE(span(times[1]), 10 * 20000 - 1000);
    EXPECT_EQ(b.link.Channel().SendDelay(), 0.020);

    b.link.Close();
    ASSERT_EQ(b.link.Open(1, 7, 'N', 8, 1), 0);
    ASSERT_EQ(b.link.Exchange(1, 3, 0, 1, data, 2), 0);
    EXPECT_EQ(b.link.Channel().SendDelay(), 0.0);
}

TEST(InstrumentLinkTest, AnUnpluggedAdapterEndsTheExchangeAndTheLinkCanBeReopened) {
    PtyPair replacement;
    Bench b([](const Bytes&, int) { return PeerReply{{}, 0, -1, 0, true}; });
    b.link.SetAnswerTimeout(5000);
    Bytes data{1};
    auto start = Clock::now();
    EXPECT_EQ(b.link.Exchange(1, 3, 0, 2, data, 2), 251);
    EXPECT_LT(msSince(start), 5000);  // ended by the hang-up, not by the answer time-out
    EXPECT_TRUE(data.empty());
    EXPECT_TRUE(b.link.Channel().DeviceLost());

    // The adapter comes back (here: under the same COM number on another device). Opening
    // with the same settings does not keep the dead port.
    replacement.InstallAs(1);
    ScriptedPeer peer(replacement, [](const Bytes& request, int) { return answer(request); });
    ASSERT_EQ(b.link.Open(1, 5, 'N', 8, 1), 0);
    EXPECT_EQ(b.link.Channel().OpenCount(), 2);
    EXPECT_EQ(b.link.Exchange(1, 3, 0, 2, data, 2), 0);
    EXPECT_EQ(data.size(), 4u);
    EXPECT_EQ(b.link.Close(), 0);
    peer.Stop();
}

TEST(InstrumentLinkTest, AnExchangeOnAClosedLinkEndsWith251) {
    InstrumentLink link;
    link.SetAnswerTimeout(60000);
    Bytes data{1};
    auto start = Clock::now();
    EXPECT_EQ(link.Exchange(1, 3, 0, 1, data, 2), 251);
    EXPECT_LT(msSince(start), 1000);
    EXPECT_TRUE(data.empty());
}

}  // namespace
}  // namespace flowcfg
