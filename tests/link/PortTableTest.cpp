#include <gtest/gtest.h>

#include <filesystem>

#include "common/TempDir.h"
#include "link/PortTable.h"

namespace flowcfg {
namespace {

using testing::TempDir;
using testing::writeFile;

// A fake /dev with serial devices in a scrambled order, and a fake /sys/class/tty where ttyS1
// is a slot without a UART.
struct FakeSystem {
    TempDir dir;
    std::string dev = dir.file("dev/");
    std::string sys = dir.file("sys/");
    FakeSystem() {
        std::filesystem::create_directories(dev);
        for (const char* name : {"ttyUSB10", "ttyS1", "rfcomm0", "ttyUSB2", "ttyS0", "ttyACM0",
                                 "tty0", "ttyUSBx", "ttyS", "null"})
            writeFile(dev + name, "");
        for (const char* name : {"ttyS0", "ttyS1"})
            std::filesystem::create_directories(sys + name);
        writeFile(sys + "ttyS0/type", "4\n");
        writeFile(sys + "ttyS1/type", "0\n");
    }
};

TEST(PortTableTest, FindsSerialDevicesByKindThenNumber) {
    FakeSystem system;
    EXPECT_EQ(PortTable::FindSerialDevices(system.dev, system.sys),
              (std::vector<std::string>{system.dev + "ttyS0", system.dev + "ttyUSB2",
                                        system.dev + "ttyUSB10", system.dev + "ttyACM0",
                                        system.dev + "rfcomm0"}));
    EXPECT_TRUE(PortTable::FindSerialDevices(system.dir.file("missing/"), system.sys).empty());
}

TEST(PortTableTest, ConfiguredNumbersComeFirstAndFoundDevicesFillTheGaps) {
    FakeSystem system;
    IniFile config(system.dir.file("site.cfg"));
    config.writeString("Ports", "COM1", "/dev/pts/7");
    config.writeString("ports", "com3", system.dev + "ttyUSB2");  // names are case-insensitive
    config.writeString("Ports", "COM255", "/dev/rfcomm9");
    config.writeString("Ports", "COM256", "/dev/ignored");

    PortTable table = PortTable::Load(config, system.dev, system.sys);
    EXPECT_EQ(table.Entries(), (std::vector<std::pair<int, std::string>>{
                                   {1, "/dev/pts/7"},
                                   {2, system.dev + "ttyS0"},
                                   {3, system.dev + "ttyUSB2"},
                                   {4, system.dev + "ttyUSB10"},
                                   {5, system.dev + "ttyACM0"},
                                   {6, system.dev + "rfcomm0"},
                                   {255, "/dev/rfcomm9"},
                               }));
    EXPECT_EQ(table.NumberOf(system.dev + "ttyUSB10"), 4);
    EXPECT_EQ(table.NumberOf("/dev/ignored"), -1);
    EXPECT_EQ(table.Path(7), "");
    EXPECT_EQ(table.Path(0), "");
    EXPECT_EQ(table.Path(256), "");
    EXPECT_EQ(table.FirstFree(), 7);
}

TEST(PortTableTest, AssignRefusesNumbersOutOfRangeAndAFullTableTakesNoMore) {
    PortTable table;
    EXPECT_EQ(table.Assign(0, "/dev/a"), -1);
    EXPECT_EQ(table.Assign(256, "/dev/a"), -1);
    EXPECT_EQ(table.Assign(5, ""), -1);
    EXPECT_EQ(table.FirstFree(), 1);
    for (int n = 1; n <= 255; ++n)
        ASSERT_EQ(table.Assign(n, "/dev/x" + std::to_string(n)), 0);
    EXPECT_EQ(table.FirstFree(), -1);
    table.Fill({"/dev/extra"});
    EXPECT_EQ(table.NumberOf("/dev/extra"), -1);
    EXPECT_EQ(PortTable::KeyFor(12), "COM12");
}

TEST(PortTableTest, InstalledTableIsWhatTheProcessUses) {
    PortTable table;
    table.Assign(42, "/dev/pts/42");
    PortTable::Install(table);
    EXPECT_EQ(PortTable::Installed().Path(42), "/dev/pts/42");
    PortTable::Install(PortTable());
    EXPECT_EQ(PortTable::Installed().Path(42), "");
}

}  // namespace
}  // namespace flowcfg
