// The factory test's window: "&Test KVN" opens it with the stored fields, Start stores the
// fields as they stand and runs the test, and a step that fails is marked in the list and named
// in a message, with "JBus" as it was.
#include "ui/TestKvnDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

#include "ModalDriver.h"
#include "common/TestApplication.h"
#include "ui/MainWindow.h"
#include "ui/TestKvnCommands.h"

namespace flowcfg {
namespace {

using testing::ModalDriver;
using testing::TestApplication;
using D = TestKvnDialog;

TEST(TestKvnDialogTest, OpensWithTheStoredFieldsStoresThemAtStartAndMarksTheStepThatFailed) {
    TestApplication t;
    IniFile config = t.config();
    config.writeReal("Language", "Language", 1);  // English
    config.writeReal("Com", "JBus", 3);
    config.writeString("Test", "Path Test Parametrage", t.dir.file("missing.eta"));
    config.writeString("Test", "Path Test Save", t.dir.path());
    config.writeReal("Test", "Num serie", 24);
    config.writeReal("Test", "Num serie suite suite", 42);
    config.writeString("Test", "Nom controleur", "Anne");
    config.writeString("Spreadsheet", "Path Macro TEST", "/macros/test.xlsm");

    // "&Test KVN" of the main window opens the window with the stored fields.
    MainWindow window(t.app);
    TestKvnCommands commands(window);
    ModalDriver driver;
    driver.then<D>([](D* dialog) {
        EXPECT_EQ(dialog->pathEdit(D::kSettingsFile)->text().toStdString(),
                  IniFile(dialog->config()).readString("Test", "Path Test Parametrage", ""));
        EXPECT_EQ(dialog->serialPart(0)->value(), 24);
        EXPECT_EQ(dialog->serialPart(2)->value(), 42);
        EXPECT_EQ(dialog->controllerEdit()->text(), "Anne");
        EXPECT_EQ(dialog->pathEdit(D::kMacro)->text(), "/macros/test.xlsm");
        EXPECT_EQ(dialog->windowTitle(), "KVN Test");
        dialog->cancel();
    });
    window.actionFor(MenuCommand::DialTest)->trigger();
    EXPECT_TRUE(driver.finished());
    EXPECT_FALSE(driver.timedOut());

    // Start: the settings file cannot be read, the test stops there and says so.
    D dialog(t.app, window.link());
    dialog.controllerEdit()->setText("Bea");
    std::vector<std::string> messages;
    ModalDriver boxes;
    for (int k = 0; k < 2; ++k)
        boxes.then<QMessageBox>([&messages](QMessageBox* box) {
            messages.push_back(box->text().toStdString());
            box->accept();
        });
    const TestResult result = dialog.start();
    EXPECT_TRUE(boxes.finished());
    EXPECT_EQ(result.outcome, TestOutcome::Failed);
    EXPECT_EQ(result.stoppedAt, TestStep::SettingsFile);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "Incorrect File");
    EXPECT_EQ(messages[1], "The test stopped at: Settings : missing.eta");
    ASSERT_EQ(dialog.stepList()->count(), 1);
    EXPECT_EQ(dialog.stepList()->item(0)->text(), "Settings : missing.eta   Failed");
    EXPECT_TRUE(dialog.startButton()->isEnabled());
    EXPECT_EQ(config.readString("Test", "Nom controleur", ""), "Bea");
    EXPECT_EQ(config.readReal("Com", "JBus", -1), 3);
}

}  // namespace
}  // namespace flowcfg
