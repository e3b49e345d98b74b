// The test bench page's window against flowsim: "&SPI" on the first frame block, the block
// chosen in the window, a recording from the record button, and the recording opened through
// "&Ouvrir" and browsed, its delta-T plotted for every frame.
#include "ui/TestBenchDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "FileDialogs.h"
#include "ModalDriver.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "sim/SimTestSupport.h"
#include "ui/MainWindow.h"
#include "ui/TestBenchCommands.h"

namespace flowcfg {
namespace {

using testing::ModalDriver;
using testing::RunningSim;
using testing::TestApplication;
using D = TestBenchDialog;

TEST(TestBenchDialogTest, SpiReadsTheChosenBlockRecordsAndOpenBrowsesTheFrames) {
    TestApplication t;
    RunningSim sim({});
    PortTable ports;
    ports.Assign(9, sim.path());
    PortTable::Install(ports);
    IniFile config = t.config();
    config.writeString("Ports", "COM9", sim.path());  // the main window's port table
    config.writeReal("Com", "Port", 8);
    config.writeReal("Com", "Bauds", 5);
    config.writeReal("Com", "JBus", 1);
    config.writeReal("Language", "Language", 1);  // English
    AcquisitionPage::LastSaveDirectory().clear();
    MainWindow window(t.app);
    TestBenchCommands commands(window);
    ASSERT_TRUE(window.canRun(MenuCommand::DialTrameSpi));
    const std::string target = t.dir.file("bench.trameSpi");

    // "&SPI": frames of 0xF100, then 0xF200 chosen in the window, recorded from the button.
    std::vector<int> blocks;
    int plotted = 0, recorded = 0;
    QString identity;
    ModalDriver driver;
    QTimer player;
    int step = 0;
    QObject::connect(&player, &QTimer::timeout, [&] {
        auto* d = qobject_cast<TestBenchDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        TestBenchPage& page = d->page();
        if (page.frames() < 3) return;
        if (step == 0) {
            blocks.push_back(page.frameBlock());
            EXPECT_EQ(d->blockChoice()->currentText(), "0xF100");
            ++step;
            d->chooseBlock(TestBenchPage::kSecondFrameBlock);
        } else if (step == 1) {
            blocks.push_back(page.frameBlock());
            EXPECT_EQ(d->blockChoice()->currentText(), "0xF200");
            plotted = d->deltaTSeries(0)->count();
            EXPECT_EQ(plotted, int(page.deltaTHistory().size()));
            identity =
                d->findChild<QLabel*>(QStringLiteral("item%1").arg(tbctl::kTimingSoftware + 1))
                    ->text();
            ++step;
            driver.then<QFileDialog>(
                [&](QFileDialog* f) { testing::typeFileName(f, QString::fromStdString(target)); });
            QTimer::singleShot(0, d->button(D::kRecord), &QPushButton::click);
        } else if (step == 2 && page.sampleCounter() >= 3) {
            EXPECT_FALSE(d->blockChoice()->isEnabled());  // a recording keeps its block
            EXPECT_TRUE(d->statusLabel()->text().startsWith("Record "));
            d->button(D::kRecord)->click();
            recorded = page.sampleCounter();
            ++step;
            d->close();
        }
    });
    player.start(20);
    window.runCommand(MenuCommand::DialTrameSpi);
    player.stop();
    EXPECT_EQ(blocks, (std::vector<int>{0xF100, 0xF200}));
    EXPECT_GE(plotted, 3);
    EXPECT_EQ(identity, "TDC-1.04");
    EXPECT_TRUE(driver.finished());
    EXPECT_GE(recorded, 3);
    EXPECT_FALSE(window.link().IsPolling());

    // "&Ouvrir" on the recording: the first frame, every frame plotted, the browsing buttons.
    std::vector<QString> statuses;
    int filePlotted = 0;
    ModalDriver opening;
    opening.then<QFileDialog>(
        [&](QFileDialog* f) { testing::typeFileName(f, QString::fromStdString(target)); });
    QTimer browser;
    QObject::connect(&browser, &QTimer::timeout, [&] {
        auto* d = qobject_cast<TestBenchDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        filePlotted = d->deltaTSeries(5)->count();
        statuses.push_back(d->statusLabel()->text());
        d->button(D::kLast)->click();
        statuses.push_back(d->statusLabel()->text());
        EXPECT_FALSE(d->button(D::kRecord)->isVisible());
        EXPECT_FALSE(d->blockChoice()->isVisible());
        EXPECT_TRUE(d->button(D::kExport)->isEnabled());
        EXPECT_FALSE(d->button(D::kNext)->isEnabled());
        EXPECT_TRUE(d->windowTitle().contains("bench.trameSpi"));
        d->close();
    });
    browser.start(20);
    window.runCommand(MenuCommand::Ouvrir);
    browser.stop();
    EXPECT_TRUE(opening.finished());
    const QString n = QString::number(recorded);
    EXPECT_EQ(statuses, (std::vector<QString>{"Record 1 / " + n, "Record " + n + " / " + n}));
    EXPECT_EQ(filePlotted, recorded);
}

}  // namespace
}  // namespace flowcfg
