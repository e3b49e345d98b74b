#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "link/InstrumentLink.h"
#include "link/PtyPair.h"
#include "link/ScriptedPeer.h"

namespace flowcfg {
namespace {

using testing::PeerReply;
using testing::PtyPair;
using testing::ScriptedPeer;
using namespace std::chrono_literals;

// Counts notifications; the test thread plays the window that handles them.
class CountingListener : public PollingListener {
public:
    void OnNewFrame() override {
        std::lock_guard lock(mutex_);
        ++count_;
        changed_.notify_all();
    }
    // True when at least `n` notifications came within `timeout`.
    bool WaitFor(int n, std::chrono::milliseconds timeout = 5s) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return count_ >= n; });
    }
    int Count() {
        std::lock_guard lock(mutex_);
        return count_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int count_ = 0;
};

struct PollingBench {
    PtyPair pty;
    CountingListener listener;
    InstrumentLink link;
    std::unique_ptr<ScriptedPeer> peer;
    explicit PollingBench(int replyDelayMs = 0) {
        pty.InstallAs(1);
        EXPECT_EQ(link.Open(1, 5, 'N', 8, 1), 0);
        link.SetAnswerTimeout(1000);
        peer = std::make_unique<ScriptedPeer>(pty, [replyDelayMs](const Bytes& request, int) {
            return PeerReply{ScriptedPeer::Answer(request), replyDelayMs};
        });
    }
    ~PollingBench() {
        link.StopPolling();
        peer->Stop();
    }
    int Start(int start, int intervalMs = 0) {
        return link.StartPolling(&listener, 1, 3, start, 2, intervalMs, 2, {});
    }
    JBusRequest Last() {
        JBusRequest r;
        link.GetLastResult(r);
        return r;
    }
};

TEST(PollingTest, EachCycleWaitsForTheAcknowledge) {
    PollingBench b;
    ASSERT_EQ(b.Start(0x10), 0);
    EXPECT_TRUE(b.link.IsPolling());
    ASSERT_TRUE(b.listener.WaitFor(1));
    JBusRequest r = b.Last();
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.data, (Bytes{0x01, 0x10, 0x01, 0x11}));
    // Without an acknowledge the worker does not run ahead.
    EXPECT_FALSE(b.listener.WaitFor(2, 300ms));
    b.link.Acknowledge();
    EXPECT_TRUE(b.listener.WaitFor(2));
    b.link.Acknowledge();
    EXPECT_TRUE(b.listener.WaitFor(3));
    b.link.StopPolling();
    EXPECT_FALSE(b.link.IsPolling());
}

TEST(PollingTest, StartingTwiceKeepsTheFirstWorker) {
    PollingBench b;
    ASSERT_EQ(b.Start(0x10), 0);
    EXPECT_EQ(b.Start(0x20), -1);
    ASSERT_TRUE(b.listener.WaitFor(1));
    b.link.Acknowledge();
    ASSERT_TRUE(b.listener.WaitFor(2));
    EXPECT_EQ(b.Last().start, 0x10);
    for (const Bytes& request : b.peer->Requests())
        EXPECT_EQ(request[3], 0x10);
}

TEST(PollingTest, StopWhileWaitingForTheAcknowledgeEndsWithoutAnotherNotification) {
    PollingBench b;
    ASSERT_EQ(b.Start(0x10), 0);
    ASSERT_TRUE(b.listener.WaitFor(1));
    std::this_thread::sleep_for(50ms);  // the worker now waits for the acknowledge
    b.link.StopPolling();
    EXPECT_FALSE(b.link.IsPolling());
    const int count = b.listener.Count();
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(b.listener.Count(), count);
    EXPECT_EQ(count, 1);
    b.link.StopPolling();  // a second stop does nothing

    // The link can poll again, and an acknowledge left over does not let the new worker run
    // ahead of its first notification.
    b.link.Acknowledge();
    ASSERT_EQ(b.Start(0x30), 0);
    ASSERT_TRUE(b.listener.WaitFor(2));
    EXPECT_FALSE(b.listener.WaitFor(3, 300ms));
    EXPECT_EQ(b.Last().start, 0x30);
}

TEST(PollingTest, ChangeRequestTakesEffectFromTheNextCycle) {
    PollingBench b;
    ASSERT_EQ(b.Start(0x10), 0);
    ASSERT_TRUE(b.listener.WaitFor(1));
    JBusRequest next = b.Last();
    next.start = 0x40;
    next.count = 1;
    b.link.ChangeRequest(next);
    b.link.Acknowledge();
    ASSERT_TRUE(b.listener.WaitFor(2));
    JBusRequest r = b.Last();
    EXPECT_EQ(r.start, 0x40);
    EXPECT_EQ(r.data, (Bytes{0x01, 0x40}));
    auto requests = b.peer->Requests();
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ(requests[1], ScriptedPeer::WithCrc({0x01, 0x03, 0x00, 0x40, 0x00, 0x01}));
}

TEST(PollingTest, ASynchronousExchangeIsRefusedWhileTheWorkerIsOnTheLine) {
    PollingBench b(300);
    ASSERT_EQ(b.Start(0x10), 0);
    std::this_thread::sleep_for(100ms);  // the worker waits for its slow reply
    Bytes data{0xAB};
    EXPECT_EQ(b.link.Exchange(1, 3, 0, 1, data, 2), -1);
    EXPECT_EQ(data, (Bytes{0xAB}));  // -1 changes nothing
    ASSERT_TRUE(b.listener.WaitFor(1));
    EXPECT_EQ(b.Last().result, 0);

    // Between cycles a synchronous exchange runs and leaves its request behind.
    EXPECT_EQ(b.link.Exchange(1, 3, 0x50, 1, data, 2), 0);
    EXPECT_EQ(data, (Bytes{0x01, 0x50}));
    EXPECT_EQ(b.Last().start, 0x50);
}

TEST(PollingTest, ACycleThatFindsTheLineBusyReportsAFailureNotTheLastAnswer) {
    PollingBench b(300);
    ASSERT_EQ(b.Start(0x10), 0);
    ASSERT_TRUE(b.listener.WaitFor(1));
    ASSERT_FALSE(b.Last().data.empty());

    std::thread window([&] {
        Bytes data;
        EXPECT_EQ(b.link.Exchange(1, 3, 0x20, 1, data, 2), 0);
    });
    std::this_thread::sleep_for(100ms);  // the synchronous exchange is on the line
    b.link.Acknowledge();
    ASSERT_TRUE(b.listener.WaitFor(2));
    JBusRequest r = b.Last();
    EXPECT_EQ(r.result, -1);
    EXPECT_TRUE(r.data.empty());
    window.join();
}

TEST(PollingTest, DestroyingAPollingLinkStopsItsWorker) {
    PtyPair pty;
    pty.InstallAs(1);
    CountingListener listener;
    ScriptedPeer peer(
        pty, [](const Bytes& request, int) { return PeerReply{ScriptedPeer::Answer(request)}; });
    {
        InstrumentLink link;
        ASSERT_EQ(link.Open(1, 5, 'N', 8, 1), 0);
        ASSERT_EQ(link.StartPolling(&listener, 1, 3, 0, 1, 0, 2, {}), 0);
        ASSERT_TRUE(listener.WaitFor(1));
        link.Acknowledge();
        ASSERT_TRUE(listener.WaitFor(2));
    }
    const int count = listener.Count();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(listener.Count(), count);
    peer.Stop();
}

TEST(PollingTest, WithoutAListenerTheWorkerStopsAfterOneExchange) {
    PollingBench b;
    ASSERT_EQ(b.link.StartPolling(nullptr, 1, 3, 0x10, 1, 0, 2, {}), 0);
    for (int i = 0; i < 100 && b.link.IsPolling(); ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(b.link.IsPolling());
    EXPECT_EQ(b.Last().data, (Bytes{0x01, 0x10}));
    EXPECT_EQ(b.Start(0x20), 0);  // a worker that ended on its own does not block a new start
    EXPECT_TRUE(b.listener.WaitFor(1));
}

}  // namespace
}  // namespace flowcfg
