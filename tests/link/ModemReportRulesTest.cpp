#include <gtest/gtest.h>

#include "link/ModemReportRules.h"

namespace flowcfg {
namespace {

using End = ModemReportAction::End;

struct Case {
    int code;
    const char* answer;
    int message;
    End end;
    bool hangUp;
};

TEST(ModemReportRulesTest, EachAnswerEndsTheDialogAsTheModemMeansIt) {
    const Case cases[] = {
        {1, "\r\nOK\r\n\n", 0, End::None, false},
        {1, "\n", 215, End::Cancelled, false},  // a modem that echoes nothing
        {1, "\r\nERROR\r\n\n", 215, End::Cancelled, false},
        {2, "\r\nCONNECT 9600\r\n", 0, End::Connected, false},
        {2, "\r\nBUSY\r\n", 412, End::Cancelled, false},
        {2, "\r\nNO DIALTONE\r\n", 427, End::Cancelled, false},
        {2, "\r\nNO CARRIER\r\n", 431, End::Cancelled, false},
        // Unknown or no answer: the modem may be off hook; hang up, the dialog stays.
        {2, "\r\nRING\r\n", 431, End::None, true},
        {2, "", 431, End::None, true},
        {100, "\r\nOK\r\n\n", 0, End::None, false},
        {100, "\n", 432, End::Cancelled, false},
        {101, "\r\nOK\r\n", 0, End::Cancelled, false},
        {101, "", 432, End::Cancelled, false},
        {0, "OK", 0, End::None, false},
        {7, "CONNECT", 0, End::None, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.code) + " " + c.answer);
        const ModemReportAction action = ModemReportRules::Decide(c.code, c.answer);
        EXPECT_EQ(action.messageId, c.message);
        EXPECT_EQ(action.end, c.end);
        EXPECT_EQ(action.startHangUp, c.hangUp);
        // The timer stops once the dialog is about to end or to hang up.
        EXPECT_EQ(action.stopProgress, c.end != End::None || c.hangUp);
    }
    EXPECT_TRUE(ModemReportRules::Decide(1, "OK").restartProgress);
    EXPECT_FALSE(ModemReportRules::Decide(1, "").restartProgress);
    EXPECT_TRUE(ModemReportRules::Decide(2, "CONNECT").pauseBeforeEnd);
    EXPECT_TRUE(ModemReportRules::Decide(101, "OK").pauseBeforeEnd);
    EXPECT_FALSE(ModemReportRules::Decide(101, "ERROR").pauseBeforeEnd);
    // The answers are read as the modem sends them, in capitals.
    EXPECT_EQ(ModemReportRules::Decide(2, "connect").end, End::None);
}

}  // namespace
}  // namespace flowcfg
