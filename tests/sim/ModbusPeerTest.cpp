// flowsim on its pseudo-terminal against libmodbus, a Modbus master written by others: what one
// implementation builds the other must understand.
#include <gtest/gtest.h>
#include <modbus.h>

#include <cerrno>

#include "SimTestSupport.h"
#include "link/JBusCodec.h"
#include "shell/VersionInfo.h"
#include "sim/RegisterLayout.h"
#include "sim/SimDate.h"

namespace flowcfg {
namespace {

using testing::RawPort;
using testing::RunningSim;

class Master {
public:
    Master(const std::string& path, int slave, int baud = 9600, int timeoutMs = 500) {
        ctx_ = modbus_new_rtu(path.c_str(), baud, 'N', 8, 1);
        if (ctx_ == nullptr) throw std::runtime_error("modbus_new_rtu failed");
        modbus_set_slave(ctx_, slave);
        modbus_set_response_timeout(ctx_, 0, static_cast<std::uint32_t>(timeoutMs) * 1000);
        if (modbus_connect(ctx_) != 0) throw std::runtime_error("modbus_connect failed");
    }
    ~Master() {
        modbus_close(ctx_);
        modbus_free(ctx_);
    }
    modbus_t* operator*() const { return ctx_; }

private:
    modbus_t* ctx_;
};

std::string textOf(const std::uint16_t* regs, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) {
        const char c = static_cast<char>(i % 2 == 0 ? regs[i / 2] >> 8 : regs[i / 2] & 0xFF);
        if (c == 0) break;
        s.push_back(c);
    }
    return s;
}

TEST(ModbusPeerTest, IdentificationBlockFieldsReadByLibmodbus) {
    RunningSim sim({"--slave", "7"});
    Master m(sim.path(), 7);
    std::uint16_t regs[32] = {};
    ASSERT_EQ(modbus_read_registers(*m, 0xFF00, 32, regs), 32) << modbus_strerror(errno);
    EXPECT_EQ(regs[0] & 0xFF, 7);                                           // byte 1
    EXPECT_EQ(regs[2] >> 8, 24);                                            // byte 4
    EXPECT_EQ(regs[2] & 0xFF, 7);                                           // byte 5
    EXPECT_EQ((static_cast<std::uint32_t>(regs[3]) << 16) | regs[4], 42u);  // bytes 6-9
    const std::string firmware = textOf(regs + 5, IdentificationBlock::kFirmwareTextLength);
    EXPECT_TRUE(firmwareCompatible(firmware)) << firmware;
    EXPECT_EQ(firmware.rfind(familyTag(), 0), 0u);
    EXPECT_NE(sim.log().find("slave=7 fn=3 start=0xFF00 count=32 -> ok"), std::string::npos);
}

TEST(ModbusPeerTest, ParameterBlockWrittenIsReadBackAndLoggedWithItsData) {
    RunningSim sim({});
    Master m(sim.path(), 1);
    std::uint16_t pipe[PipeBlock::kRegisters] = {};
    ASSERT_EQ(modbus_read_registers(*m, 0x1200, PipeBlock::kRegisters, pipe),
              PipeBlock::kRegisters);
    EXPECT_EQ(pipe[0], 3000);
    pipe[0] = 5081;
    pipe[PipeBlock::kNumberOfChords / 2] = 3;
    ASSERT_EQ(modbus_write_registers(*m, 0x1200, PipeBlock::kRegisters, pipe),
              PipeBlock::kRegisters);
    std::uint16_t back[PipeBlock::kRegisters] = {};
    ASSERT_EQ(modbus_read_registers(*m, 0x1200, PipeBlock::kRegisters, back),
              PipeBlock::kRegisters);
    EXPECT_EQ(std::vector<std::uint16_t>(back, back + PipeBlock::kRegisters),
              std::vector<std::uint16_t>(pipe, pipe + PipeBlock::kRegisters));
    const std::uint16_t marker = 0x5A5A;
    ASSERT_EQ(modbus_write_registers(*m, 0xEFFF, 1, &marker), 1);
    const std::string log = sim.log();
    const std::size_t write = log.find(
        "fn=16 start=0x1200 count=" + std::to_string(PipeBlock::kRegisters) + " -> ok data=13D90");
    const std::size_t end = log.find("fn=16 start=0xEFFF count=1 -> ok data=5A5A");
    const std::size_t command = log.find(" command end-marker");
    ASSERT_NE(write, std::string::npos) << log;
    ASSERT_NE(end, std::string::npos);
    EXPECT_LT(write, end);
    EXPECT_LT(end, command);
}

TEST(ModbusPeerTest, RefusedRequestsComeBackAsExceptions) {
    RunningSim sim({});
    Master m(sim.path(), 1);
    std::uint16_t regs[8];
    EXPECT_EQ(modbus_read_registers(*m, 0x5000, 4, regs), -1);
    EXPECT_EQ(errno, EMBXILADD);
    EXPECT_EQ(modbus_write_register(*m, 0x1000, 1), -1);  // function 6
    EXPECT_EQ(errno, EMBXILFUN);
    EXPECT_EQ(modbus_write_registers(*m, 0xFF00, 1, regs), -1);  // read-only
    EXPECT_EQ(errno, EMBXILADD);
    // A count no master library would send: built with the project's codec.
    RawPort raw(sim.path());
    JBusCodec codec;
    codec.BuildRequest(1, 3, 0x1000, 126, 2, {});
    raw.send(codec.RequestBytes());
    ASSERT_EQ(codec.ParseReply(raw.receive(5)), 0);
    EXPECT_EQ(codec.ValidateReply(), 153);
}

TEST(ModbusPeerTest, LoggerMemoryReadWithFunctionFourThroughTheWindow) {
    RunningSim sim({"--logger-params", "2", "--logger-records", "4000"});
    Master m(sim.path(), 1);
    std::uint16_t state[7];
    ASSERT_EQ(modbus_read_registers(*m, 0x0200, 7, state), 7);
    EXPECT_EQ(state[0], 2);
    EXPECT_EQ((static_cast<std::uint32_t>(state[1]) << 16) | state[2], 4000u);
    // 10 records of 24 bytes, 120 registers.
    std::uint16_t memory[120];
    ASSERT_EQ(modbus_read_input_registers(*m, 0, 120, memory), 120) << modbus_strerror(errno);
    std::int64_t previous = 0;
    for (int r = 0; r < 10; ++r) {
        std::uint8_t date[6];
        for (int i = 0; i < 3; ++i) {
            date[2 * i] = static_cast<std::uint8_t>(memory[12 * r + i] >> 8);
            date[2 * i + 1] = static_cast<std::uint8_t>(memory[12 * r + i]);
        }
        std::int64_t t = 0;
        ASSERT_TRUE(SimDate::decode(date, t));
        if (r > 0) {
            EXPECT_EQ(t - previous, 600);
        }
        previous = t;
    }
    // The window base moves address 0: to record 1, then 50000 registers on, past the 4000
    // written records (4000 x 12 registers), where the memory reads as erased.
    const std::vector<std::uint16_t> record1(memory + 12, memory + 24);
    const std::uint16_t toRecord1[2] = {0, 12};
    ASSERT_EQ(modbus_write_registers(*m, 0xE040, 2, toRecord1), 2);
    std::uint16_t windowed[12];
    ASSERT_EQ(modbus_read_input_registers(*m, 0, 12, windowed), 12);
    EXPECT_EQ(std::vector<std::uint16_t>(windowed, windowed + 12), record1);
    const std::uint16_t far[2] = {0, 50000};
    ASSERT_EQ(modbus_write_registers(*m, 0xE040, 2, far), 2);
    ASSERT_EQ(modbus_read_input_registers(*m, 0, 4, windowed), 4);
    EXPECT_EQ(windowed[0], 0xFFFF);
}

TEST(ModbusPeerTest, DateSearchAnswersSearchingThenTheOffset) {
    RunningSim sim({"--logger-params", "2"});
    Master m(sim.path(), 1);
    std::uint16_t first[3];
    ASSERT_EQ(modbus_read_input_registers(*m, 0, 3, first), 3);
    std::uint8_t date[6];
    for (int i = 0; i < 3; ++i) {
        date[2 * i] = static_cast<std::uint8_t>(first[i] >> 8);
        date[2 * i + 1] = static_cast<std::uint8_t>(first[i]);
    }
    std::int64_t t0 = 0;
    ASSERT_TRUE(SimDate::decode(date, t0));
    SimDate::encode(t0 + 25 * 600, date);
    const std::uint16_t search[3] = {static_cast<std::uint16_t>(date[0] << 8 | date[1]),
                                     static_cast<std::uint16_t>(date[2] << 8 | date[3]),
                                     static_cast<std::uint16_t>(date[4] << 8 | date[5])};
    ASSERT_EQ(modbus_write_registers(*m, 0xE048, 3, search), 3);
    std::uint16_t result[2];
    ASSERT_EQ(modbus_read_registers(*m, 0xE04C, 2, result), 2);
    EXPECT_EQ(result[0], 0xFFFF);
    EXPECT_EQ(result[1], 0xFFFF);  // -1
    ASSERT_EQ(modbus_read_registers(*m, 0xE04C, 2, result), 2);
    EXPECT_EQ((static_cast<std::uint32_t>(result[0]) << 16) | result[1], 25u * 12);
}

TEST(ModbusPeerTest, AddressZeroIsAnsweredAndOtherAddressesAreSilent) {
    RunningSim sim({"--slave", "3"});
    {
        RawPort raw(sim.path());
        JBusCodec codec;
        codec.BuildRequest(0, 3, 0xFF00, 16, 2, {});
        raw.send(codec.RequestBytes());
        ASSERT_EQ(
            codec.ParseReply(raw.receive(static_cast<std::size_t>(codec.ExpectedReplyLength()))),
            0);
        EXPECT_EQ(codec.ValidateReply(), 0);
        EXPECT_EQ(codec.Reply().slave, 3);
        EXPECT_EQ(codec.ReplyPayload()[2], 3);  // the address byte of the identification
    }
    Master other(sim.path(), 4, 9600, 300);
    std::uint16_t regs[16];
    EXPECT_EQ(modbus_read_registers(*other, 0xFF00, 16, regs), -1);
    EXPECT_EQ(errno, ETIMEDOUT);
    EXPECT_NE(sim.log().find("slave=4 fn=3 start=0xFF00 count=16 -> ignored"), std::string::npos);
}

TEST(ModbusPeerTest, RequestAtAnotherSpeedIsNotUnderstood) {
    RunningSim sim({"--baud", "4800"});
    {
        Master wrong(sim.path(), 1, 9600, 300);
        std::uint16_t regs[16];
        EXPECT_EQ(modbus_read_registers(*wrong, 0xFF00, 16, regs), -1);
    }
    Master right(sim.path(), 1, 4800, 1000);
    std::uint16_t regs[16];
    EXPECT_EQ(modbus_read_registers(*right, 0xFF00, 16, regs), 16);
    const std::string log = sim.log();
    EXPECT_NE(log.find("count=16 -> ignored"), std::string::npos);
    EXPECT_NE(log.find("count=16 -> ok"), std::string::npos);
}

}  // namespace
}  // namespace flowcfg
