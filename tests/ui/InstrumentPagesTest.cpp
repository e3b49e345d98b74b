// The special settings, factory settings and function pages in the desktop tool: their menu
// entries, a ".fct" file opened through the main window, a function's editor from its button.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "ModalDriver.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "ui/CButtonKV.h"
#include "ui/FunctionDialog.h"
#include "ui/InstrumentPageCommands.h"
#include "ui/MainWindow.h"

namespace flowcfg {
namespace {

using testing::ModalDriver;
using D = FunctionDefinitions;

TEST(InstrumentPagesTest, MenuEntriesAndAFunctionEditedThroughItsButton) {
    testing::TestApplication t;
    t.config().writeReal("Language", "Language", 1);  // English
    MainWindow window(t.app);
    InstrumentPageCommands commands(window);
    for (MenuCommand command :
         {MenuCommand::DialRegSpe, MenuCommand::NewRegSpe, MenuCommand::DialRegUs,
          MenuCommand::DialFonction, MenuCommand::NewFonction})
        EXPECT_TRUE(window.canRun(command)) << commandName(command);

    const std::string file = t.dir.file("site.fct");
    {
        testing::ScriptedPrompts prompts;
        NoProgress progress;
        OfflineExchange line;
        FunctionPage page(PageContext{prompts, progress, line, 2}, BlockPage::kModeNew);
        ASSERT_EQ(page.Build(), 0);
        ASSERT_EQ(page.SetType(0, 8), 0);
        ASSERT_EQ(page.ApplyParameters(0, D::Store(8, {1, 2.5, 0.1})), 0);
        ASSERT_EQ(page.Save(file), 0);
    }

    // The button of function 1 opens its editor; a = 4 and OK change the row's summary.
    std::string summary;
    ModalDriver driver;
    driver.then<FunctionDialog>([&](FunctionDialog* dialog) {
        for (auto* button : dialog->findChildren<CButtonKV*>())
            if (button->notifyId() == FunctionPage::settingsButton(0)) button->click();
        auto* functions = dynamic_cast<FunctionPage*>(&dialog->page());
        summary = functions->table().FindField(FunctionPage::summary(0))->text();
        dialog->reject();
    });
    driver.then<FunctionEditorDialog>([](FunctionEditorDialog* editor) {
        auto edits = editor->findChildren<QLineEdit*>();
        ASSERT_EQ(edits.size(), 2);  // a, b (the source is a list)
        edits[0]->setText("4");
        editor->accept();
    });
    EXPECT_EQ(commands.runFunctions(BlockPage::kModeFile, file), BlockPage::kCancel);
    EXPECT_TRUE(driver.finished());
    EXPECT_FALSE(driver.timedOut());
    EXPECT_EQ(summary, "y = 4 x QA + 0.1");
}

}  // namespace
}  // namespace flowcfg
