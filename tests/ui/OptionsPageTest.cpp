#include "ui/OptionsPage.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTabBar>
#include <QTest>

#include "FileDialogs.h"
#include "ModalDriver.h"
#include "common/TestApplication.h"
#include "ui/CButtonKV.h"
#include "ui/CComboKV.h"
#include "ui/CEditKV.h"
#include "ui/TabPages.h"

namespace flowcfg {
namespace {

using testing::ModalDriver;
using testing::readFile;
using testing::TestApplication;

const OptionsPage::Ports kPorts{{1, "/dev/ttyS0"}, {3, "/dev/ttyUSB0"}};

void press(QMessageBox* box, const QString& text) {
    for (QAbstractButton* b : box->buttons())
        if (b->text() == text) return b->click();
    ADD_FAILURE() << "no button " << text.toStdString();
}

// Types into an edit as the person would: focus, text, focus elsewhere.
void type(OptionsPage& page, int field, const QString& text) {
    page.activateWindow();
    QApplication::setActiveWindow(&page);
    CEditKV* edit = page.edit(field);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    page.combo(OptionsPage::kBauds)->setFocus();
    QApplication::processEvents();
}

class OptionsPageTest : public ::testing::Test {
protected:
    TestApplication t;
};

TEST_F(OptionsPageTest, OpensWithTheDefaultsOnTwoTabs) {
    OptionsPage page(t.app, kPorts);
    EXPECT_EQ(page.windowTitle(), "Configuration");
    ASSERT_EQ(page.tabs()->count(), 2);
    EXPECT_EQ(page.tabs()->tabText(0), "Général");
    EXPECT_EQ(page.tabs()->tabText(1), "Modem");
    EXPECT_EQ(page.edit(OptionsPage::kSampleTime)->text(), "1");
    EXPECT_EQ(page.edit(OptionsPage::kLapTime)->text(), "0");
    EXPECT_EQ(page.edit(OptionsPage::kJBus)->text(), "1");
    EXPECT_EQ(page.edit(OptionsPage::kTimeout)->text(), "500");
    EXPECT_EQ(page.edit(OptionsPage::kInitString)->text(), "&F S95=0 E0 Q0 V1 W2 &K0 M0");
    EXPECT_EQ(page.edit(OptionsPage::kDisconnect)->text(), "H0");
    EXPECT_EQ(page.combo(OptionsPage::kBauds)->currentText(), "9600");
    EXPECT_EQ(page.combo(OptionsPage::kLanguage)->currentText(), "Français");
    EXPECT_EQ(page.combo(OptionsPage::kUseModem)->currentText(), "Non");
    EXPECT_EQ(page.combo(OptionsPage::kNumerotation)->currentText(), "Tonalité");
    // The spreadsheet path was resolved and stored at start-up.
    EXPECT_EQ(page.edit(OptionsPage::kSpreadsheet)->text(), "tartempionexcel.exe");
    EXPECT_FALSE(page.isModified());

    CComboKV* port = page.combo(OptionsPage::kPort);
    ASSERT_EQ(port->count(), 2);
    EXPECT_EQ(port->itemText(0).toStdString(), "Com 1  \u2013  /dev/ttyS0");
    EXPECT_EQ(port->itemText(1).toStdString(), "Com 3  \u2013  /dev/ttyUSB0");
}

TEST_F(OptionsPageTest, StoredValuesAreShownAndAMissingPortMarksThePageModified) {
    t.config().writeReal("Com", "Bauds", 6);
    t.config().writeReal("Com", "Port", 2);
    t.config().writeReal("Language", "Language", 3);
    {
        OptionsPage page(t.app, kPorts);
        EXPECT_EQ(page.combo(OptionsPage::kBauds)->currentText(), "BlueTooth");
        EXPECT_EQ(page.combo(OptionsPage::kPort)->selectedValue(), 2);
        EXPECT_EQ(page.combo(OptionsPage::kLanguage)->currentText(), "Deutsch");
        EXPECT_FALSE(page.isModified());
    }
    t.config().writeReal("Com", "Port", 1);  // COM2 has no device here
    OptionsPage page(t.app, kPorts);
    EXPECT_TRUE(page.isModified());
    EXPECT_EQ(page.combo(OptionsPage::kPort)->selectedValue(), 2);  // the next one there is
}

TEST_F(OptionsPageTest, ClosingAfterAChangeSavesEveryKeyInItsStoredForm) {
    OptionsPage page(t.app, kPorts);
    page.show();
    type(page, OptionsPage::kJBus, "300");  // above the largest slave number
    type(page, OptionsPage::kSampleTime, "5");
    type(page, OptionsPage::kPhone, "0123456789");
    page.combo(OptionsPage::kPort)->setCurrentIndex(1);
    page.combo(OptionsPage::kUseModem)->setCurrentIndex(0);
    EXPECT_EQ(page.edit(OptionsPage::kJBus)->text(), "255");
    ASSERT_TRUE(page.isModified());

    ModalDriver driver;
    driver.then<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), "Attention");
        press(box, "Oui");
    });
    page.accept();
    EXPECT_TRUE(driver.finished());

    IniFile config = t.config();
    EXPECT_EQ(config.readString("Com", "JBus", ""), "255.000000");
    EXPECT_EQ(config.readString("Com", "Port", ""), "2.000000");
    EXPECT_EQ(config.readString("Com", "Bauds", ""), "5.000000");
    EXPECT_EQ(config.readString("Modem", "Use modem", ""), "0.000000");
    EXPECT_EQ(config.readString("Modem", "Numerotation", ""), "0.000000");
    EXPECT_EQ(config.readString("Modem", "Telefon number", ""), "0123456789");
    EXPECT_EQ(config.readString("Modem", "Initalisation string", ""),
              "&F S95=0 E0 Q0 V1 W2 &K0 M0");
    EXPECT_EQ(config.readString("Modem", "Desconnect string", ""), "H0");
    EXPECT_EQ(config.readString("Modem", "Time out bevor answer", ""), "500.000000");
    EXPECT_EQ(config.readString("File Save", "Sample Record Time", ""), "5.000000");
    EXPECT_EQ(config.readString("File Save", "Record Lap Time", ""), "0.000000");
    EXPECT_EQ(config.readString("Language", "Language", ""), "0.000000");
    EXPECT_EQ(config.readString("Spreadsheet", "Path Spreadsheet", ""), "tartempionexcel.exe");
}

TEST_F(OptionsPageTest, NoKeepsTheFileAndAnUnchangedPageAsksNothing) {
    const std::string before = readFile(t.configPath());
    {
        OptionsPage page(t.app, kPorts);
        page.combo(OptionsPage::kBauds)->setCurrentIndex(7);
        ModalDriver driver;
        driver.then<QMessageBox>([](QMessageBox* box) { press(box, "Non"); });
        page.reject();  // the close box
        EXPECT_TRUE(driver.finished());
    }
    EXPECT_EQ(readFile(t.configPath()), before);
    OptionsPage page(t.app, kPorts);
    ModalDriver driver;
    page.accept();
    QApplication::processEvents();
    EXPECT_FALSE(driver.timedOut());
    EXPECT_EQ(readFile(t.configPath()), before);
}

TEST_F(OptionsPageTest, SpreadsheetButtonsChooseOrClearTheProgram) {
    // The dialog starts in the save directory.
    const std::string program = t.app.settings().saveDirectory + "calc";
    testing::writeFile(program, "#!/bin/sh\n");
    OptionsPage page(t.app, kPorts);
    ModalDriver driver;
    QStringList filters;
    driver.then<QFileDialog>([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        testing::typeFileName(dialog, "calc");
    });
    page.button(OptionsPage::kBrowseButton)->click();
    EXPECT_TRUE(driver.finished());
    EXPECT_EQ(filters, (QStringList{"*", "*.exe"}));
    EXPECT_EQ(page.edit(OptionsPage::kSpreadsheet)->text().toStdString(), program);
    EXPECT_TRUE(page.isModified());
    page.button(OptionsPage::kClearButton)->click();
    EXPECT_EQ(page.edit(OptionsPage::kSpreadsheet)->text(), "");
    EXPECT_EQ(page.fieldSettings().spreadsheetPath, "");
}

TEST_F(OptionsPageTest, SaveAsWritesTheFieldsIntoANewCurrentFile) {
    const std::string old = t.configPath();
    const std::string before = readFile(old);
    OptionsPage page(t.app, kPorts);
    page.combo(OptionsPage::kLanguage)->setCurrentIndex(4);
    ModalDriver driver;
    driver.then<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Config File (*.Zq4xxKRw03)"});
        testing::typeFileName(dialog, "site2");
    });
    page.button(OptionsPage::kSaveAsButton)->click();
    EXPECT_TRUE(driver.finished());
    EXPECT_FALSE(page.isVisible());

    const std::string copy = t.dir.file("site2.Zq4xxKRw03");
    EXPECT_EQ(t.configPath(), copy);
    EXPECT_EQ(IniFile(copy).readString("Language", "Language", ""), "4.000000");
    EXPECT_EQ(IniFile(copy).readString("Test", "Test", ""), "Ok");  // the rest came along
    EXPECT_EQ(readFile(old), before);
}

TEST_F(OptionsPageTest, SaveAsOntoTheCurrentFileIsRefusedAndThePageClosesAsUsual) {
    OptionsPage page(t.app, kPorts);
    page.combo(OptionsPage::kBauds)->setCurrentIndex(0);
    ModalDriver driver;
    driver.then<QFileDialog>(
        [&](QFileDialog* dialog) { testing::typeFileName(dialog, "default.Zq4xxKRw03"); });
    driver.then<QMessageBox>([](QMessageBox* box) { press(box, "Oui"); });  // replace?
    driver.then<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->text().toStdString(), "Fichier source identique au fichier destination !");
        box->accept();
    });
    driver.then<QMessageBox>([](QMessageBox* box) { press(box, "Oui"); });  // save changes?
    page.button(OptionsPage::kSaveAsButton)->click();
    EXPECT_TRUE(driver.finished());
    EXPECT_FALSE(driver.timedOut());
    EXPECT_EQ(t.config().readString("Com", "Bauds", ""), "0.000000");
}

}  // namespace
}  // namespace flowcfg
