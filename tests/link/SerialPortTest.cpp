#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "link/PortUtilities.h"
#include "link/PosixSerialDriver.h"
#include "link/PtyPair.h"

namespace flowcfg {
namespace {

using testing::PtyPair;
using Clock = std::chrono::steady_clock;

long long msSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Opens the pair's device as COM 1 at 9600 8N1 and closes it at the end.
struct OpenPort {
    explicit OpenPort(const PtyPair& pty, long baud = 9600, char parity = 'N', int dataBits = 8,
                      int stopBits = 1) {
        pty.InstallAs(1);
        port = OpenPosixPort(0, baud, parity, dataBits, stopBits);
    }
    ~OpenPort() {
        if (port) port->Close();
    }
    SerialPort* port = nullptr;
};

int hookCalls = 0;
int countingHook(SerialPort&) {
    ++hookCalls;
    return 0;
}
int failingHook(SerialPort&) {
    return -77;
}

TEST(SerialPortTest, OpenReportsMissingHeldAndNonTerminalDevices) {
    PortTable table;
    table.Assign(2, "/dev/flowcfg-no-such-device");
    table.Assign(3, "/dev/null");
    PortTable::Install(table);
    for (auto [index, expected] : std::vector<std::pair<int, int>>{{0, -14}, {1, -14}, {2, -2}}) {
        SerialPort* port = OpenPosixPort(index, 9600, 'N', 8, 1);
        ASSERT_NE(port, nullptr);
        EXPECT_EQ(port->status, expected) << "COM" << index + 1;
        EXPECT_EQ(port->portIndex, index);
        port->Close();
    }

    PtyPair pty;
    OpenPort first(pty);
    ASSERT_EQ(first.port->status, 0);
    SerialPort* second = OpenPosixPort(0, 9600, 'N', 8, 1);
    EXPECT_EQ(second->status, -3);
    second->Close();
}

TEST(SerialPortTest, LineParametersAreCheckedInOrder) {
    PtyPair pty;
    EXPECT_EQ(OpenPort(pty, 115200).port->status, 0);
    EXPECT_EQ(OpenPort(pty, 115201).port->status, -25);
    EXPECT_EQ(OpenPort(pty, 1000).port->status, -25);  // not a rate the line can run
    EXPECT_EQ(OpenPort(pty, 9600, 'n').port->status, 0);
    EXPECT_EQ(OpenPort(pty, 9600, 'X').port->status, -26);
    EXPECT_EQ(OpenPort(pty, 9600, 'N', 8, 0).port->status, -28);
    EXPECT_EQ(OpenPort(pty, 9600, 'N', 8, 3).port->status, -28);
    EXPECT_EQ(OpenPort(pty, 9600, 'N', 9, 1).port->status, -27);

    OpenPort open(pty);
    SerialPort& port = *open.port;
    EXPECT_EQ(port.SetParameters(230400, 'N', 8, 1), -25);
    EXPECT_EQ(port.status, -25);
    EXPECT_EQ(port.ClearStatus(), 0);
    EXPECT_EQ(port.status, 0);
    for (char parity : {'E', 'o', 'M', 's', 'N'})
        EXPECT_EQ(port.SetParameters(1200, parity, 7, 2), 0) << parity;
}

TEST(SerialPortTest, BytesTravelBothWaysAndAnEmptyQueueGivesNoData) {
    PtyPair pty;
    OpenPort open(pty);
    SerialPort& port = *open.port;
    ASSERT_EQ(port.status, 0);
    EXPECT_EQ(port.driverType, SerialPort::kDriverSystem);

    EXPECT_EQ(port.ReadByte(), -8);
    EXPECT_EQ(port.transferCount, 0);

    const std::uint8_t frame[] = {0x01, 0x03, 0x00, 0xFF, 0x11};
    EXPECT_EQ(port.WriteBuffer(frame, 5), 0);
    EXPECT_EQ(port.transferCount, 5);
    EXPECT_EQ(port.WriteByte(0x42), 0);
    EXPECT_EQ(pty.Read(6, 1000), (Bytes{0x01, 0x03, 0x00, 0xFF, 0x11, 0x42}));
    EXPECT_EQ(TxEmpty(port), 1);

    pty.Write({0xAA, 0x00, 0x55});
    ASSERT_EQ(ReadByteTimed(port, 1000), 0xAA);
    EXPECT_EQ(port.RxCount(), 2);
    EXPECT_EQ(port.RxFree(), 1050 - 2);
    EXPECT_EQ(ReadByteTimed(port, 1000), 0x00);
    EXPECT_EQ(port.ReadByte(), 0x55);
    EXPECT_EQ(port.RxCount(), 0);

    pty.Write(Bytes(300, 0x7E));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(DrainInput(port), 0);
    EXPECT_EQ(port.RxCount(), 0);
    EXPECT_EQ(port.ClearTxBuffer(), 0);
}

TEST(SerialPortTest, WriteBufferQueuesOnlyWhatFitsTheTransmitQueue) {
    PtyPair pty;
    OpenPort open(pty);
    SerialPort& port = *open.port;
    Bytes big(2000, 0x33);
    EXPECT_EQ(port.WriteBuffer(big.data(), static_cast<int>(big.size())), -9);
    EXPECT_EQ(port.transferCount, 1050);
    EXPECT_EQ(port.status, -9);
    EXPECT_EQ(pty.Read(2000, 200).size(), 1050u);
}

TEST(SerialPortTest, ReadByteTimedCallsTheIdleHookOnlyWhileWaiting) {
    PtyPair pty;
    OpenPort open(pty);
    SerialPort& port = *open.port;
    SetIdleHook(countingHook);

    hookCalls = 0;
    EXPECT_EQ(ReadByteTimed(port, 0), -8);
    EXPECT_EQ(hookCalls, 1);

    pty.Write({0x10});
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    hookCalls = 0;
    EXPECT_EQ(ReadByteTimed(port, 0), 0x10);
    EXPECT_EQ(hookCalls, 0);

    // With a hook, a long wait is cut into slices so that the hook runs meanwhile.
    hookCalls = 0;
    auto start = Clock::now();
    EXPECT_EQ(ReadByteTimed(port, 120), -8);
    EXPECT_GE(msSince(start), 120);
    EXPECT_GE(hookCalls, 3);

    hookCalls = 0;
    EXPECT_EQ(WaitMs(port, 50), 0);
    EXPECT_GE(hookCalls, 2);

    SetIdleHook(failingHook);
    EXPECT_EQ(ReadByteTimed(port, 1000), -77);
    EXPECT_EQ(port.status, -77);
    EXPECT_EQ(WaitMs(port, 1000), -77);
    EXPECT_EQ(SetIdleHook(nullptr), failingHook);
}

TEST(SerialPortTest, ReadByteTimedBlocksUntilAByteComesOrTheTimeOut) {
    PtyPair pty;
    OpenPort open(pty);
    SerialPort& port = *open.port;
    ASSERT_EQ(GetIdleHook(), nullptr);

    auto start = Clock::now();
    EXPECT_EQ(ReadByteTimed(port, 100), -8);
    EXPECT_GE(msSince(start), 100);

    std::thread peer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pty.Write({0x99});
    });
    start = Clock::now();
    EXPECT_EQ(ReadByteTimed(port, -1), 0x99);
    EXPECT_GE(msSince(start), 40);
    peer.join();
}

TEST(SerialPortTest, AnUnpluggedDeviceEndsTheWaitAndTheCloseStillWorks) {
    PtyPair pty;
    OpenPort open(pty);
    SerialPort& port = *open.port;
    pty.CloseMaster();
    Clock::time_point start = Clock::now();
    EXPECT_EQ(ReadByteTimed(port, 5000), -14);
    EXPECT_LT(msSince(start), 2500);  // ended by the hang-up, not by the time-out
    start = Clock::now();
    EXPECT_EQ(ReadByteTimed(port, 5000), -14);  // and so does every later wait
    EXPECT_LT(msSince(start), 2500);
    port.WriteByte(0x01);  // a write error is not reported by the byte write
    EXPECT_EQ(open.port->Close(), 0);
    open.port = nullptr;
}

TEST(SerialPortTest, FallbackAndDefaultOperationsReportUnsupported) {
    SerialPort* fallback = SerialPort::Fallback();
    EXPECT_EQ(fallback->status, -5);
    EXPECT_EQ(fallback->portIndex, -1);
    EXPECT_EQ(fallback->driverType, -1);
    EXPECT_EQ(fallback->driver, nullptr);
    EXPECT_EQ(fallback->ReadByte(), -24);
    EXPECT_EQ(fallback->status, -24);
    fallback->status = -5;

    SerialPort* port = SerialPort::Create();
    ASSERT_NE(port, nullptr);
    std::uint8_t buffer[4] = {};
    for (int result : {port->ReadByte(),
                       port->WriteByte(1),
                       port->SetParameters(9600, 'N', 8, 1),
                       port->SetXonXoff(1),
                       port->SetRtsCts(1),
                       port->SetDtrDsr(1),
                       port->SetDtr(1),
                       port->SetRts(1),
                       port->TxFree(),
                       port->RxFree(),
                       port->RxCount(),
                       port->ClearTxBuffer(),
                       port->WriteBuffer(buffer, 4),
                       port->ReadBuffer(buffer, 4),
                       port->SendBreak(1),
                       port->ModemStatus(),
                       port->LineStatus(),
                       port->ClearErrors(),
                       port->ops.Reserved1(*port),
                       port->ops.Reserved2(*port),
                       port->WaitForInput(1)})
        EXPECT_EQ(result, -24);

    // A driver that cannot count its transmit queue reports it empty and keeps the status.
    port->status = -9;
    EXPECT_EQ(TxEmpty(*port), 1);
    EXPECT_EQ(port->status, -9);
    EXPECT_EQ(ReadByteTimed(*port, 1000), -24);

    std::vector<std::string> lines;
    EXPECT_EQ(port->DumpState([&](const std::string& line) { lines.push_back(line); }), -24);
    EXPECT_EQ(lines, (std::vector<std::string>{"Port dump not supported for this driver", ""}));
    EXPECT_EQ(port->Close(), 0);
}

TEST(SerialPortTest, TheProcessListHoldsEveryOpenPortUntilItIsClosed) {
    const int before = SerialPort::ListedCount();
    PtyPair a, b;
    PortTable table;
    table.Assign(1, a.path());
    table.Assign(2, b.path());
    PortTable::Install(table);
    SerialPort* first = OpenPosixPort(0, 9600, 'N', 8, 1);
    SerialPort* second = OpenPosixPort(1, 9600, 'N', 8, 1);
    ASSERT_EQ(first->status, 0);
    ASSERT_EQ(second->status, 0);
    EXPECT_EQ(SerialPort::ListedCount(), before + 2);
    EXPECT_EQ(first->Close(), 0);
    EXPECT_EQ(SerialPort::ListedCount(), before + 1);

    SerialPort::CloseAll();
    EXPECT_EQ(SerialPort::ListedCount(), 0);
    // Closed means released: the device can be opened again.
    SerialPort* again = OpenPosixPort(1, 9600, 'N', 8, 1);
    EXPECT_EQ(again->status, 0);
    again->Close();
}

TEST(SerialPortTest, DumpStateWritesAnEmptyLineAndNineLinesOfSettings) {
    PtyPair pty;
    OpenPort open(pty, 4800, 'E', 7, 2);
    ASSERT_EQ(open.port->status, 0);
    std::vector<std::string> lines;
    EXPECT_EQ(open.port->DumpState([&](const std::string& line) { lines.push_back(line); }), 0);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "");
    EXPECT_NE(lines[1].find("BaudRate: 4800    ByteSize: 7  Parity: 2"), std::string::npos)
        << lines[1];
    EXPECT_EQ(lines[2], "StopBits: 2 fBinary: 1  fRtsControl: 1");
    EXPECT_NE(lines[4].find("XonChar: 11  XoffChar: 13"), std::string::npos) << lines[4];
    EXPECT_EQ(lines[5], "XonLim: 262   XoffLim: 262   EofChr: 00  EvtChr: 00");
    EXPECT_EQ(lines[9], "8250:0000");

    open.port->SetRtsCts(1);
    open.port->SetXonXoff(1);
    lines.clear();
    open.port->DumpState([&](const std::string& line) { lines.push_back(line); });
    EXPECT_EQ(lines[3], "Parity: 0  OutCtsFlow: 1  OutDsrFlow: 0  DtrControl: 1  OutX: 1  InX: 1");
}

}  // namespace
}  // namespace flowcfg
