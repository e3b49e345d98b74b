#include "shell/Application.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/TempDir.h"
#include "shell/VersionInfo.h"

namespace flowcfg {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

class ApplicationTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string registryPath = dir.file("registry.ini");

    StartupEnvironment environment(const std::string& commandLine = "") {
        StartupEnvironment env;
        env.executableDirectory = dir.path();
        env.userConfigDirectory = dir.file("user/");
        env.commandLine = commandLine;
        return env;
    }
    std::string defaultConfig() const { return dir.file("default.Zq4xxKRw03"); }
    IniFile last() const { return IniFile(dir.file("last.cfg")); }
};

TEST_F(ApplicationTest, FirstStartInAnEmptyDirectoryCreatesTheFiles) {
    {
        Application app(environment(), RegistryStore(registryPath));
        app.loadSettings("default.");
        app.reloadLinkSettings();
        const AppSettings& s = app.settings();
        EXPECT_EQ(s.programDirectory, dir.path());
        EXPECT_EQ(s.variantName, "Zq4xxKRw03");
        EXPECT_EQ(s.configFilePath, defaultConfig());
        EXPECT_EQ(s.saveDirectory, dir.file("Data/"));
        EXPECT_EQ(s.spreadsheetPath, "tartempionexcel.exe");
        EXPECT_EQ(s.useModem, 0);
        EXPECT_EQ(s.showLogo, 0);
        EXPECT_EQ(s.maxRecordsPerFile, 0);
        EXPECT_TRUE(std::filesystem::is_directory(dir.file("Data")));
        EXPECT_EQ(last().readString("LastConfig", "LastConfig", ""), defaultConfig());
        IniFile config(defaultConfig());
        EXPECT_EQ(config.readString("Test", "Test", ""), "Ok");
        EXPECT_EQ(config.readString("Spreadsheet", "Path Spreadsheet", ""), "tartempionexcel.exe");
    }
    // Leaving saves the save directory.
    EXPECT_EQ(IniFile(defaultConfig()).readString("File Save", "Path File Save", ""),
              dir.file("Data/"));
}

TEST_F(ApplicationTest, CommandLineFileBecomesCurrentAndIsRecordedFirst) {
    std::string mine = dir.file("site.Zq4xxKRw03");
    writeFile(mine, "[Test]\nTest=Ok\n[File Save]\nPath File Save=/srv/data/\n");
    last().writeString("LastConfig", "LastConfig", dir.file("other.cfg"));
    Application app(environment(mine), RegistryStore(registryPath));
    app.loadSettings("default.");
    EXPECT_EQ(app.settings().configFilePath, mine);
    EXPECT_EQ(app.settings().saveDirectory, "/srv/data/");
    EXPECT_EQ(last().readString("LastConfig", "LastConfig", ""), mine);
    EXPECT_FALSE(std::filesystem::exists(dir.file("Data")));
}

TEST_F(ApplicationTest, LastConfigNamesTheFileWhenTheCommandLineIsEmpty) {
    std::string remembered = dir.file("remembered.cfg");
    last().writeString("LastConfig", "LastConfig", remembered);
    Application app(environment(), RegistryStore(registryPath));
    app.loadSettings("default.");
    EXPECT_EQ(app.settings().configFilePath, remembered);
    EXPECT_EQ(IniFile(remembered).readString("Test", "Test", ""), "Ok");
}

TEST_F(ApplicationTest, SpreadsheetProgramNameIsReplacedByTheRegistryLocation) {
    writeFile(registryPath,
              "[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\EXCEL.EXE]\n"
              "Path=/opt/office\n");
    for (const char* stored : {"EXCEL.EXE", "Excel.Exe", "excel.exe", "TartempionExcel.exe"}) {
        TempDir run;
        StartupEnvironment env = environment();
        env.executableDirectory = run.path();
        IniFile(run.file("default.Zq4xxKRw03"))
            .writeString("Spreadsheet", "Path Spreadsheet", stored);
        Application app(env, RegistryStore(registryPath));
        app.loadSettings("default.");
        EXPECT_EQ(app.settings().spreadsheetPath, "/opt/office/excel.exe") << stored;
    }
}

TEST_F(ApplicationTest, SpreadsheetProgramNameStaysWhenTheRegistryHasNoLocation) {
    IniFile(defaultConfig()).writeString("Spreadsheet", "Path Spreadsheet", "EXCEL.EXE");
    Application app(environment(), RegistryStore(registryPath));
    app.loadSettings("default.");
    EXPECT_EQ(app.settings().spreadsheetPath, "excel.exe");
}

TEST_F(ApplicationTest, AnotherSpreadsheetProgramIsKeptAsTyped) {
    // File names are case-sensitive here, so the path is not lower-cased.
    writeFile(registryPath,
              "[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\EXCEL.EXE]\n"
              "Path=/opt/office/\n");
    IniFile(defaultConfig()).writeString("Spreadsheet", "Path Spreadsheet", "/usr/bin/LibreOffice");
    Application app(environment(), RegistryStore(registryPath));
    app.loadSettings("default.");
    EXPECT_EQ(app.settings().spreadsheetPath, "/usr/bin/LibreOffice");
    EXPECT_EQ(IniFile(defaultConfig()).readString("Spreadsheet", "Path Spreadsheet", ""),
              "/usr/bin/LibreOffice");
}

TEST_F(ApplicationTest, EmptySaveDirectoryFallsBackToDataWithoutCreatingIt) {
    writeFile(defaultConfig(), "[Test]\nTest=Ok\n[File Save]\nPath File Save=\n");
    Application app(environment(), RegistryStore(registryPath));
    app.loadSettings("default.");
    EXPECT_EQ(app.settings().saveDirectory, dir.file("Data/"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Data")));
}

TEST_F(ApplicationTest, UseModemIsSetOnlyByAStoredZero) {
    struct Case {
        const char* content;
        int useModem;
    };
    for (Case c : {Case{"[Modem]\nUse modem=0.000000\n", 1}, Case{"[Modem]\nUse modem=0\n", 1},
                   Case{"[Modem]\nUse modem=1.000000\n", 0}, Case{"[Modem]\nUse modem=0.5\n", 0},
                   Case{"", 0}}) {
        writeFile(defaultConfig(), c.content);
        Application app(environment(), RegistryStore(registryPath));
        app.loadSettings("default.");
        app.reloadLinkSettings();
        EXPECT_EQ(app.settings().useModem, c.useModem) << c.content;
    }
}

TEST_F(ApplicationTest, MaxRecordsPerFileComesFromLastCfg) {
    last().writeReal("LastConfig", "NbEnrMax4Fichier", 100);
    Application app(environment(), RegistryStore(registryPath));
    app.loadSettings("default.");
    app.reloadLinkSettings();
    EXPECT_EQ(app.settings().maxRecordsPerFile, 100);
    last().writeString("LastConfig", "NbEnrMax4Fichier", "1e300");
    app.reloadLinkSettings();
    EXPECT_GT(app.settings().maxRecordsPerFile, 0);
    last().writeString("LastConfig", "NbEnrMax4Fichier", "-5");
    app.reloadLinkSettings();
    EXPECT_EQ(app.settings().maxRecordsPerFile, 0);
}

TEST_F(ApplicationTest, UnwritableConfigurationPathFallsBackToTheDefaultFile) {
    std::string bad = dir.file("missing/dir/site.cfg");
    Application app(environment(bad), RegistryStore(registryPath));
    app.loadSettings("default.");
    EXPECT_EQ(app.settings().configFilePath, defaultConfig());
    EXPECT_EQ(last().readString("LastConfig", "LastConfig", ""), defaultConfig());
    EXPECT_FALSE(std::filesystem::exists(bad));
    EXPECT_EQ(IniFile(defaultConfig()).readString("Spreadsheet", "Path Spreadsheet", ""),
              "tartempionexcel.exe");
}

TEST_F(ApplicationTest, ReadOnlyCommandLineFileFallsBackAndStaysByteIdentical) {
    std::string mine = dir.file("site.Zq4xxKRw03");
    const std::string content = "[Modem]\r\nUse modem = 0\r\n";  // no "Test" key yet
    writeFile(mine, content);
    std::filesystem::permissions(
        mine, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    Application app(environment(mine), RegistryStore(registryPath));
    app.loadSettings("default.");
    EXPECT_EQ(app.settings().configFilePath, defaultConfig());
    EXPECT_EQ(last().readString("LastConfig", "LastConfig", ""), defaultConfig());
    EXPECT_EQ(readFile(mine), content);
    EXPECT_EQ(std::filesystem::status(mine).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
}

TEST_F(ApplicationTest, SymlinkedConfigurationIsWrittenInItsTargetAndStaysALink) {
    std::filesystem::create_directory(dir.file("real"));
    std::string target = dir.file("real/site.Zq4xxKRw03");
    std::string link = dir.file("site.Zq4xxKRw03");
    writeFile(target, "[Modem]\nUse modem=1.000000\n");
    std::filesystem::create_symlink(target, link);
    Application app(environment(link), RegistryStore(registryPath));
    app.loadSettings("default.");
    EXPECT_EQ(app.settings().configFilePath, link);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(IniFile(target).readString("Test", "Test", ""), "Ok");
    EXPECT_EQ(IniFile(target).readString("Modem", "Use modem", ""), "1.000000");
    // Nothing is left behind in either folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("real")),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(ApplicationTest, LogoIsAnnouncedOnceFoundAndStaysAnnounced) {
    writeFile(dir.file("logo.bmp"), "BM");
    {
        Application app(environment(), RegistryStore(registryPath));
        app.loadSettings("default.");
        EXPECT_EQ(app.settings().showLogo, 1);
        EXPECT_EQ(app.logoPath(), dir.file("logo.bmp"));
    }
    EXPECT_EQ(last().readString("Logo", "Logo", ""), "Y");
    std::filesystem::remove(dir.file("logo.bmp"));
    Application again(environment(), RegistryStore(registryPath));
    again.loadSettings("default.");
    EXPECT_EQ(again.settings().showLogo, 1);
}

TEST_F(ApplicationTest, ReadOnlyProgramDirectoryUsesThePerUserDirectory) {
    StartupEnvironment env = environment();
    env.executableDirectory = "/proc/";  // never writable
    Application app(env, RegistryStore(registryPath));
    app.loadSettings("default.");
    EXPECT_EQ(app.settings().programDirectory, dir.file("user/"));
    EXPECT_EQ(app.settings().configFilePath, dir.file("user/default.Zq4xxKRw03"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("user/Data")));
    EXPECT_EQ(IniFile(dir.file("user/last.cfg")).readString("LastConfig", "LastConfig", ""),
              dir.file("user/default.Zq4xxKRw03"));
}

TEST_F(ApplicationTest, SwitchingTheConfigurationFileRecordsItAndReloads) {
    Application app(environment(), RegistryStore(registryPath));
    app.loadSettings("default.");
    app.reloadLinkSettings();
    std::string other = dir.file("other.Zq4xxKRw03");
    writeFile(other, "[Modem]\nUse modem=0.000000\n");
    app.switchConfigFile(other);
    EXPECT_EQ(app.settings().configFilePath, other);
    EXPECT_EQ(app.settings().useModem, 1);
    EXPECT_EQ(last().readString("LastConfig", "LastConfig", ""), other);
}

}  // namespace
}  // namespace flowcfg
