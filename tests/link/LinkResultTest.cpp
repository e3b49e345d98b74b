#include <gtest/gtest.h>

#include "link/LinkResult.h"

namespace flowcfg {
namespace {

// Each layer's code keeps the number callers and stored logs rely on, and reads as its words.
TEST(LinkResultTest, EveryCodeHasItsNumberAndItsWords) {
    using namespace linkresult;
    struct Case {
        int code;
        int number;
        const char* text;
    } cases[] = {
        {kOk, 0, "success"},
        {kBusy, -1, "another exchange is running"},
        {kBuildFailed, 1, "request could not be built"},
        {kWrongSlave, 101, "reply from another slave"},
        {kWrongFunction, 102, "reply to another function"},
        {kWrongLength, 103, "reply of the wrong length"},
        {kRequestTooLong, 104, "request longer than 255 bytes"},
        {exception(kIllegalFunction), 151, "exception 1: illegal function"},
        {exception(kIllegalDataAddress), 152, "exception 2: illegal data address"},
        {exception(6), 156, "exception 6: slave device busy"},
        {exception(0), 150, "exception 0"},
        {exception(50), 200, "exception 50"},
        {kBadCrc, 201, "bad CRC"},
        {kTooShort, 202, "reply too short"},
        {kNoAnswer, 251, "no answer"},
        {kModemNotConnected, 252, "no modem connection"},
        {kOpenFailed, 253, "port could not be opened"},
        {kCannotOpen, 500, "line could not be opened"},
        {kPurgeOutputFailed, 503, "output could not be cleared"},
        {kPurgeInputFailed, 504, "input could not be drained"},
        {PORT_ERR_NOT_FOUND, -14, "port does not exist"},
        {PORT_ERR_STOP_BITS, -28, "stop bits refused"},
        {300, 300, "unknown result"},
        {-4, -4, "unknown result"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.code, c.number) << c.text;
        EXPECT_EQ(linkResultText(c.code), c.text) << c.number;
    }
    EXPECT_TRUE(isException(150) && isException(200));
    EXPECT_FALSE(isException(149) || isException(kBadCrc));
}

}  // namespace
}  // namespace flowcfg
