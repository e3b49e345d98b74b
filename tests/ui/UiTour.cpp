// The screenshot tour: every window of the desktop tool as the person sees it, in every
// language. Set FLOWCFG_SHOTS to a folder to keep the pictures (PNG); without it the tour only
// checks that each window draws.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QTest>

#include "Screenshot.h"
#include "SettingsFiles.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "params/ParameterComparison.h"
#include "shell/ConfigurationFiles.h"
#include "shell/PageFileTypes.h"
#include "ui/AboutBox.h"
#include "ui/CComboKV.h"
#include "ui/MainWindow.h"
#include "ui/OptionsPage.h"
#include "ui/ParameterComparisonWindow.h"
#include "ui/ParameterDialog.h"
#include "ui/QtTranslations.h"
#include "ui/StartDialogWindow.h"
#include "ui/TabPages.h"
#include "ui/WidgetProgress.h"
#include "ui/WidgetPrompts.h"

namespace flowcfg {
namespace {

using testing::Screenshot;
using testing::TestApplication;

const char* const kLanguageNames[] = {"fr", "en", "pt", "de", "es"};

void settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QTest::qWait(5);
    }
}

class UiTour : public ::testing::Test {
protected:
    TestApplication t;

    void SetUp() override {
        QApplication::setEffectEnabled(Qt::UI_AnimateMenu, false);
        QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
        // A few files for the file dialogs to show.
        for (const char* name :
             {"site-nord.Zq4xxKRw03", "site-sud.Zq4xxKRw03", "poste-2.eta", "mesures-mars.mes"})
            testing::writeFile(t.dir.file(name), "");
    }

    void useLanguage(int code) { t.config().writeReal("Language", "Language", code - 1); }

    // Shows `window`, grabs it with its open pop-ups and checks that it drew something.
    void shoot(QWidget& window, const std::string& name) {
        settle();
        Screenshot shot(&window);
        shot.addOpenPopups();
        QImage image = shot.save(name);
        EXPECT_GT(Screenshot::colourCount(image), 8) << name;
    }
};

TEST_F(UiTour, MainWindowWithEachMenuOpenInEveryLanguage) {
    t.config().writeReal("Modem", "Use modem", 0);  // the modem menu too
    t.app.reloadLinkSettings();
    for (int code = 1; code <= 5; ++code) {
        useLanguage(code);
        MainWindow window(t.app);
        window.move(40, 40 + Screenshot::kTitleHeight);
        window.show();
        settle();
        const auto menus = window.menuBar()->actions();
        ASSERT_EQ(menus.size(), 5);
        for (int i = 0; i < menus.size(); ++i) {
            window.menuBar()->setActiveAction(menus[i]);
            settle();
            QMenu* menu = menus[i]->menu();
            ASSERT_TRUE(menu->isVisible()) << code << " " << i;
            EXPECT_EQ(menus[i]->text().toStdString(), window.menuModel().menus[i].text);
            // The "Nouveau" submenu of the first menu, open as well.
            if (i == 0) {
                QAction* nouveau = menu->actions().at(2);
                menu->setActiveAction(nouveau);
                nouveau->menu()->popup(menu->mapToGlobal(menu->actionGeometry(nouveau).topRight()));
                settle();
            }
            shoot(window, std::string("main-") + kLanguageNames[code - 1] + "-menu" +
                              std::to_string(i + 1));
            menu->hide();
            settle();
        }
    }
}

TEST_F(UiTour, MainWindowWithoutModem) {
    MainWindow window(t.app);
    window.move(40, 40 + Screenshot::kTitleHeight);
    window.show();
    EXPECT_EQ(window.menuBar()->actions().size(), 4);
    shoot(window, "main-fr");
}

TEST_F(UiTour, OptionsPageTabsInEveryLanguage) {
    const OptionsPage::Ports ports{{1, "/dev/ttyS0"},
                                   {2, "/dev/ttyUSB0"},
                                   {3, "/dev/rfcomm0"},
                                   {9, "/home/technicien/flowcfg/build/release/demo/flowsim.tty"}};
    for (int code = 1; code <= 5; ++code) {
        useLanguage(code);
        OptionsPage page(t.app, ports);
        page.move(40, 40 + Screenshot::kTitleHeight);
        page.show();
        for (int tab = 0; tab < 2; ++tab) {
            page.tabs()->setCurrentIndex(tab);
            shoot(page, std::string("options-") + kLanguageNames[code - 1] +
                            (tab == 0 ? "-general" : "-modem"));
        }
        if (code == 1) {  // the port list open
            page.tabs()->setCurrentIndex(0);
            page.combo(OptionsPage::kPort)->showPopup();
            shoot(page, "options-fr-ports");
            page.combo(OptionsPage::kPort)->hidePopup();
        }
    }
}

// The settings pages: the start dialog, then every tab of the parameter dialog of a set for two
// pipes at level "Advanced" with modules of each kind, in French and English.
TEST_F(UiTour, SettingsPagesEveryTab) {
    LayoutOptions o;
    o.level = 2;
    o.pipes = 2;
    o.chordsA = 3;
    o.chordsB = 2;
    o.maxChords = 6;
    o.modules = {1, 1, 2, 3, 4, 5};
    const std::string file = t.dir.file("poste-2.eta");
    ASSERT_EQ(testing::writeSettingsFile(file, o), 0);
    for (int code : {1, 2}) {
        useLanguage(code);
        const std::string language = kLanguageNames[code - 1];
        {
            StartDialogWindow start(t.app);
            start.showOptions(o);
            start.move(40, 40 + Screenshot::kTitleHeight);
            start.show();
            shoot(start, "settings-" + language + "-start");
        }
        testing::ScriptedPrompts prompts;
        testing::NoLine line;
        WidgetProgress progress(nullptr);
        ParameterPage page(o, PageContext{prompts, progress, line, code}, ParameterPage::kModeFile,
                           file);
        ParameterDialog dialog(t.app, page, progress);
        ASSERT_EQ(dialog.prepare(), ParameterPage::kStayOpen);
        dialog.show();
        dialog.move(40, 40 + Screenshot::kTitleHeight);
        for (int tab = 0; tab < dialog.tabs()->count(); ++tab) {
            dialog.tabs()->setCurrentIndex(tab);
            char name[64];
            std::snprintf(name, sizeof name, "settings-%s-tab%02d", language.c_str(), tab + 1);
            shoot(dialog, name);
        }
    }
}

// The parameter dialog's comparison with a settings file that differs on several tabs, in
// French and English.
TEST_F(UiTour, SettingsComparison) {
    LayoutOptions o;
    o.level = 2;
    o.pipes = 2;
    o.chordsA = 3;
    o.chordsB = 2;
    o.modules = {1, 1, 2, 3, 4, 5};
    const std::string file = t.dir.file("poste-2.eta");
    const std::string other = t.dir.file("poste-2-mars.eta");
    ASSERT_EQ(testing::writeSettingsFile(file, o), 0);
    testing::ScriptedPrompts prompts;
    {
        auto set = ParameterComparison::OpenSettingsFile(file, prompts, 2);
        ASSERT_NE(set, nullptr);
        VariableTable& v = set->table();
        v.FindField(ctl::kUnitName)->setText("POSTE 2");
        v.FindField(ctl::pipeField(0, ctl::pipe::kDiameter))->setValue(508.0);
        v.FindField(ctl::pipeField(0, ctl::pipe::kC0))->setValue(1482);
        v.FindField(ctl::pipeField(1, ctl::pipe::kCutOff))->setValue(0.05);
        v.FindField(ctl::chordField(0, 1, ctl::chord::kDistance))->setValue(612.5);
        v.FindField(ctl::totalizerField(0, ctl::totalizer::kUnit))->setInteger(3);
        v.FindField(ctl::moduleField(0, ctl::module::kHigh))->setValue(250.0);
        ASSERT_EQ(set->SaveParameterSet(other), 0);
    }
    for (int code : {1, 2}) {
        useLanguage(code);
        testing::NoLine line;
        WidgetProgress progress(nullptr);
        ParameterPage page(o, PageContext{prompts, progress, line, code}, ParameterPage::kModeFile,
                           file);
        ASSERT_EQ(page.Start(nullptr), ParameterPage::kStayOpen);
        auto theirs = ParameterComparison::OpenSettingsFile(other, prompts, code);
        ASSERT_NE(theirs, nullptr);
        const auto differences = ParameterComparison::Compare(page, *theirs);
        EXPECT_EQ(differences.size(), 7u);
        ParameterComparisonWindow window(t.app, page.messages(), other, differences);
        window.show();
        window.move(40, 40 + Screenshot::kTitleHeight);
        EXPECT_EQ(window.table()->rowCount(), 7);
        shoot(window, std::string("settings-") + kLanguageNames[code - 1] + "-compare");
    }
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(UiTour, AboutBox) {
    for (int code : {1, 2}) {
        useLanguage(code);
        AboutBox box(t.app);
        box.move(40, 40 + Screenshot::kTitleHeight);
        box.show();
        shoot(box, std::string("about-") + kLanguageNames[code - 1]);
    }
}

// Each file dialog with its list of file types open.
TEST_F(UiTour, FileDialogFilters) {
    QtTranslations::use(1);  // as the French main window has it
    PageFileTypes types(1);
    FileRequest open;
    open.mode = FileRequest::Mode::Open;
    open.filter = types.openFilter();
    open.initialPath = t.dir.path();

    testing::ScriptedPrompts unused;
    PageBase page(t.app, unused);
    FileRequest config = ConfigurationFiles(page).request(FileRequest::Mode::Save);

    FileRequest spreadsheet;
    spreadsheet.filter = "*|*|*.exe|*.exe||";
    spreadsheet.initialPath = t.dir.path();

    const std::pair<const char*, FileRequest> dialogs[] = {
        {"dialog-open", open}, {"dialog-config-save", config}, {"dialog-spreadsheet", spreadsheet}};
    for (const auto& [name, request] : dialogs) {
        QFileDialog dialog;
        WidgetPrompts::prepareDialog(dialog, request);
        dialog.resize(640, 400);
        dialog.move(40, 40 + Screenshot::kTitleHeight);
        dialog.show();
        settle();
        auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->count(),
                  static_cast<int>(WidgetPrompts::nameFilters(request.filter).size()));
        combo->showPopup();
        shoot(dialog, name);
        combo->hidePopup();
    }
}

}  // namespace
}  // namespace flowcfg
