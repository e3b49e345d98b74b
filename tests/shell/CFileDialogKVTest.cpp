#include "shell/CFileDialogKV.h"

#include <gtest/gtest.h>

#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "shell/PageBase.h"

namespace flowcfg {
namespace {

using testing::ScriptedPrompts;
using testing::TestApplication;
using testing::writeFile;

class CFileDialogKVTest : public ::testing::Test {
protected:
    TestApplication t;
    ScriptedPrompts prompts;
    PageBase page{t.app, prompts};

    FileRequest save(const std::string& extension = {}) {
        FileRequest r;
        r.mode = FileRequest::Mode::Save;
        r.defaultExtension = extension;
        return r;
    }
};

TEST_F(CFileDialogKVTest, DefaultExtensionIsAddedOnce) {
    prompts.files = {t.dir.file("a"), t.dir.file("b.eta"), t.dir.file("c.eta.bak")};
    CFileDialogKV dialog(page, save("eta"));
    EXPECT_EQ(dialog.run(), t.dir.file("a.eta"));
    EXPECT_EQ(dialog.run(), t.dir.file("b.eta"));
    EXPECT_EQ(dialog.run(), t.dir.file("c.eta.bak.eta"));
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(dialog.run(), std::nullopt);  // cancelled
}

TEST_F(CFileDialogKVTest, ExistingFileAsksAndNoShowsTheDialogAgain) {
    writeFile(t.dir.file("a.eta"), "x");
    prompts.files = {t.dir.file("a"), t.dir.file("a"), std::nullopt};
    prompts.answers = {false, false};
    CFileDialogKV dialog(page, save("eta"));
    EXPECT_EQ(dialog.run(), std::nullopt);
    EXPECT_EQ(prompts.fileRequests.size(), 3u);
    ASSERT_EQ(prompts.questions.size(), 2u);
    EXPECT_EQ(prompts.questions[0].text,
              t.dir.file("a.eta") + " \n\nLe fichier existe déjà, voulez vous le remplacer ?");

    prompts.files = {t.dir.file("a.eta")};
    prompts.answers = {true};
    EXPECT_EQ(dialog.run(), t.dir.file("a.eta"));
}

TEST_F(CFileDialogKVTest, WithoutDefaultExtensionEveryListedFileIsChecked) {
    const std::string stem = t.dir.file("all");
    writeFile(stem + ".eta", "x");
    writeFile(stem + ".fct", "x");
    CFileDialogKV dialog(page, save());
    // Yes for the first, No for the second: shown again; then Yes to both, the name typed
    // with one of the extensions standing for the same files.
    prompts.files = {stem, stem + ".fct"};
    prompts.answers = {true, false, true, true};
    EXPECT_EQ(dialog.run({"eta", "rsp", "fct"}), stem);
    EXPECT_EQ(prompts.fileRequests.size(), 2u);
    EXPECT_EQ(prompts.questions.size(), 4u);
    EXPECT_TRUE(prompts.answers.empty());
}

TEST_F(CFileDialogKVTest, OpenDialogsAskNothing) {
    writeFile(t.dir.file("a.eta"), "x");
    FileRequest open;
    open.defaultExtension = "eta";
    prompts.files = {t.dir.file("a.eta")};
    EXPECT_EQ(CFileDialogKV(page, open).run(), t.dir.file("a.eta"));
    EXPECT_TRUE(prompts.questions.empty());
}

}  // namespace
}  // namespace flowcfg
