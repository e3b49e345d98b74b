#include "shell/ConfigurationFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "shell/OptionsSettings.h"
#include "shell/PageBase.h"

namespace flowcfg {
namespace {

using testing::readFile;
using testing::ScriptedPrompts;
using testing::TestApplication;
using testing::writeFile;
using Result = ConfigurationFiles::Result;

class ConfigurationFilesTest : public ::testing::Test {
protected:
    TestApplication t;
    ScriptedPrompts prompts;
    PageBase page{t.app, prompts};
    ConfigurationFiles files{page};

    std::string lastConfig() const {
        return IniFile(t.dir.file("last.cfg")).readString("LastConfig", "LastConfig", "");
    }
};

TEST_F(ConfigurationFilesTest, DialogsFilterOnTheVariantAndStartOnTheCurrentFile) {
    EXPECT_EQ(ConfigurationFiles::filter("Zq4xxKRw03"),
              "Config File (*.Zq4xxKRw03)|*.Zq4xxKRw03||");
    FileRequest r = files.request(FileRequest::Mode::Save);
    EXPECT_EQ(r.filter, ConfigurationFiles::filter("Zq4xxKRw03"));
    EXPECT_EQ(r.defaultExtension, "Zq4xxKRw03");
    EXPECT_EQ(r.initialPath, t.configPath());
    EXPECT_EQ(ConfigurationFiles::captionName("/data/site.Zq4xxKRw03"), "/data/site");
    EXPECT_EQ(ConfigurationFiles::captionName("/data/v1.2/site"), "/data/v1.2/site");
    EXPECT_EQ(ConfigurationFiles::captionName("site"), "site");
}

TEST_F(ConfigurationFilesTest, SaveAsOntoTheCurrentFileIsRefused) {
    t.config().writeReal("Com", "JBus", 9);
    const std::string before = readFile(t.configPath());
    // The same file, also under another spelling of its name.
    const std::string dotted = t.dir.path() + "./" + "default.Zq4xxKRw03";
    for (const std::string& name : {t.configPath(), dotted}) {
        prompts.files = {name};
        prompts.answers = {true};  // "replace it?" Yes
        EXPECT_EQ(files.saveConfigurationAs(), Result::Refused) << name;
    }
    ASSERT_EQ(prompts.errors.size(), 2u);
    EXPECT_EQ(prompts.errors[0].text, "Fichier source identique au fichier destination !");
    EXPECT_EQ(prompts.errors[0].title, "Erreur");
    EXPECT_EQ(readFile(t.configPath()), before);
    EXPECT_EQ(lastConfig(), t.dir.file("default.Zq4xxKRw03"));
}

TEST_F(ConfigurationFilesTest, SaveAsCopiesTheFileAndMakesTheCopyCurrent) {
    t.config().writeReal("Com", "JBus", 9);
    const std::string old = t.configPath();
    const std::string before = readFile(old);
    prompts.files = {t.dir.file("site2")};  // the extension is added
    EXPECT_EQ(files.saveConfigurationAs(), Result::Saved);
    const std::string copy = t.dir.file("site2.Zq4xxKRw03");
    EXPECT_EQ(t.configPath(), copy);
    EXPECT_EQ(lastConfig(), copy);
    EXPECT_EQ(readFile(copy), before);
    EXPECT_EQ(readFile(old), before);
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_TRUE(prompts.questions.empty());
    // No temporary file is left behind.
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(t.dir.path()))
        entries += e.path().filename().string().find(".tmp") != std::string::npos;
    EXPECT_EQ(entries, 0);

    // The next start opens the copy.
    Application next(TestApplication::environment(t.dir), RegistryStore(t.dir.file("r.ini")));
    next.loadSettings("default.");
    EXPECT_EQ(next.settings().configFilePath, copy);
}

TEST_F(ConfigurationFilesTest, AnExistingFileIsOnlyReplacedAfterAYes) {
    const std::string target = t.dir.file("site3.Zq4xxKRw03");
    writeFile(target, "[Com]\nJBus=4.000000\n");
    prompts.files = {target, target};
    prompts.answers = {false, true};  // No: the dialog comes again; then Yes
    EXPECT_EQ(files.saveConfigurationAs(), Result::Saved);
    EXPECT_EQ(prompts.fileRequests.size(), 2u);
    ASSERT_EQ(prompts.questions.size(), 2u);
    EXPECT_EQ(prompts.questions[0].text,
              target + " \n\nLe fichier existe déjà, voulez vous le remplacer ?");
    EXPECT_EQ(prompts.questions[0].title, "Attention");
    EXPECT_EQ(t.configPath(), target);
    EXPECT_EQ(IniFile(target).readString("Com", "JBus", "gone"), "gone");
}

TEST_F(ConfigurationFilesTest, FailuresLeaveTheCurrentFileOrFallBackToTheDefault) {
    const std::string current = t.configPath();
    prompts.files = {std::nullopt};
    EXPECT_EQ(files.saveConfigurationAs(), Result::Cancelled);
    EXPECT_EQ(t.configPath(), current);

    // A directory that does not exist: the file cannot be created.
    prompts.files = {t.dir.file("missing/site.Zq4xxKRw03")};
    EXPECT_EQ(files.saveConfigurationAs(), Result::Failed);
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0].text, "Impossible d'ouvrir le fichier destination !");
    EXPECT_EQ(t.configPath(), current);

    // The chosen name is a folder: the copy cannot be renamed onto it, and nothing changes.
    const std::string before = readFile(current);
    std::filesystem::create_directory(t.dir.file("folder.Zq4xxKRw03"));
    prompts.files = {t.dir.file("folder.Zq4xxKRw03")};
    prompts.answers = {true};  // "replace it?" Yes
    EXPECT_EQ(files.saveConfigurationAs(), Result::Failed);
    ASSERT_EQ(prompts.errors.size(), 2u);
    EXPECT_EQ(prompts.errors[1].text, "Impossible d'ouvrir le fichier destination !");
    EXPECT_EQ(t.configPath(), current);
    EXPECT_EQ(lastConfig(), current);
    EXPECT_EQ(readFile(current), before);
    EXPECT_TRUE(std::filesystem::is_directory(t.dir.file("folder.Zq4xxKRw03")));
    for (auto& e : std::filesystem::directory_iterator(t.dir.path()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();

    // The current file can no longer be read: the copy fails and the default file is used.
    const std::string site = t.dir.file("site4.Zq4xxKRw03");
    writeFile(site, "[Test]\nTest=Ok\n");
    t.app.switchConfigFile(site);
    std::filesystem::remove(site);
    prompts.files = {t.dir.file("site5.Zq4xxKRw03")};
    EXPECT_EQ(files.saveConfigurationAs(), Result::FellBack);
    ASSERT_EQ(prompts.errors.size(), 3u);
    EXPECT_EQ(prompts.errors[2].text, "La sauvegarde a échoué, retour au fichier par défaut !");
    EXPECT_EQ(t.configPath(), t.dir.file("default.Zq4xxKRw03"));
    EXPECT_EQ(lastConfig(), t.dir.file("default.Zq4xxKRw03"));
    EXPECT_FALSE(std::filesystem::exists(t.dir.file("site5.Zq4xxKRw03")));
}

TEST_F(ConfigurationFilesTest, LoadingAFileWithoutKeysGivesTheDefaultsAndFrench) {
    t.config().writeReal("Language", "Language", 1);
    t.config().writeReal("Com", "Bauds", 7);
    t.config().writeReal("Modem", "Use modem", 0);
    t.app.reloadLinkSettings();
    ASSERT_EQ(t.app.settings().useModem, 1);
    const std::string empty = t.dir.file("empty.Zq4xxKRw03");
    writeFile(empty, "");
    prompts.files = {empty};
    EXPECT_EQ(files.loadConfiguration(), Result::Loaded);
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_EQ(prompts.fileRequests[0].mode, FileRequest::Mode::Open);
    EXPECT_TRUE(prompts.questions.empty());

    EXPECT_EQ(t.configPath(), empty);
    EXPECT_EQ(lastConfig(), empty);
    IniFile loaded(empty);
    EXPECT_EQ(loaded.readString("Test", "Test", ""), "Ok");
    EXPECT_EQ(loaded.readString("Spreadsheet", "Path Spreadsheet", ""), "tartempionexcel.exe");
    EXPECT_EQ(PageBase::storedLanguage(loaded), 1);
    OptionsSettings expected;
    expected.spreadsheetPath = "tartempionexcel.exe";  // resolved and written at loading
    EXPECT_EQ(OptionsSettings::read(loaded), expected);
    EXPECT_EQ(t.app.settings().useModem, 0);

    prompts.files = {std::nullopt};
    EXPECT_EQ(files.loadConfiguration(), Result::Cancelled);
    EXPECT_EQ(t.configPath(), empty);
}

}  // namespace
}  // namespace flowcfg
