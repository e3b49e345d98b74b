// The instrument search against simulated instruments on pseudo-terminals given COM numbers.
#include <gtest/gtest.h>

#include "link/DeviceSearch.h"
#include "link/PortTable.h"
#include "link/PtyPair.h"
#include "link/RecordingSearchProgress.h"
#include "link/ScriptedPeer.h"
#include "sim/SimTestSupport.h"

namespace flowcfg {
namespace {

using testing::PeerReply;
using testing::PtyPair;
using testing::RecordingSearchProgress;
using testing::RunningSim;
using testing::ScriptedPeer;

constexpr int kEnglish = 2;
// Short enough to keep the failed tries quick, long enough for a simulator on a busy machine.
constexpr int kAnswerTimeoutMs = 150;

void installPorts(std::initializer_list<std::pair<int, std::string>> ports) {
    PortTable table;
    for (const auto& [number, path] : ports)
        table.Assign(number, path);
    PortTable::Install(table);
}

DeviceSearch searchOn(InstrumentLink& link, int baudLimit = 8) {
    link.SetAnswerTimeout(kAnswerTimeoutMs);
    return DeviceSearch(link, DeviceSearch::kIdentificationRegister,
                        DeviceSearch::kIdentificationRegisters, DeviceSearch::kAddressByteOffset,
                        baudLimit, kEnglish);
}

TEST(DeviceSearchTest, TriesEveryPortFromTheFastestRateDownAndFindsTheSecondInstrument) {
    // COM1: an instrument at 1200 baud; COM3: one at 9600 baud with slave address 7.
    RunningSim slow({"--baud", "1200", "--slave", "3"});
    RunningSim wanted({"--baud", "9600", "--slave", "7"});
    installPorts({{1, slow.path()}, {3, wanted.path()}});

    InstrumentLink link;
    DeviceSearch search = searchOn(link);
    RecordingSearchProgress progress;
    ASSERT_TRUE(search.Run(progress));

    EXPECT_EQ(search.FoundPort(), 3);
    EXPECT_EQ(search.FoundBaudIndex(), 5);
    EXPECT_EQ(search.FoundAddress(), 7);
    EXPECT_EQ(search.AvailableCount(), 2);
    EXPECT_TRUE(search.AvailablePorts()[1]);
    EXPECT_FALSE(search.AvailablePorts()[2]);
    EXPECT_TRUE(search.AvailablePorts()[3]);

    const std::vector<std::string> tries = {"Com 1 - 115200 bauds",
                                            "Com 3 - 115200 bauds",
                                            "Com 1 - BlueTooth",
                                            "Com 3 - BlueTooth",
                                            "Com 1 - 9600 bauds",
                                            "Com 3 - 9600 bauds",
                                            "The device did answer.\nDetection success!"};
    EXPECT_EQ(progress.secondLines, tries);
    EXPECT_EQ(progress.title, "Autosearch");
    EXPECT_EQ(progress.firstLines,
              (std::vector<std::string>{"Initialization", "Looking for the device"}));
    // The scan's bar counts the 255 COM numbers, the search's the 8 x 2 tries.
    ASSERT_EQ(progress.ranges.size(), 2u);
    EXPECT_EQ(progress.ranges[0], std::make_pair(255, 1));
    EXPECT_EQ(progress.ranges[1], std::make_pair(16, 1));
    EXPECT_EQ(progress.steps, 255 + 6);
    EXPECT_EQ(progress.position, 16);
    EXPECT_TRUE(progress.finished);
    EXPECT_TRUE(progress.found);
    EXPECT_EQ(progress.buttonText, "Ok");
    EXPECT_FALSE(link.IsOpen());

    // The French texts name the same ports and rates.
    EXPECT_EQ(DeviceSearch::TryLine(3, 5, 1), "Com 3 - 9600 bauds");
    EXPECT_EQ(DeviceSearch::TryLine(12, 6, 1), "Com 12 - BlueTooth");
}

TEST(DeviceSearchTest, ABaudListOfSixEntriesTriesIndicesFiveDownToZero) {
    RunningSim sim({"--baud", "300"});
    installPorts({{2, sim.path()}});

    InstrumentLink link;
    DeviceSearch search = searchOn(link, 6);
    RecordingSearchProgress progress;
    ASSERT_TRUE(search.Run(progress));
    EXPECT_EQ(search.FoundPort(), 2);
    EXPECT_EQ(search.FoundBaudIndex(), 0);
    EXPECT_EQ(search.FoundAddress(), 1);
    const std::vector<std::string> tries = {"Com 2 - 9600 bauds", "Com 2 - 4800 bauds",
                                            "Com 2 - 2400 bauds", "Com 2 - 1200 bauds",
                                            "Com 2 - 600 bauds",  "Com 2 - 300 bauds"};
    EXPECT_EQ(
        std::vector<std::string>(progress.secondLines.begin(), progress.secondLines.end() - 1),
        tries);
    EXPECT_EQ(progress.ranges.back(), std::make_pair(6, 1));
}

TEST(DeviceSearchTest, TheAddressIsTheSecondDataByteWhateverSlaveTheReplyCarries) {
    PtyPair pty;
    installPorts({{4, pty.path()}});
    ScriptedPeer peer(pty, [](const Bytes& request, int) {
        if (request[0] != 0 || request[2] != 0xFF || request[3] != 0x00) return PeerReply{};
        // The frame says slave 9; the block's first register holds 0x002A.
        Bytes body{9, 3, static_cast<std::uint8_t>(2 * request[5]), 0x00, 0x2A};
        body.resize(3 + 2 * request[5], 0x55);
        return PeerReply{ScriptedPeer::WithCrc(body)};
    });

    InstrumentLink link;
    DeviceSearch search = searchOn(link);
    RecordingSearchProgress progress;
    ASSERT_TRUE(search.Run(progress));
    EXPECT_EQ(search.FoundPort(), 4);
    EXPECT_EQ(search.FoundBaudIndex(), 7);
    EXPECT_EQ(search.FoundAddress(), 0x2A);
    peer.Stop();
    ASSERT_EQ(peer.Requests().size(), 1u);
    // Slave 0, function 3, the identification block's first 15 registers.
    EXPECT_EQ(peer.Requests()[0], ScriptedPeer::WithCrc({0, 3, 0xFF, 0x00, 0x00, 0x0F}));
}

TEST(DeviceSearchTest, SilentOrMissingPortsEndInFailureWithTheLinkClosed) {
    // A port nobody answers on: every entry is tried (a limit beyond the table is cut to its
    // eight entries), and the port closed again.
    PtyPair silent;
    installPorts({{5, silent.path()}});
    InstrumentLink link;
    link.SetAnswerTimeout(20);
    DeviceSearch search(link, 0xFF00, 32, 1, 11, kEnglish);
    RecordingSearchProgress progress;
    EXPECT_FALSE(search.Run(progress));
    EXPECT_EQ(search.FoundPort(), -1);
    EXPECT_EQ(search.FoundBaudIndex(), -1);
    EXPECT_EQ(search.FoundAddress(), -1);
    EXPECT_EQ(progress.secondLines.size(), 8u + 1);
    EXPECT_EQ(progress.secondLines.back(), "The device did not answer.\nDetection failed!");
    EXPECT_FALSE(progress.found);
    EXPECT_EQ(progress.ranges.back(), std::make_pair(8, 1));
    EXPECT_EQ(progress.position, 8);
    EXPECT_FALSE(link.IsOpen());
    // The search leaves the link's answer time-out as it found it.
    EXPECT_EQ(link.GetAnswerTimeout(), 20);

    // No port at all: nothing is tried.
    installPorts({});
    RecordingSearchProgress none;
    EXPECT_FALSE(search.Run(none));
    EXPECT_EQ(search.AvailableCount(), 0);
    EXPECT_EQ(none.secondLines,
              std::vector<std::string>{"The device did not answer.\nDetection failed!"});
    EXPECT_EQ(none.ranges.back(), std::make_pair(0, 1));
}

}  // namespace
}  // namespace flowcfg
