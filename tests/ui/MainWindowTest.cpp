#include "ui/MainWindow.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTest>

#include "ModalDriver.h"
#include "common/TestApplication.h"
#include "shell/LogoBitmap.h"
#include "shell/MainMenu.h"
#include "ui/AboutBox.h"
#include "ui/CComboKV.h"
#include "ui/OptionsPage.h"
#include "ui/TransparentLabel.h"

namespace flowcfg {
namespace {

using testing::ModalDriver;
using testing::TestApplication;

std::vector<std::string> menuTitles(const QMenuBar& bar) {
    std::vector<std::string> out;
    for (QAction* a : bar.actions())
        out.push_back(a->text().toStdString());
    return out;
}

// Every entry text of a menu and its submenus, in order, separators as "-".
void entryTexts(const QMenu& menu, std::vector<std::string>& out) {
    for (QAction* a : menu.actions()) {
        out.push_back(a->isSeparator() ? "-" : a->text().toStdString());
        if (a->menu()) entryTexts(*a->menu(), out);
    }
}

void entryTexts(const std::vector<MenuEntry>& entries, std::vector<std::string>& out) {
    for (const auto& e : entries) {
        out.push_back(e.kind == MenuEntry::Kind::Separator ? "-" : e.text);
        entryTexts(e.children, out);
    }
}

class MainWindowTest : public ::testing::Test {
protected:
    TestApplication t;
};

TEST_F(MainWindowTest, MenuBarHasFourMenusOrFiveWithTheModem) {
    MainWindow window(t.app);
    EXPECT_EQ(
        menuTitles(*window.menuBar()),
        (std::vector<std::string>{"&Fichier", "&Dialogue", "&Configuration", "&A propos..."}));
    // Pages of later work are greyed; what the window can do is not.
    ASSERT_NE(window.actionFor(MenuCommand::DialMesure), nullptr);
    EXPECT_FALSE(window.actionFor(MenuCommand::DialMesure)->isEnabled());
    EXPECT_FALSE(window.actionFor(MenuCommand::Ouvrir)->isEnabled());
    EXPECT_TRUE(window.actionFor(MenuCommand::ConfConf)->isEnabled());
    EXPECT_TRUE(window.actionFor(MenuCommand::Quitter)->isEnabled());
    EXPECT_TRUE(window.actionFor(MenuCommand::Apropo)->isEnabled());

    t.config().writeReal("Modem", "Use modem", 0);
    window.refresh();
    EXPECT_EQ(menuTitles(*window.menuBar()),
              (std::vector<std::string>{"&Fichier", "&Dialogue", "&Modem déconnecté",
                                        "&Configuration", "&A propos..."}));
    t.app.modemConnected = true;
    window.rebuildMenu();
    EXPECT_EQ(menuTitles(*window.menuBar())[2], "&Modem connecté");
    EXPECT_FALSE(window.actionFor(MenuCommand::ConfConf)->isEnabled());
    EXPECT_FALSE(window.actionFor(MenuCommand::ConfLoad)->isEnabled());

    // A page that arrives registers its command, and the entry can be chosen.
    int opened = 0;
    window.setCommandHandler(MenuCommand::DialMesure, [&] { ++opened; });
    ASSERT_TRUE(window.actionFor(MenuCommand::DialMesure)->isEnabled());
    window.actionFor(MenuCommand::DialMesure)->trigger();
    EXPECT_EQ(opened, 1);
    // No call was made: nothing to hang up when the window goes.
    t.app.modemConnected = false;
}

TEST_F(MainWindowTest, LanguageChosenInTheOptionsPageChangesEveryMenuTextWhenItCloses) {
    MainWindow window(t.app);
    window.show();
    ModalDriver driver;
    std::vector<std::string> titlesWhileOpen;
    driver.then<OptionsPage>([&](OptionsPage* page) {
        page->combo(OptionsPage::kLanguage)->setCurrentIndex(1);  // English, as chosen
        titlesWhileOpen = menuTitles(*window.menuBar());
        page->accept();
    });
    driver.then<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->text().toStdString(),
                  "Attention voulez vous sauvegarder la configuration ?");
        for (QAbstractButton* b : box->buttons())
            if (b->text() == "Oui") b->click();
    });
    window.actionFor(MenuCommand::ConfConf)->trigger();
    EXPECT_TRUE(driver.finished());
    EXPECT_FALSE(driver.timedOut());
    EXPECT_EQ(titlesWhileOpen[0], "&Fichier");

    EXPECT_EQ(window.language(), 2);
    MainMenuState state{false, false, [&](MenuCommand c) { return window.canRun(c); }};
    MenuBar english = buildMainMenu(2, state);
    std::vector<std::string> expected, shown;
    for (const auto& menu : english.menus) {
        expected.push_back(menu.text);
        entryTexts(menu.entries, expected);
    }
    for (QAction* a : window.menuBar()->actions()) {
        shown.push_back(a->text().toStdString());
        entryTexts(*a->menu(), shown);
    }
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(shown[0], "&File");
}

TEST_F(MainWindowTest, CaptionNamesTheProgramAndTheConfigurationFile) {
    MainWindow window(t.app);
    std::string file = t.dir.file("default");
    std::string shown =
        file.size() > 40 ? file.substr(0, 3) + "..." + file.substr(file.size() - 34) : file;
    EXPECT_EQ(window.windowTitle().toStdString(), "Zq4xxKRw 03 A   -   " + shown);
    EXPECT_FALSE(window.windowIcon().isNull());
}

TEST_F(MainWindowTest, EscapeDoesNothing) {
    MainWindow window(t.app);
    window.show();
    QApplication::processEvents();
    QTest::keyClick(&window, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.result(), 0);

    OptionsPage page(t.app, {});
    page.show();
    QTest::keyClick(page.combo(OptionsPage::kBauds), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(page.isVisible());
}

TEST_F(MainWindowTest, PlacementFarOffScreenIsPulledBackAndSavedOnClosing) {
    t.config().writeReal("DialogBase", "Rect Wnd Left", 50000);
    t.config().writeReal("DialogBase", "Rect Wnd Top", 40000);
    {
        MainWindow window(t.app);
        window.show();
        QApplication::processEvents();
        QRect work = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(work.contains(window.frameGeometry())) << window.x() << "," << window.y();
        EXPECT_EQ(window.frameGeometry().right(), work.right());
        EXPECT_EQ(window.frameGeometry().bottom(), work.bottom());
        window.move(12, 34);
        window.accept();
    }
    EXPECT_EQ(t.config().readReal("DialogBase", "Rect Wnd Left", -1), 12);
    EXPECT_EQ(t.config().readReal("DialogBase", "Rect Wnd Top", -1), 34);
    EXPECT_EQ(t.config().readString("DialogBase", "Rect Wnd CX", "none"), "none");
}

// A logo is shown only when it was made for the window: 563 x 446, at most 8 bits per pixel.
TEST_F(MainWindowTest, LogoIsUsedOnlyAtTheWindowsSizeWithAPalette) {
    QImage palette(563, 446, QImage::Format_Indexed8);
    palette.setColorCount(2);
    palette.setColor(0, qRgb(255, 255, 255));
    palette.setColor(1, qRgb(0, 0, 128));
    palette.fill(1);
    const std::string logo = t.dir.file("logo.bmp");
    ASSERT_TRUE(palette.save(QString::fromStdString(logo), "BMP"));
    ASSERT_TRUE(LogoBitmap::usable(logo));
    t.app.settings().showLogo = 1;
    {
        MainWindow window(t.app);
        QPixmap shown = window.picture()->pixmap();
        ASSERT_FALSE(shown.isNull());
        EXPECT_EQ(shown.toImage().pixelColor(10, 10), QColor(0, 0, 128));
    }
    QImage deep(563, 446, QImage::Format_RGB32);
    deep.fill(Qt::blue);
    ASSERT_TRUE(deep.save(QString::fromStdString(logo), "BMP"));
    ASSERT_FALSE(LogoBitmap::usable(logo));
    MainWindow window(t.app);
    EXPECT_TRUE(window.picture()->pixmap().isNull());

    t.app.settings().showLogo = 0;  // the program's own picture
    MainWindow own(t.app);
    EXPECT_EQ(own.picture()->pixmap().size(), QSize(563, 446));
}

TEST_F(MainWindowTest, AboutBoxShowsNameVersionAndNotice) {
    MainWindow window(t.app);
    ModalDriver driver;
    QString text, title;
    driver.then<AboutBox>([&](AboutBox* box) {
        text = box->textLabel()->text();
        title = box->windowTitle();
        box->accept();
    });
    window.runCommand(MenuCommand::Apropo);
    EXPECT_TRUE(driver.finished());
    EXPECT_EQ(title, "A propos...");
    EXPECT_TRUE(text.startsWith("Application : Zq4xxKRw 03\n\nVersion : 03 A\n\n"))
        << text.toStdString();
}

TEST_F(MainWindowTest, QuitEndsTheModalRun) {
    MainWindow window(t.app);
    QTimer::singleShot(0, &window, [&] { window.runCommand(MenuCommand::Quitter); });
    EXPECT_EQ(window.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace flowcfg
