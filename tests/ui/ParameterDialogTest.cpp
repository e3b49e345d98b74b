// The parameter dialog's window and the "Settings" commands of the main window, offscreen.
#include "ui/ParameterDialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "ModalDriver.h"
#include "SettingsFiles.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "params/BlockExchange.h"
#include "params/ParameterComparison.h"
#include "params/ParameterControls.h"
#include "params/ProgressView.h"
#include "ui/CComboKV.h"
#include "ui/CEditKV.h"
#include "ui/MainWindow.h"
#include "ui/ParameterCommands.h"
#include "ui/ParameterComparisonWindow.h"
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

QLineEdit* editOf(ParameterPage& page, int controlId) {
    BoundField* field = page.table().FindField(controlId);
    if (!field || !field->valueControl()) return nullptr;
    return qobject_cast<QLineEdit*>(
        static_cast<WidgetFieldControl*>(field->valueControl())->widget());
}

// What the comparison window showed: its title, its line, its headings and its rows.
struct Compared {
    std::string title, summary;
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
};

// Clicks "Compare" with `file` as the person's choice and reads the window it opens, if any.
Compared compareWith(ParameterDialog& dialog, ScriptedPrompts& prompts, const std::string& file,
                     bool& shown) {
    Compared seen;
    shown = false;
    ModalDriver driver;
    driver.then<ParameterComparisonWindow>([&](ParameterComparisonWindow* window) {
        shown = true;
        seen.title = window->windowTitle().toStdString();
        seen.summary = window->summary()->text().toStdString();
        QTableWidget* table = window->table();
        for (int c = 0; c < table->columnCount(); ++c)
            seen.headings.push_back(table->horizontalHeaderItem(c)->text().toStdString());
        for (int r = 0; r < table->rowCount(); ++r) {
            seen.rows.emplace_back();
            for (int c = 0; c < table->columnCount(); ++c)
                seen.rows.back().push_back(table->item(r, c)->text().toStdString());
        }
        window->closeButton()->click();
    });
    prompts.files.push_back(file);
    dialog.button(ParameterDialog::kCompareButton)->click();
    EXPECT_FALSE(driver.timedOut());
    return seen;
}

TEST_F(ParameterDialogTest, CompareShowsWhatDiffersFromAFileAndLeavesTheSetAsItIs) {
    const std::string file = writeSettingsFile(t, "site.eta");
    // Another set of the same layout: another pipe A diameter and unit name.
    const std::string other = t.dir.file("other.eta");
    {
        auto page = ParameterComparison::OpenSettingsFile(file, prompts, 2);
        ASSERT_NE(page, nullptr);
        page->table().FindField(ctl::pipeField(0, ctl::pipe::kDiameter))->setValue(600);
        page->table().FindField(ctl::kUnitName)->setText("SITE 9");
        ASSERT_EQ(page->SaveParameterSet(other), 0);
    }
    LayoutOptions o;
    o.level = 2;
    o.pipes = 2;
    o.modules[1] = 2;
    WidgetProgress progress(nullptr);
    ParameterPage page(o, PageContext{prompts, progress, line, 2}, ParameterPage::kModeFile, file);
    ParameterDialog dialog(t.app, page, progress);
    ASSERT_EQ(dialog.prepare(), ParameterPage::kStayOpen);
    ASSERT_NE(dialog.button(ParameterDialog::kCompareButton), nullptr);
    EXPECT_EQ(dialog.button(ParameterDialog::kCompareButton)->text().toStdString(), "Compare");
    const std::string title = dialog.windowTitle().toStdString();

    bool shown = false;
    Compared same = compareWith(dialog, prompts, file, shown);
    ASSERT_TRUE(shown);
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    const FileRequest& request = prompts.fileRequests[0];
    EXPECT_EQ(request.mode, FileRequest::Mode::Open);
    EXPECT_EQ(request.filter, "Setting File (*.eta)|*.eta||");
    EXPECT_EQ(request.initialPath, t.app.settings().saveDirectory);
    EXPECT_EQ(same.summary, "The two parameter sets are the same");
    EXPECT_TRUE(same.rows.empty());
    EXPECT_EQ(same.headings,
              (std::vector<std::string>{"Tab", "Parameter", "Actual parameters", "site.eta"}));
    EXPECT_NE(same.title.find("Compare"), std::string::npos) << same.title;

    // The person's unsaved edits: the unit name the file has, a pipe B diameter it has not.
    QLineEdit* unitName = editOf(page, ctl::kUnitName);
    QLineEdit* diameterB = editOf(page, ctl::pipeField(1, ctl::pipe::kDiameter));
    ASSERT_TRUE(unitName && diameterB);
    const std::string diameterBFile = diameterB->text().toStdString();
    unitName->setText("SITE 9");
    diameterB->setText("42.0");
    const auto before = ParameterRows::Rows(page);

    Compared differs = compareWith(dialog, prompts, other, shown);
    ASSERT_TRUE(shown);
    EXPECT_EQ(differs.summary, "2 parameters differ");
    EXPECT_EQ(differs.headings.back(), "other.eta");
    EXPECT_EQ(differs.rows, (std::vector<std::vector<std::string>>{
                                {"Pipe A", "Ext. Diameter", "512.3 mm", "600.0 mm"},
                                {"Pipe B", "Ext. Diameter", "42.0 mm", diameterBFile + " mm"}}));

    // Nothing of the dialog's set changed, nor its file.
    const auto after = ParameterRows::Rows(page);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i].value, before[i].value) << after[i].caption;
    EXPECT_EQ(page.fileName(), file);
    EXPECT_EQ(dialog.windowTitle().toStdString(), title);
    EXPECT_EQ(page.result(), ParameterPage::kStayOpen);

    // A file that cannot be read: the message, and no window.
    const std::string bad = t.dir.file("bad.eta");
    testing::writeFile(bad, "not a settings file");
    compareWith(dialog, prompts, bad, shown);
    EXPECT_FALSE(shown);
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0].text, "Incorrect File (" + bad + ")");
    EXPECT_EQ(prompts.errors[0].title, "Error");
    // A choice cancelled: nothing at all.
    ModalDriver none;
    dialog.button(ParameterDialog::kCompareButton)->click();
    EXPECT_FALSE(none.timedOut());
    EXPECT_EQ(prompts.fileRequests.size(), 4u);
    EXPECT_EQ(prompts.errors.size(), 1u);
}

// The comparison window's line says how many differ, in the page's language.
TEST_F(ParameterDialogTest, TheComparisonLineCountsInThePagesLanguage) {
    ScriptedPrompts unused;
    PageMessages french(unused, 1);
    EXPECT_EQ(ParameterComparisonWindow::summaryText(french, 0),
              "Les deux jeux de paramètres sont identiques");
    EXPECT_EQ(ParameterComparisonWindow::summaryText(french, 1), "Un paramètre diffère");
    EXPECT_EQ(ParameterComparisonWindow::summaryText(french, 17), "17 paramètres diffèrent");
    for (int language = 1; language <= 5; ++language) {
        PageMessages texts(unused, language);
        const std::string many = ParameterComparisonWindow::summaryText(texts, 240);
        EXPECT_NE(many.find("240"), std::string::npos) << language << ": " << many;
        EXPECT_EQ(many.find('%'), std::string::npos) << language << ": " << many;
        EXPECT_NE(ParameterComparisonWindow::summaryText(texts, 1),
                  ParameterComparisonWindow::summaryText(texts, 0));
    }
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
