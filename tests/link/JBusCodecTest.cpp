#include <gtest/gtest.h>

#include <string>

#include "link/JBusCodec.h"

namespace flowcfg {
namespace {

// A frame with its CRC appended, built independently of JBusFrame::BuildFrame.
Bytes withCrc(Bytes body) {
    std::uint16_t crc = JBusFrame::Crc16(body.data(), body.size());
    body.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    body.push_back(static_cast<std::uint8_t>(crc >> 8));
    return body;
}

TEST(JBusFrameTest, CrcMatchesTheModbusCheckValueAndTheReadExample) {
    const std::string digits = "123456789";
    EXPECT_EQ(JBusFrame::Crc16(reinterpret_cast<const std::uint8_t*>(digits.data()), 9), 0x4B37);

    JBusFrame frame;
    frame.BuildFrame(1, 3, {0x00, 0x00, 0x00, 0x0A});
    EXPECT_EQ(frame.raw, (Bytes{0x01, 0x03, 0x00, 0x00, 0x00, 0x0A, 0xC5, 0xCD}));
    EXPECT_EQ(frame.crc, 0xC5CD);
    EXPECT_EQ(frame.ComputeCrc(), 0xC5CD);
    EXPECT_EQ(frame.CheckCrc(), 0);
}

TEST(JBusFrameTest, ResetAndShortFramesGiveTheNeutralValues) {
    JBusFrame frame;
    frame.BuildFrame(9, 16, {1, 2});
    frame.ResetFrame();
    EXPECT_EQ(frame.slave, 255);
    EXPECT_EQ(frame.function, 255);
    EXPECT_TRUE(frame.raw.empty());
    EXPECT_EQ(frame.crc, 0xFFFF);
    frame.raw = {0x01, 0x03};
    EXPECT_EQ(frame.ComputeCrc(), 0xFFFF);
    EXPECT_EQ(frame.CheckCrc(), -1);
}

TEST(JBusFrameTest, ParseSplitsAGoodFrameAndRefusesShortOrCorruptOnes) {
    JBusFrame frame;
    Bytes reply = withCrc({0x07, 0x03, 0x02, 0x12, 0x34});
    ASSERT_EQ(frame.ParseFrame(reply), 0);
    EXPECT_EQ(frame.slave, 7);
    EXPECT_EQ(frame.function, 3);
    EXPECT_EQ(frame.payload, (Bytes{0x02, 0x12, 0x34}));
    EXPECT_EQ(frame.raw, reply);

    // Four bytes are too short before any CRC check, even with a good CRC.
    EXPECT_EQ(frame.ParseFrame(withCrc({0x07, 0x03})), 202);
    EXPECT_TRUE(frame.payload.empty());

    reply[3] ^= 0x01;
    EXPECT_EQ(frame.ParseFrame(reply), 201);
    EXPECT_EQ(frame.slave, 255);
    EXPECT_EQ(frame.function, 255);
    EXPECT_TRUE(frame.payload.empty());
    EXPECT_EQ(frame.raw, reply);
}

TEST(JBusCodecTest, ReadRequestIsEightBytesAndRegistersAreSentAsGiven) {
    JBusCodec codec;
    EXPECT_EQ(codec.ElementSize(), 1);
    ASSERT_EQ(codec.BuildRequest(1, 3, 0, 10, 0, {0xAA}), 0);
    EXPECT_EQ(codec.RequestBytes(), (Bytes{0x01, 0x03, 0x00, 0x00, 0x00, 0x0A, 0xC5, 0xCD}));
    EXPECT_EQ(codec.ElementSize(), 2);
    EXPECT_EQ(codec.ExpectedReplyLength(), 25);

    ASSERT_EQ(codec.BuildRequest(0x11, 4, 0x1FF00, 0x10002, 2, {}), 0);
    EXPECT_EQ(codec.RequestBytes(),
              withCrc({0x11, 0x04, 0xFF, 0x00, 0x00, 0x02}));  // both cut to 16 bits
}

TEST(JBusCodecTest, WriteRequestCarriesByteCountDataAndPadding) {
    JBusCodec codec;
    ASSERT_EQ(codec.BuildRequest(1, 16, 0xEFFF, 1, 2, {0x5A, 0x5A}), 0);
    EXPECT_EQ(codec.RequestBytes(),
              withCrc({0x01, 0x10, 0xEF, 0xFF, 0x00, 0x01, 0x02, 0x5A, 0x5A}));
    EXPECT_EQ(codec.ExpectedReplyLength(), 8);

    // Three data bytes with count 2: byte count 4, the three bytes and one pad byte.
    ASSERT_EQ(codec.BuildRequest(2, 16, 0x0100, 2, 2, {1, 2, 3}), 0);
    EXPECT_EQ(codec.RequestBytes(),
              withCrc({0x02, 0x10, 0x01, 0x00, 0x00, 0x02, 0x04, 1, 2, 3, 0x00}));
}

TEST(JBusCodecTest, RequestsUpTo255BytesAreAcceptedAndLongerOnesRefused) {
    JBusCodec codec;
    EXPECT_EQ(codec.BuildRequest(1, 16, 0, 123, 2, Bytes(246, 0x55)), 0);
    EXPECT_EQ(codec.RequestBytes().size(), 255u);
    EXPECT_EQ(codec.BuildRequest(1, 16, 0, 124, 2, Bytes(248, 0x55)), 104);
    EXPECT_EQ(codec.RequestBytes().size(), 257u);  // built all the same
    EXPECT_EQ(codec.RequestBytes()[6], 248);
}

TEST(JBusCodecTest, ValidReadAndWriteRepliesPass) {
    JBusCodec codec;
    codec.BuildRequest(1, 3, 0, 10, 2, {});
    Bytes body{0x01, 0x03, 20};
    for (int i = 0; i < 20; ++i)
        body.push_back(static_cast<std::uint8_t>(i));
    Bytes reply = withCrc(body);
    ASSERT_EQ(reply.size(), 25u);
    ASSERT_EQ(codec.ParseReply(reply), 0);
    EXPECT_EQ(codec.ValidateReply(), 0);
    EXPECT_EQ(codec.ReplyPayload().size(), 21u);

    codec.BuildRequest(1, 16, 0x0200, 2, 2, {1, 2, 3, 4});
    // The echoed start address is not compared.
    ASSERT_EQ(codec.ParseReply(withCrc({0x01, 0x10, 0x99, 0x99, 0x00, 0x02})), 0);
    EXPECT_EQ(codec.ValidateReply(), 0);
}

TEST(JBusCodecTest, WrongLengthsAndCountsGive103) {
    JBusCodec codec;
    codec.BuildRequest(1, 3, 0, 10, 2, {});
    Bytes body{0x01, 0x03, 20};
    body.resize(3 + 21, 0x00);  // byte count 20 with 21 data bytes
    ASSERT_EQ(codec.ParseReply(withCrc(body)), 0);
    EXPECT_EQ(codec.ValidateReply(), 103);
    body[2] = 21;  // byte count that differs from count x element size
    ASSERT_EQ(codec.ParseReply(withCrc(body)), 0);
    EXPECT_EQ(codec.ValidateReply(), 103);

    codec.BuildRequest(1, 16, 0, 2, 2, {1, 2, 3, 4});
    ASSERT_EQ(codec.ParseReply(withCrc({0x01, 0x10, 0x00, 0x00, 0x00, 0x03})), 0);
    EXPECT_EQ(codec.ValidateReply(), 103);  // echoed count differs
    ASSERT_EQ(codec.ParseReply(withCrc({0x01, 0x10, 0x00, 0x00, 0x00, 0x02, 0x00})), 0);
    EXPECT_EQ(codec.ValidateReply(), 103);  // echo too long
    ASSERT_EQ(codec.ParseReply(withCrc({0x01, 0x10, 0x00})), 0);
    EXPECT_EQ(codec.ValidateReply(), 103);  // echo too short
}

TEST(JBusCodecTest, SlaveAndFunctionChecksComeFirst) {
    JBusCodec codec;
    codec.BuildRequest(5, 3, 0, 1, 2, {});
    Bytes fromSeven = withCrc({0x07, 0x03, 0x02, 0x00, 0x01});
    ASSERT_EQ(codec.ParseReply(fromSeven), 0);
    EXPECT_EQ(codec.ValidateReply(), 101);

    // Slave 0 accepts a reply from any address.
    codec.BuildRequest(0, 3, 0, 1, 2, {});
    ASSERT_EQ(codec.ParseReply(fromSeven), 0);
    EXPECT_EQ(codec.ValidateReply(), 0);

    codec.BuildRequest(7, 4, 0, 1, 2, {});
    ASSERT_EQ(codec.ParseReply(fromSeven), 0);
    EXPECT_EQ(codec.ValidateReply(), 102);

    // A wrong slave wins over an exception reply.
    codec.BuildRequest(5, 3, 0, 1, 2, {});
    ASSERT_EQ(codec.ParseReply(withCrc({0x07, 0x83, 0x02})), 0);
    EXPECT_EQ(codec.ValidateReply(), 101);
}

TEST(JBusCodecTest, ExceptionRepliesGive150PlusTheirCodeOnlyForTheirOwnFunction) {
    JBusCodec codec;
    codec.BuildRequest(1, 3, 0, 10, 2, {});
    ASSERT_EQ(codec.ParseReply(withCrc({0x01, 0x83, 0x02})), 0);
    EXPECT_EQ(codec.ValidateReply(), 152);

    codec.BuildRequest(1, 16, 0, 1, 2, {0, 1});
    ASSERT_EQ(codec.ParseReply(withCrc({0x01, 0x90, 0x04})), 0);
    EXPECT_EQ(codec.ValidateReply(), 154);
    // 0x83 is not an exception to a function-16 request.
    ASSERT_EQ(codec.ParseReply(withCrc({0x01, 0x83, 0x02})), 0);
    EXPECT_EQ(codec.ValidateReply(), 102);
}

TEST(JBusCodecTest, ValidatingAFailedParseNeverPasses) {
    JBusCodec codec;
    codec.BuildRequest(0, 3, 0, 1, 2, {});
    EXPECT_EQ(codec.ParseReply({0x01, 0x03, 0x02, 0x00}), 202);
    EXPECT_NE(codec.ValidateReply(), 0);
    Bytes bad = withCrc({0x01, 0x03, 0x02, 0x00, 0x01});
    bad.back() ^= 0xFF;
    EXPECT_EQ(codec.ParseReply(bad), 201);
    EXPECT_NE(codec.ValidateReply(), 0);
}

}  // namespace
}  // namespace flowcfg
