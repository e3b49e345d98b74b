#include "shell/OptionsSettings.h"

#include <gtest/gtest.h>

#include "common/TempDir.h"

namespace flowcfg {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

TEST(OptionsSettingsTest, MissingKeysGiveTheDefaults) {
    TempDir dir;
    OptionsSettings s = OptionsSettings::read(IniFile(dir.file("none.cfg")));
    EXPECT_EQ(s.spreadsheetPath, "");
    EXPECT_EQ(s.exportFormat, -1);
    EXPECT_EQ(s.recordLapTime, 0);
    EXPECT_EQ(s.sampleRecordTime, 1);
    EXPECT_EQ(s.language, 0);
    EXPECT_EQ(s.jbus, 1);
    EXPECT_EQ(s.port, 0);
    EXPECT_EQ(s.bauds, 5);
    EXPECT_EQ(s.useModem, 1);
    EXPECT_EQ(s.numerotation, 0);
    EXPECT_EQ(s.initialisationString, "&F S95=0 E0 Q0 V1 W2 &K0 M0");
    EXPECT_EQ(s.telephoneNumber, "");
    EXPECT_EQ(s.disconnectString, "H0");
    EXPECT_EQ(s.answerTimeout, 500);
}

TEST(OptionsSettingsTest, EveryKeyIsWrittenInItsStoredForm) {
    TempDir dir;
    IniFile config(dir.file("site.cfg"));
    OptionsSettings s;
    s.spreadsheetPath = "/usr/bin/libreoffice";
    s.exportFormat = 1;
    s.recordLapTime = 30;
    s.sampleRecordTime = 2;
    s.language = 3;
    s.jbus = 17;
    s.port = 2;
    s.bauds = 6;
    s.useModem = 0;
    s.numerotation = 1;
    s.initialisationString = "&F E0";
    s.telephoneNumber = "+33 1 23 45 67 89";
    s.disconnectString = "H1";
    s.answerTimeout = 750;
    ASSERT_EQ(s.write(config), 0);
    EXPECT_EQ(readFile(config.path()),
              "[Spreadsheet]\nPath Spreadsheet=/usr/bin/libreoffice\nExport Format=1.000000\n"
              "[File Save]\nRecord Lap Time=30.000000\nSample Record Time=2.000000\n"
              "[Language]\nLanguage=3.000000\n"
              "[Com]\nJBus=17.000000\nPort=2.000000\nBauds=6.000000\n"
              "[Modem]\nUse modem=0.000000\nNumerotation=1.000000\n"
              "Initalisation string=&F E0\nTelefon number=+33 1 23 45 67 89\n"
              "Desconnect string=H1\nTime out bevor answer=750.000000\n");
    EXPECT_EQ(OptionsSettings::read(config), s);
}

TEST(OptionsSettingsTest, StoredPositionsReadBackWhateverTheirForm) {
    TempDir dir;
    IniFile config(dir.file("site.cfg"));
    writeFile(config.path(),
              "[Com]\nBauds=6\nPort=2.000000\nJBus= 3.9 \n[Language]\nLanguage=1.7\n"
              "[Modem]\nUse modem=nonsense\nNumerotation=1e300\n");
    OptionsSettings s = OptionsSettings::read(config);
    EXPECT_EQ(s.bauds, 6);  // "BlueTooth"
    EXPECT_EQ(s.port, 2);
    EXPECT_DOUBLE_EQ(s.jbus, 3.9);
    EXPECT_EQ(s.language, 1);      // truncated
    EXPECT_EQ(s.useModem, 0);      // no number reads as 0, as every reader of the file does
    EXPECT_EQ(s.numerotation, 0);  // absurd: the default
}

TEST(OptionsSettingsTest, WriteReportsAFileThatCannotBeWritten) {
    TempDir dir;
    EXPECT_EQ(OptionsSettings().write(IniFile(dir.file("missing/site.cfg"))), -1);
    EXPECT_EQ(OptionsSettings().write(IniFile()), -1);
}

}  // namespace
}  // namespace flowcfg
