#include "shell/PageBase.h"

#include <gtest/gtest.h>

#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"

namespace flowcfg {
namespace {

using testing::ScriptedPrompts;
using testing::TestApplication;

class RecordingPage : public PageBase {
public:
    using PageBase::PageBase;
    std::vector<std::string> shown;

protected:
    void captionChanged(const std::string& caption) override { shown.push_back(caption); }
};

class PageBaseTest : public ::testing::Test {
protected:
    TestApplication t;
    ScriptedPrompts prompts;
};

TEST(PageCaptionTest, FileNamesAreShortenedAbove40Characters) {
    std::string forty(40, 'a');
    forty.replace(0, 3, "/ho");
    EXPECT_EQ(PageCaption::shortenFileName(forty), forty);

    std::string fortyOne = "/home/technicien/sites/usine-nord/poste-2";
    ASSERT_EQ(fortyOne.size(), 41u);
    EXPECT_EQ(PageCaption::shortenFileName(fortyOne),
              "/ho..." + fortyOne.substr(fortyOne.size() - 34));
    EXPECT_EQ(PageCaption::shortenFileName(fortyOne).size(), 40u);
    EXPECT_EQ(PageCaption::shortenFileName(""), "");

    // Characters, not bytes: 40 accented letters are kept, and a cut never splits one.
    std::string accents;
    for (int i = 0; i < 40; ++i)
        accents += "é";
    EXPECT_EQ(PageCaption::shortenFileName(accents), accents);
    std::string shortened = PageCaption::shortenFileName(accents + "é");
    std::string expected = "ééé...";
    for (int i = 0; i < 34; ++i)
        expected += "é";
    EXPECT_EQ(shortened, expected);
}

TEST_F(PageBaseTest, CaptionJoinsTitleFileAndExtra) {
    RecordingPage page(t.app, prompts);
    page.setCaptionText("Zq4xxKRw 03 A");
    EXPECT_EQ(page.caption(), "Zq4xxKRw 03 A");
    page.setCaptionFile("/data/site");
    EXPECT_EQ(page.caption(), "Zq4xxKRw 03 A   -   /data/site");
    page.setCaptionExtra(" (modifié)");
    EXPECT_EQ(page.caption(), "Zq4xxKRw 03 A   -   /data/site (modifié)");
    page.setCaptionId(212);  // the text id wins over the literal text
    EXPECT_EQ(page.caption(), "Erreur   -   /data/site (modifié)");
    page.setCaptionFileRaw(std::string(50, 'x'));
    EXPECT_EQ(page.captionParts().file.size(), 50u);
    page.setCaptionFile("");
    page.setCaptionExtra("");
    EXPECT_EQ(page.caption(), "Erreur");
    ASSERT_FALSE(page.shown.empty());
    EXPECT_EQ(page.shown.back(), "Erreur");
}

TEST_F(PageBaseTest, LanguageComesFromTheConfigurationFileAtConstruction) {
    EXPECT_EQ(RecordingPage(t.app, prompts).language(), 1);  // no key: French

    t.config().writeReal("Language", "Language", 1);
    RecordingPage english(t.app, prompts);
    EXPECT_EQ(english.language(), 2);
    EXPECT_EQ(english.text(212), "Error");
    EXPECT_EQ(english.item(84, 1), "No");
    EXPECT_EQ(english.item(84, 2), "");

    t.config().writeString("Language", "Language", "4");
    EXPECT_EQ(english.language(), 2);  // an open page keeps its language
    english.reloadLanguage();
    EXPECT_EQ(english.language(), 5);

    for (const char* stored : {"5", "-1", "nan", "1e300"}) {
        t.config().writeString("Language", "Language", stored);
        EXPECT_EQ(RecordingPage(t.app, prompts).language(), 1) << stored;
    }
}

TEST_F(PageBaseTest, MessagesAreTranslatedAndGoThroughThePrompts) {
    RecordingPage page(t.app, prompts);
    page.showError(208, 212);
    page.showErrorWith(216, "a.eta", 212);
    ASSERT_EQ(prompts.errors.size(), 2u);
    EXPECT_EQ(prompts.errors[0].text, "Fichier source identique au fichier destination !");
    EXPECT_EQ(prompts.errors[0].title, "Erreur");
    EXPECT_EQ(prompts.errors[1].text, page.text(216) + "a.eta");

    prompts.answers = {true, false};
    EXPECT_TRUE(page.askYesNo(469, "", 22));
    EXPECT_FALSE(page.askYesNo(469, "?", 22));
    EXPECT_EQ(prompts.questions[0].title, "Attention");
    EXPECT_EQ(prompts.questions[1].text, page.text(469) + "?");
}

TEST_F(PageBaseTest, ConfigurationAccessFollowsTheFileItIsPointedAt) {
    RecordingPage page(t.app, prompts);
    EXPECT_EQ(page.configPath(), t.configPath());
    EXPECT_EQ(page.writeReal("Com", "JBus", 7), 0);
    EXPECT_EQ(t.config().readString("Com", "JBus", ""), "7.000000");
    EXPECT_EQ(page.readReal("Com", "JBus", 0), 7);

    std::string other = t.dir.file("other.Zq4xxKRw03");
    page.setConfigFile(other);
    EXPECT_EQ(page.writeString("Modem", "Telefon number", "0123"), 0);
    EXPECT_EQ(IniFile(other).readString("Modem", "Telefon number", ""), "0123");
    EXPECT_EQ(page.readString("Com", "JBus", "none"), "none");
}

}  // namespace
}  // namespace flowcfg
