#include "ui/GuiIdleHook.h"

#include <gtest/gtest.h>

#include <QTimer>

#include "link/InstrumentLink.h"
#include "link/PtyPair.h"

namespace flowcfg {
namespace {

using testing::PtyPair;

// Runs a read against an instrument that never answers, on the interface thread, and counts the
// ticks of a 5 ms timer that fired meanwhile.
int timerTicksDuringSilentExchange(int& result) {
    PtyPair line;
    line.InstallAs(1);
    InstrumentLink link;
    EXPECT_EQ(link.Open(1, 5, 'N', 8, 1), 0);
    link.SetAnswerTimeout(60);
    int ticks = 0;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start();
    Bytes data;
    result = link.Exchange(1, 3, 0xFF00, 15, data);
    timer.stop();
    link.Close();
    return ticks;
}

TEST(GuiIdleHookTest, TheInterfaceKeepsRunningWhileItsThreadWaitsForTheInstrument) {
    int result = -1;
    EXPECT_EQ(timerTicksDuringSilentExchange(result), 0) << "without the hook the thread blocks";
    EXPECT_EQ(result, 251);
    {
        GuiIdleHook hook;
        EXPECT_GT(timerTicksDuringSilentExchange(result), 5);
        EXPECT_EQ(result, 251);
    }
}

int markingHook(SerialPort&) {
    return 0;
}

TEST(GuiIdleHookTest, ThePreviousHookIsPutBack) {
    IdleHook before = SetIdleHook(&markingHook);
    {
        GuiIdleHook hook;
        EXPECT_EQ(GetIdleHook(), &GuiIdleHook::Run);
    }
    EXPECT_EQ(GetIdleHook(), &markingHook);
    SetIdleHook(before);
}

}  // namespace
}  // namespace flowcfg
