// The parameter dialog's window and the "Settings" commands of the main window, offscreen.
#include "ui/ParameterDialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ModalDriver.h"
#include "SettingsFiles.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "params/BlockExchange.h"
#include "params/ParameterControls.h"
#include "params/ProgressView.h"
#include "ui/CComboKV.h"
#include "ui/CEditKV.h"
#include "ui/MainWindow.h"
#include "ui/ParameterCommands.h"
#include "ui/StartDialogWindow.h"
#include "ui/TabPages.h"
#include "ui/WidgetFieldControl.h"
#include "ui/WidgetProgress.h"

namespace flowcfg {
namespace {

using testing::ModalDriver;
using testing::ScriptedPrompts;
using testing::TestApplication;

using testing::NoLine;

// A settings file for two pipes at level "Advanced" with a relay in slot 2.
std::string writeSettingsFile(const TestApplication& t, const std::string& name) {
    LayoutOptions o;
    o.level = 2;
    o.pipes = 2;
    o.modules[1] = 2;
    std::string path = t.dir.file(name);
    EXPECT_EQ(testing::writeSettingsFile(path, o), 0);
    return path;
}

struct ParameterDialogTest : ::testing::Test {
    TestApplication t;
    ScriptedPrompts prompts;
    NoLine line;
};

TEST_F(ParameterDialogTest, ShowsTheTabsOfTheLayoutWithTheValuesOfTheFile) {
    t.config().writeReal("Language", "Language", 1);  // English
    const std::string file = writeSettingsFile(t, "site.eta");
    LayoutOptions o;
    o.level = 2;
    o.pipes = 2;
    o.modules[1] = 2;
    WidgetProgress progress(nullptr);
    ParameterPage page(o, PageContext{prompts, progress, line, 2}, ParameterPage::kModeFile, file);
    ParameterDialog dialog(t.app, page, progress);
    ASSERT_EQ(dialog.prepare(), ParameterPage::kStayOpen);
    ASSERT_EQ(dialog.tabs()->count(), 12);
    EXPECT_EQ(dialog.tabs()->tabText(0).toStdString(), "General");
    EXPECT_EQ(dialog.tabs()->tabText(4).toStdString(), "Pipe B");
    EXPECT_EQ(dialog.tabs()->tabText(11).toStdString(), "Advanced");
    EXPECT_NE(dialog.windowTitle().toStdString().find("site.eta"), std::string::npos);

    auto* diameter = qobject_cast<QLineEdit*>(
        static_cast<WidgetFieldControl*>(
            page.table().FindField(ctl::pipeField(0, ctl::pipe::kDiameter))->valueControl())
            ->widget());
    ASSERT_NE(diameter, nullptr);
    EXPECT_EQ(diameter->text().toStdString(), "512.3");
    EXPECT_TRUE(diameter->isVisibleTo(dialog.tabContent(1)));

    // The coefficient commands sit beside their tables.
    page.table().FindField(ctl::pipeField(1, ctl::pipe::kProfileCoefficient))->setValue(3);
    QPushButton* defaults = dialog.button(ParameterDialog::kCommandBase +
                                          ctl::command::forPipe(1, ctl::command::kDefaultProfile));
    ASSERT_NE(defaults, nullptr);
    defaults->click();
    EXPECT_EQ(page.table().FindField(ctl::pipeField(1, ctl::pipe::kProfileCoefficient))->text(),
              "1.600");
}

TEST_F(ParameterDialogTest, AChoiceThatChangesTheLayoutClosesTheDialogForARebuild) {
    const std::string file = writeSettingsFile(t, "site.eta");
    LayoutOptions o;
    o.level = 2;
    o.pipes = 2;
    WidgetProgress progress(nullptr);
    ParameterPage page(o, PageContext{prompts, progress, line, 2}, ParameterPage::kModeFile, file);
    page.setRebuildDirectory(t.dir.path());
    ParameterDialog dialog(t.app, page, progress);
    ModalDriver driver;
    driver.then<ParameterDialog>([&](ParameterDialog* shown) {
        auto* level = qobject_cast<CComboKV*>(
            static_cast<WidgetFieldControl*>(page.table().FindField(ctl::kLevel)->valueControl())
                ->widget());
        ASSERT_NE(level, nullptr);
        level->setCurrentIndex(0);
        emit level->activated(0);  // as the person's choice
        (void)shown;
    });
    EXPECT_EQ(dialog.runPage(), ParameterPage::kRebuild);
    EXPECT_TRUE(driver.finished());
    EXPECT_FALSE(driver.timedOut());
}

TEST_F(ParameterDialogTest, TheMainWindowOpensSettingsFilesAndOffersTheSettingsCommands) {
    t.config().writeReal("Language", "Language", 1);
    const std::string file = writeSettingsFile(t, "site.eta");
    MainWindow window(t.app);
    EXPECT_FALSE(window.canRun(MenuCommand::DialEtalonnage));
    {
        ParameterCommands commands(window);
        EXPECT_TRUE(window.canRun(MenuCommand::DialEtalonnage));
        EXPECT_TRUE(window.canRun(MenuCommand::NewEtalonnage));
        EXPECT_TRUE(window.canRun(MenuCommand::Ouvrir));

        ModalDriver driver;
        LayoutOptions started;
        std::vector<std::string> tabs;
        driver.then<StartDialogWindow>([&](StartDialogWindow* start) {
            started = start->fieldOptions();
            start->accept();
        });
        driver.then<ParameterDialog>([&](ParameterDialog* dialog) {
            for (int i = 0; i < dialog->tabs()->count(); ++i)
                tabs.push_back(dialog->tabs()->tabText(i).toStdString());
            dialog->reject();
        });
        EXPECT_EQ(commands.runSession(ParameterPage::kModeFile, file), ParameterPage::kCancel);
        EXPECT_TRUE(driver.finished());
        EXPECT_EQ(started.level, 2);
        EXPECT_EQ(started.pipes, 2);
        EXPECT_EQ(started.modules[1], 2);
        EXPECT_EQ(tabs.size(), 12u);
    }
    EXPECT_FALSE(window.canRun(MenuCommand::DialEtalonnage));
}

}  // namespace
}  // namespace flowcfg
