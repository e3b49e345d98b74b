// The logger page's window against flowsim: the download from the record button through the
// options dialog and the save dialog, and the main window's "&Logger" and "&Ouvrir".
#include "ui/LoggerDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "FileDialogs.h"
#include "ModalDriver.h"
#include "common/RecordingPrintDevice.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "sim/SimTestSupport.h"
#include "ui/LoggerCommands.h"
#include "ui/LoggerLoadingWindow.h"
#include "ui/MacroPathDialog.h"
#include "ui/MainWindow.h"

namespace flowcfg {
namespace {

using testing::ModalDriver;
using testing::readFile;
using testing::RunningSim;
using testing::TestApplication;

constexpr int kPort = 9;

struct LoggerSite {
    TestApplication t;
    RunningSim sim;
    explicit LoggerSite(std::vector<std::string> args) : sim(std::move(args)) {
        PortTable table;
        table.Assign(kPort, sim.path());
        PortTable::Install(table);
        IniFile config = t.config();
        config.writeString("Ports", "COM9", sim.path());  // the main window's port table
        config.writeReal("Com", "Port", kPort - 1);
        config.writeReal("Com", "Bauds", 5);
        config.writeReal("Com", "JBus", 1);
        config.writeReal("Language", "Language", 1);  // English
        AcquisitionPage::LastSaveDirectory().clear();
    }
};

bool waitFor(const std::function<bool()>& done, int ms = 20000) {
    for (int waited = 0; waited < ms && !done(); waited += 10)
        QTest::qWait(10);
    return done();
}

TEST(LoggerDialogTest, TheRecordButtonDownloadsIntoTheChosenFileAndTheWindowCloses) {
    LoggerSite site({"--logger-params", "2", "--logger-records", "400"});
    InstrumentLink link;
    LoggerDialog dialog(site.t.app, link);
    ASSERT_TRUE(dialog.prepare());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Logger");
    ASSERT_TRUE(waitFor([&] { return dialog.recordButton()->isEnabled(); }));
    EXPECT_EQ(dialog.page().fieldText(lctl::kWritten), "400");
    EXPECT_EQ(dialog.page().fieldText(lctl::kRange), "4 m, 14 d, 21 h ");  // 20 000 x 10 min

    ModalDriver driver;
    std::vector<bool> pickersShown;
    driver.then<LoggerLoadingWindow>([&](LoggerLoadingWindow* w) {
        pickersShown.push_back(w->datePicker()->isVisible());
        w->choice()->setCurrentIndex(1);  // "From . . ."
        pickersShown.push_back(w->datePicker()->isVisible());
        w->choice()->setCurrentIndex(0);  // "All"
        w->accept();
    });
    const QString target = QString::fromStdString(site.t.dir.file("site logger"));
    driver.then<QFileDialog>([&](QFileDialog* d) { testing::typeFileName(d, target); });
    QTimer::singleShot(0, dialog.recordButton(), &QPushButton::click);
    ASSERT_TRUE(waitFor([&] { return !dialog.isVisible(); }));
    EXPECT_TRUE(driver.finished());
    EXPECT_FALSE(driver.timedOut());
    EXPECT_EQ(pickersShown, (std::vector<bool>{false, true}));
    EXPECT_EQ(dialog.page().lastAction(), LoggerDownload::Action::Finished);
    const std::string text = readFile(site.t.dir.file("site logger.log"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 401);
    EXPECT_EQ(dialog.progressBar()->value(), 400);
    EXPECT_EQ(dialog.page().fieldText(lctl::kLoaded), "400");
    EXPECT_FALSE(link.IsPolling());
}

TEST(LoggerDialogTest, PrintPrintsTheLoggerStateOnceItIsRead) {
    LoggerSite site({"--logger-params", "3", "--logger-records", "250"});
    InstrumentLink link;
    LoggerDialog dialog(site.t.app, link);
    ASSERT_TRUE(dialog.prepare());
    dialog.show();
    EXPECT_EQ(dialog.printButton()->text(), "Print");
    ASSERT_TRUE(waitFor([&] { return dialog.printButton()->isEnabled(); }));
    testing::RecordingPrinters printers;
    dialog.setPrinters(&printers);
    dialog.printButton()->click();
    ASSERT_EQ(printers.dialogs, 1);
    const testing::RecordingPrintDevice& printed = *printers.last;
    EXPECT_TRUE(printed.ended);
    EXPECT_EQ(printed.documentName.rfind("Logger ", 0), 0u);
    for (const char* text : {"State", "Nbr. of parameters", "3", "Nb. written record", "250",
                             "Logger range", "Loading", "Nb. record loaded"})
        EXPECT_FALSE(printed.find(text).empty()) << text;
    EXPECT_TRUE(dialog.isVisible());
}

TEST(LoggerDialogTest, LoggerMenuEntryAndLogFilesOfOpen) {
    LoggerSite site({});
    site.t.config().writeString("Spreadsheet", "Path Spreadsheet", "");
    MainWindow window(site.t.app);
    LoggerCommands commands(window);
    EXPECT_TRUE(window.canRun(MenuCommand::DialLogger));

    // "&Logger": the page opens on the instrument; its close box ends it.
    bool seen = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* d = qobject_cast<LoggerDialog*>(QApplication::activeModalWidget());
        if (d && d->page().stateShown()) {
            seen = true;
            d->close();
        }
    });
    closer.start(20);
    window.runCommand(MenuCommand::DialLogger);
    closer.stop();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(window.link().IsPolling());

    // A ".log" file goes to the spreadsheet program (none configured: nothing starts) and the
    // page does not stay open.
    const std::string log = site.t.dir.file("old.log");
    testing::writeFile(log, LoggerLines(LanguageTable::English, '.').header(1));
    LoggerCommands direct(window);
    EXPECT_EQ(direct.run(log), QDialog::Rejected);
}

}  // namespace
}  // namespace flowcfg
