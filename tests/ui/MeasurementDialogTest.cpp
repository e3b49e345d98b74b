// The measurement page's window against flowsim: the views, the chord and trend windows live,
// a recording from the record button, and the recorded file opened through "&Ouvrir" and
// browsed.
#include "ui/MeasurementDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBarSet>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

#include "FileDialogs.h"
#include "ModalDriver.h"
#include "acquisition/MeasurementControls.h"
#include "acquisition/RecordFile.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "sim/SimTestSupport.h"
#include "ui/ChordSignalWindow.h"
#include "ui/MainWindow.h"
#include "ui/MeasurementCommands.h"
#include "ui/MeasurementViews.h"
#include "ui/TabPage.h"
#include "ui/TabPages.h"
#include "ui/TrendWindow.h"

namespace flowcfg {
namespace {

using testing::ModalDriver;
using testing::RunningSim;
using testing::TestApplication;
using D = MeasurementDialog;

constexpr int kPort = 9;

struct MeasurementSite {
    TestApplication t;
    RunningSim sim;
    explicit MeasurementSite(std::vector<std::string> args) : sim(std::move(args)) {
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

QString shown(MeasurementDialog& dialog, int controlId) {
    BoundField* field = dialog.page().table().FindField(controlId);
    return field ? QString::fromStdString(field->shownText()) : QString();
}

TEST(MeasurementDialogTest, TwoPathsLiveWithEveryViewTheChordWindowsAndTheTrend) {
    MeasurementSite site({"--pipes", "2", "--chords", "2", "3", "--modules", "1,3"});
    InstrumentLink link;
    MeasurementDialog dialog(site.t.app, link);
    ASSERT_TRUE(dialog.prepare());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Measurement");
    ASSERT_TRUE(waitFor([&] { return dialog.page().cycles() >= 3; }));

    TabPages* tabs = dialog.tabs();
    ASSERT_EQ(tabs->count(), 5);
    EXPECT_EQ(tabs->tabText(3), "Input-output 01-04");
    EXPECT_TRUE(tabs->isTabVisible(2));
    EXPECT_EQ(dialog.indicatorLabel()->text(), "");
    EXPECT_TRUE(dialog.button(D::kRecord)->isEnabled());
    EXPECT_FALSE(dialog.button(D::kNext)->isVisible());
    // Values reach the views' labels, units included.
    auto* flowA = dialog.findChild<QLabel*>(QStringLiteral("item%1").arg(mctl::kFlowA + 1));
    ASSERT_NE(flowA, nullptr);
    EXPECT_EQ(flowA->text(), shown(dialog, mctl::kFlowA));
    EXPECT_GT(flowA->text().toDouble(), 0);
    auto* unit = dialog.findChild<QLabel*>(QStringLiteral("item%1").arg(mctl::kFlowA + 2));
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->text(), "m3/h");
    EXPECT_EQ(dialog.views().inputOutputCaption(0)->text(), "01 Analog Output");
    // Path B has three chords: its third column is shown, its fourth is not.
    TabPage* pipeB = dialog.views().view(mctl::kTabPipeB);
    auto column = [&](int c) {
        return pipeB->findChild<QLabel*>(
            QStringLiteral("item%1").arg(mctl::chordField(1, c, mctl::chord::kTransitTime)));
    };
    ASSERT_NE(column(2), nullptr);
    EXPECT_FALSE(column(2)->isHidden());
    EXPECT_TRUE(column(3)->isHidden());

    // The chord windows: all four, in the 2 x 2 grid, following the traces.
    dialog.button(D::kChords)->click();
    for (auto [path, chord] : {std::pair{0, 0}, {0, 1}, {1, 0}, {1, 1}}) {
        ChordSignalWindow* window = dialog.chordWindow(path, chord);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->windowTitle().toStdString(),
                  MeasurementPage::ChordWindowTitle(path, chord));
    }
    EXPECT_EQ(dialog.chordWindow(0, 1)->x() - dialog.chordWindow(0, 0)->x(),
              ChordSignalWindow::kWidth);
    EXPECT_GT(dialog.chordWindow(1, 0)->y(), dialog.chordWindow(0, 0)->y());
    const int cycles = dialog.page().cycles();
    ASSERT_TRUE(waitFor([&] { return dialog.page().cycles() >= cycles + 2; }));
    ChordSignalWindow* qbC2 = dialog.chordWindow(1, 1);
    const ChordSignalTrace& trace = dialog.page().trace(1, 1);
    EXPECT_EQ(qbC2->transitTimeSeries()->count(), int(trace.transitTime().size()));
    const ChordSignalTrace::Range range = trace.transitTimeRange();
    EXPECT_DOUBLE_EQ(qbC2->transitTimeAxis()->min(), range.low);
    EXPECT_LE(qbC2->transitTimeAxis()->max(), std::max(range.high, range.low + 0.1));
    EXPECT_NEAR(std::fmod(std::abs(range.low) * 10 + 1e-6, 1.0), 0, 1e-5);
    EXPECT_TRUE(qbC2->waterTemperature()->text().contains("°C"));

    // The trend window: shown by its button to the right of the page, the flows plotted.
    dialog.button(D::kTrend)->click();
    TrendWindow* trend = dialog.trendWindow();
    ASSERT_NE(trend, nullptr);
    EXPECT_TRUE(trend->isVisible());
    EXPECT_GT(trend->x(), dialog.x());
    const int before = trend->series(TrendHistory::kQA)->count();
    ASSERT_TRUE(waitFor([&] { return trend->series(TrendHistory::kQA)->count() > before; }));
    EXPECT_EQ(trend->series(TrendHistory::kQB)->count(), trend->series(TrendHistory::kQA)->count());
    EXPECT_EQ(trend->profile(0)->count(), MeasurementBlocks::kProfilePoints);
    // Each axis fits its own series: the velocities (about 0.5 m/s) are not drawn on the scale
    // of the flows (a few hundred m3/h).
    const double velocity = trend->series(TrendHistory::kVelocityA)->at(0).y();
    EXPECT_LE(trend->velocityAxis()->min(), velocity);
    EXPECT_GE(trend->velocityAxis()->max(), velocity);
    EXPECT_LT(trend->velocityAxis()->max() - trend->velocityAxis()->min(), 5.0);
    const double flow = trend->series(TrendHistory::kQT)->at(0).y();
    EXPECT_LE(trend->flowAxis()->min(), flow);
    EXPECT_GE(trend->flowAxis()->max(), flow);
    dialog.button(D::kTrend)->click();
    EXPECT_FALSE(trend->isVisible());

    dialog.close();
    EXPECT_FALSE(link.IsPolling());
}

TEST(MeasurementDialogTest, OnePathRecordsFromTheButtonAndOpenBrowsesTheFile) {
    MeasurementSite site({"--pipes", "1"});
    MainWindow window(site.t.app);
    MeasurementCommands commands(window);
    EXPECT_TRUE(window.canRun(MenuCommand::DialMesure));
    const std::string target = site.t.dir.file("site.mes");

    // "&Mesure": record three samples through the save dialog, then close the page.
    bool checked = false;
    ModalDriver driver;
    QTimer player;
    int step = 0;
    QObject::connect(&player, &QTimer::timeout, [&] {
        auto* d = qobject_cast<MeasurementDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        MeasurementPage& page = d->page();
        if (step == 0 && page.cycles() >= 1) {
            EXPECT_EQ(d->tabs()->isTabVisible(2), false);  // one path: no Pipe B
            ++step;
            driver.then<QFileDialog>(
                [&](QFileDialog* f) { testing::typeFileName(f, QString::fromStdString(target)); });
            QTimer::singleShot(0, d->button(D::kRecord), &QPushButton::click);
        } else if (step == 1 && page.sampleCounter() >= 3) {
            checked = d->statusLabel()->text().startsWith("Record ");
            d->button(D::kRecord)->click();
            ++step;
            d->close();
        }
    });
    player.start(20);
    window.runCommand(MenuCommand::DialMesure);
    player.stop();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(driver.finished());
    EXPECT_FALSE(window.link().IsPolling());
    RecordFile file;
    ASSERT_EQ(file.open(target, RecordFile::Mode::Read), RecordStatus::Ok);
    const int samples = (file.count() - int(kMeasurementParameterOrder.size())) /
                        int(kMeasurementCycleOrder.size());
    EXPECT_GE(samples, 3);

    // "&Ouvrir" on the file: the page shows its first sample; the browsing buttons follow.
    std::vector<QString> statuses;
    std::vector<std::array<bool, 4>> enabled;
    ModalDriver opening;
    opening.then<QFileDialog>(
        [&](QFileDialog* f) { testing::typeFileName(f, QString::fromStdString(target)); });
    QTimer browser;
    QObject::connect(&browser, &QTimer::timeout, [&] {
        auto* d = qobject_cast<MeasurementDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        auto state = [&] {
            statuses.push_back(d->statusLabel()->text());
            enabled.push_back({d->button(D::kFirst)->isEnabled(),
                               d->button(D::kPrevious)->isEnabled(),
                               d->button(D::kNext)->isEnabled(), d->button(D::kLast)->isEnabled()});
        };
        state();
        d->button(D::kNext)->click();
        state();
        d->button(D::kLast)->click();
        state();
        EXPECT_FALSE(d->button(D::kRecord)->isVisible());
        EXPECT_TRUE(d->button(D::kExport)->isEnabled());
        EXPECT_TRUE(d->windowTitle().contains("site.mes"));
        d->close();
    });
    browser.start(20);
    window.runCommand(MenuCommand::Ouvrir);
    browser.stop();
    const QString n = QString::number(samples);
    EXPECT_EQ(statuses, (std::vector<QString>{"Record 1 / " + n, "Record 2 / " + n,
                                              "Record " + n + " / " + n}));
    EXPECT_EQ(enabled, (std::vector<std::array<bool, 4>>{{false, false, true, true},
                                                         {true, true, true, true},
                                                         {true, true, false, false}}));
}

}  // namespace
}  // namespace flowcfg
