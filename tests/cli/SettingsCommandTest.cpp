#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliTestSupport.h"
#include "common/TempDir.h"
#include "shell/IniFile.h"

namespace flowcfg {
namespace {

using testing::environmentIn;
using testing::runCliCommand;
using testing::TempDir;

TEST(SettingsCommandTest, ListsEverySettingOfAFirstStart) {
    TempDir dir;
    auto run = runCliCommand({"settings"}, environmentIn(dir));
    ASSERT_EQ(run.status, 0) << run.err;
    for (std::string line :
         {"programDirectory: " + dir.path(), "configFilePath: " + dir.file("default.Zq4xxKRw03"),
          "saveDirectory: " + dir.file("Data/"), std::string("variantName: Zq4xxKRw03"),
          std::string("familyTag: 03-12-"), std::string("useModem: 0"),
          std::string("maxRecordsPerFile: 0"), std::string("showLogo: 0"),
          std::string("spreadsheetPath: tartempionexcel.exe"), std::string("os: Linux ")}) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
    }
    // A command records nothing for the desktop tool's next start.
    EXPECT_FALSE(std::filesystem::exists(dir.file("last.cfg")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("Data")));
}

TEST(SettingsCommandTest, ConfigOptionIsForOneRunAndLeavesLastCfgAlone) {
    TempDir dir;
    std::string site = dir.file("site.Zq4xxKRw03");
    std::string current = dir.file("current.Zq4xxKRw03");
    IniFile(site).writeReal("Modem", "Use modem", 0);
    IniFile(current).writeReal("Modem", "Use modem", 1);
    IniFile(dir.file("last.cfg")).writeString("LastConfig", "LastConfig", current);
    const std::string lastBefore = testing::readFile(dir.file("last.cfg"));

    auto run = runCliCommand({"settings", "--config", site}, environmentIn(dir));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("configFilePath: " + site + "\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("useModem: 1\n"), std::string::npos) << run.out;
    EXPECT_EQ(testing::readFile(dir.file("last.cfg")), lastBefore);

    // The next command without --config uses the current file again.
    auto next = runCliCommand({"settings"}, environmentIn(dir));
    ASSERT_EQ(next.status, 0) << next.err;
    EXPECT_NE(next.out.find("configFilePath: " + current + "\n"), std::string::npos) << next.out;
    EXPECT_NE(next.out.find("useModem: 0\n"), std::string::npos) << next.out;
    EXPECT_EQ(testing::readFile(dir.file("last.cfg")), lastBefore);
}

TEST(SettingsCommandTest, BadArgumentsAreRefused) {
    TempDir dir;
    EXPECT_EQ(runCliCommand({"settings", "--what"}, environmentIn(dir)).status, 2);
    EXPECT_EQ(runCliCommand({"settings", "extra"}, environmentIn(dir)).status, 2);
    auto unknown = runCliCommand({"frobnicate"}, environmentIn(dir));
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown command 'frobnicate'"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("last.cfg")));
}

}  // namespace
}  // namespace flowcfg
