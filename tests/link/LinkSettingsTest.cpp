#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "link/LinkSettings.h"

namespace flowcfg {
namespace {

using testing::TempDir;

TEST(LinkSettingsTest, MissingKeysGiveA9600DirectLinkToSlave1OnCom1) {
    TempDir dir;
    LinkSettings s = LinkSettings::Load(IniFile(dir.file("absent.cfg")));
    EXPECT_EQ(s.portNumber, 1);
    EXPECT_EQ(s.baudIndex, 5);
    EXPECT_EQ(s.slaveAddress, 1);
    EXPECT_FALSE(s.useModem);
    EXPECT_EQ(s.initString, "&F S95=0 E0 Q0 V1 W2 &K0 M0");
    EXPECT_EQ(s.hangUpString, "H0");
    EXPECT_EQ(s.phoneNumber, "");
    EXPECT_EQ(s.modemAllowanceMs, 500);
    EXPECT_EQ(s.answerTimeoutMs(), 1000);
    EXPECT_EQ(s.longAnswerTimeoutMs(), 2500);
}

TEST(LinkSettingsTest, StoredPositionsAreReadAndTheModemAllowanceIsAdded) {
    TempDir dir;
    IniFile config(dir.file("site.cfg"));
    config.writeString("Com", "Port", "2.000000");
    config.writeString("Com", "Bauds", "7.000000");
    config.writeString("Com", "JBus", "17.000000");
    config.writeString("Modem", "Use modem", "0.000000");
    config.writeString("Modem", "Time out bevor answer", "1500.000000");
    config.writeString("Modem", "Telefon number", "0123456789");
    LinkSettings s = LinkSettings::Load(config);
    EXPECT_EQ(s.portNumber, 3);
    EXPECT_EQ(s.baudIndex, 7);
    EXPECT_EQ(s.slaveAddress, 17);
    EXPECT_TRUE(s.useModem);
    EXPECT_EQ(s.phoneNumber, "0123456789");
    EXPECT_EQ(s.answerTimeoutMs(), 2500);
    EXPECT_EQ(s.longAnswerTimeoutMs(), 4000);

    config.writeString("Modem", "Use modem", "1.000000");
    EXPECT_EQ(LinkSettings::Load(config).answerTimeoutMs(), 1000);
}

TEST(LinkSettingsTest, SaveWritesPositionsThatLoadReadsBack) {
    TempDir dir;
    IniFile config(dir.file("site.cfg"));
    LinkSettings s;
    s.portNumber = 4;
    s.baudIndex = 6;
    s.slaveAddress = 0;
    s.useModem = true;
    s.dialingMethod = 1;
    s.initString = "&F E0";
    s.hangUpString = "H";
    s.modemAllowanceMs = 800;
    ASSERT_EQ(s.Save(config), 0);
    EXPECT_EQ(config.readString("Com", "Port", ""), "3.000000");
    EXPECT_EQ(config.readString("Modem", "Use modem", ""), "0.000000");

    LinkSettings back = LinkSettings::Load(config);
    EXPECT_EQ(back.portNumber, 4);
    EXPECT_EQ(back.baudIndex, 6);
    EXPECT_EQ(back.slaveAddress, 0);
    EXPECT_TRUE(back.useModem);
    EXPECT_EQ(back.dialingMethod, 1);
    EXPECT_EQ(back.initString, "&F E0");
    EXPECT_EQ(back.hangUpString, "H");
    EXPECT_EQ(back.modemAllowanceMs, 800);

    EXPECT_EQ(s.Save(IniFile(dir.file("no/such/dir/site.cfg"))), -1);
}

TEST(LinkSettingsTest, AbsurdStoredNumbersDoNotOverflow) {
    TempDir dir;
    IniFile config(dir.file("site.cfg"));
    config.writeString("Com", "Port", "1e300");
    config.writeString("Com", "JBus", "-1e300");
    LinkSettings s = LinkSettings::Load(config);
    EXPECT_GT(s.portNumber, 255);
    EXPECT_LT(s.slaveAddress, 0);
}

}  // namespace
}  // namespace flowcfg
