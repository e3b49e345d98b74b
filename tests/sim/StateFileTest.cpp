#include "sim/StateFile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/TempDir.h"
#include "sim/BigEndian.h"
#include "sim/Instrument.h"
#include "sim/RegisterLayout.h"

namespace flowcfg {
namespace {

TEST(StateFileTest, WrittenBlocksAddressAndLoggerSurviveARestartOfTheProgram) {
    testing::TempDir dir;
    const std::string path = dir.file("sim.state");
    SimOptions options;
    std::string error;
    {
        Instrument a(options, 1000000000);
        a.registers().setU16(0x1200, PipeBlock::kExternalDiameter, 1234);
        a.registers().setU16(0x1000, GeneralBlock::kSlaveAddress, 5);
        a.restart(0.0);
        a.plant().setTotalizerLitres(2, 987.5);
        ASSERT_TRUE(StateFile::save(path, a, 10.0, error)) << error;
    }
    Instrument b(options, 1000000000);
    bool found = false;
    ASSERT_TRUE(StateFile::load(path, b, 0.0, found, error)) << error;
    EXPECT_TRUE(found);
    EXPECT_EQ(b.registers().u16(0x1200, PipeBlock::kExternalDiameter), 1234);
    EXPECT_EQ(b.slave(), 5);
    EXPECT_EQ(b.registers().u16(0xFF00, 0), 5);
    EXPECT_DOUBLE_EQ(b.plant().totalizerLitres(2), 987.5);
    EXPECT_EQ(b.logger().written(0.0), 3000);

    // No file: nothing loaded, no error.
    ASSERT_TRUE(StateFile::load(dir.file("none"), b, 0.0, found, error));
    EXPECT_FALSE(found);
}

TEST(StateFileTest, DamagedFileIsRefusedAndChangesNothing) {
    testing::TempDir dir;
    const std::string path = dir.file("sim.state");
    SimOptions options;
    std::string error;
    Instrument a(options, 1000000000);
    ASSERT_TRUE(StateFile::save(path, a, 0.0, error));
    std::string content = testing::readFile(path);
    // Cut a block line short: its length no longer matches the block.
    const std::size_t at = content.find("block 0x1200 ");
    ASSERT_NE(at, std::string::npos);
    content.erase(at + 20, 4);
    content.replace(content.find("slave 1"), 7, "slave 9");
    std::ofstream(path, std::ios::trunc) << content;
    Instrument b(options, 1000000000);
    bool found = false;
    EXPECT_FALSE(StateFile::load(path, b, 0.0, found, error));
    EXPECT_NE(error.find("damaged"), std::string::npos);
    EXPECT_EQ(b.slave(), 1);
    std::ofstream(path, std::ios::trunc) << "something else\n";
    EXPECT_FALSE(StateFile::load(path, b, 0.0, found, error));
}

// Earlier versions kept the profile curve at the end of a 102-register pipe block.
TEST(StateFileTest, AnOldPipeBlockWithItsCurveLoadsIntoThePipeAndCurveBlocks) {
    testing::TempDir dir;
    const std::string path = dir.file("sim.state");
    SimOptions options;
    std::string error;
    Instrument a(options, 1000000000);
    a.registers().setU16(0x1200, PipeBlock::kExternalDiameter, 1234);
    ASSERT_TRUE(StateFile::save(path, a, 0.0, error)) << error;
    std::string content = testing::readFile(path);
    const std::size_t curve = content.find("block 0x1300 ");
    ASSERT_NE(curve, std::string::npos);
    content.erase(curve, content.find('\n', curve) + 1 - curve);
    // 80 bytes of curve after the pipe's 124: first abscissa 50 %, first coefficient 1.111.
    const std::string oldCurve = "0032" + std::string(76, '0') + "0457" + std::string(76, '0');
    content.insert(content.find('\n', content.find("block 0x1200 ")), oldCurve);
    std::ofstream(path, std::ios::trunc) << content;

    Instrument b(options, 1000000000);
    bool found = false;
    ASSERT_TRUE(StateFile::load(path, b, 0.0, found, error)) << error;
    EXPECT_EQ(b.registers().u16(0x1200, PipeBlock::kExternalDiameter), 1234);
    EXPECT_EQ(b.registers().u16(0x1300, ProfileCurveBlock::kAbscissas), 50);
    EXPECT_EQ(b.registers().u16(0x1300, ProfileCurveBlock::kCoefficients), 1111);
}

}  // namespace
}  // namespace flowcfg
