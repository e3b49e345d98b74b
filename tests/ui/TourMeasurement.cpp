// The screenshot tour of the measurement page: its five views, the chord signal windows and the
// trend window, live against flowsim and from a recording made on the way.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "Screenshot.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "sim/SimTestSupport.h"
#include "ui/ChordSignalWindow.h"
#include "ui/MeasurementDialog.h"
#include "ui/TabPages.h"
#include "ui/TrendWindow.h"

namespace flowcfg {
namespace {

using testing::RunningSim;
using testing::Screenshot;
using testing::TestApplication;

const char* const kViews[] = {"general", "pipe-a", "pipe-b", "input-output", "function"};

void settle(int ms = 30) {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QTest::qWait(ms / 3 + 1);
    }
}

void shoot(QWidget& window, const std::string& name) {
    settle();
    Screenshot shot(&window);
    EXPECT_GT(Screenshot::colourCount(shot.save(name)), 8) << name;
}

bool waitFor(const std::function<bool()>& done, int ms = 20000) {
    for (int waited = 0; waited < ms && !done(); waited += 10)
        QTest::qWait(10);
    return done();
}

// Every view, the chord windows the instrument has and the trend window of `dialog`.
void shootPage(MeasurementDialog& dialog, const std::string& prefix,
               const std::function<void()>& advance) {
    TabPages* tabs = dialog.tabs();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        shoot(dialog, prefix + "-" + kViews[tab]);
    }
    tabs->setCurrentIndex(0);
    dialog.showChordWindows();
    dialog.toggleTrendWindow();
    advance();
    for (auto [path, chord] : dialog.page().ChordWindows()) {
        std::string title = MeasurementPage::ChordWindowTitle(path, chord);
        for (char& c : title)
            c = c == ' ' ? '-' : char(std::tolower(static_cast<unsigned char>(c)));
        shoot(*dialog.chordWindow(path, chord), prefix + "-" + title);
    }
    shoot(*dialog.trendWindow(), prefix + "-trend");
}

TEST(TourMeasurement, ViewsChordWindowsAndTrendLiveThenFromTheRecording) {
    TestApplication t;
    RunningSim sim({"--pipes", "2", "--chords", "2", "3", "--modules", "1,3,2,4"});
    PortTable table;
    table.Assign(9, sim.path());
    PortTable::Install(table);
    IniFile config = t.config();
    config.writeReal("Com", "Port", 8);
    config.writeReal("Com", "Bauds", 5);
    config.writeReal("Com", "JBus", 1);
    config.writeReal("Language", "Language", 1);  // English
    const std::string recording = t.dir.file("tour.mes");
    {
        InstrumentLink link;
        MeasurementDialog dialog(t.app, link);
        ASSERT_TRUE(dialog.prepare());
        dialog.move(40, 40 + Screenshot::kTitleHeight);
        dialog.show();
        ASSERT_TRUE(waitFor([&] { return dialog.page().cycles() >= 2; }));
        dialog.page().setRecordPath(recording);
        dialog.page().ToggleRecording();
        shootPage(dialog, "measurement-en", [&] {
            const int cycles = dialog.page().cycles();
            ASSERT_TRUE(waitFor([&] { return dialog.page().cycles() >= cycles + 8; }));
        });
        dialog.page().ToggleRecording();
        dialog.close();
    }
    InstrumentLink link;
    MeasurementDialog dialog(t.app, link);
    ASSERT_TRUE(dialog.prepare(recording));
    dialog.move(40, 40 + Screenshot::kTitleHeight);
    dialog.show();
    ASSERT_GE(dialog.page().sampleCount(), 4);
    dialog.page().ShowSample(1);
    shootPage(dialog, "measurement-en-file", [&] {
        for (int k = 2; k < dialog.page().sampleCount(); ++k)
            dialog.page().ShowNext();
    });
    dialog.close();
}

}  // namespace
}  // namespace flowcfg
