// The screenshot tour of the test bench page: its window live against flowsim in every
// language, and a recording of its frames shown in file mode; the factory test's window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "Screenshot.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "sim/SimTestSupport.h"
#include "ui/TestBenchDialog.h"
#include "ui/TestKvnDialog.h"

namespace flowcfg {
namespace {

using testing::RunningSim;
using testing::Screenshot;
using testing::TestApplication;

const char* const kLanguages[] = {"fr", "en", "pt", "de", "es"};

void shoot(QWidget& window, const std::string& name) {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QTest::qWait(7);
    }
    Screenshot shot(&window);
    EXPECT_GT(Screenshot::colourCount(shot.save(name)), 8) << name;
}

bool waitFor(const std::function<bool()>& done, int ms = 20000) {
    for (int waited = 0; waited < ms && !done(); waited += 10)
        QTest::qWait(10);
    return done();
}

TEST(TourTestBench, TestBenchPageInEveryLanguageAndARecordingInFileMode) {
    TestApplication t;
    RunningSim sim({"--chords", "4", "2"});
    PortTable table;
    table.Assign(9, sim.path());
    PortTable::Install(table);
    IniFile config = t.config();
    config.writeReal("Com", "Port", 8);
    config.writeReal("Com", "Bauds", 5);
    config.writeReal("Com", "JBus", 1);
    const std::string recording = t.dir.file("tour.trameSpi");
    for (int code : {1, 3, 4, 5, 2}) {
        config.writeReal("Language", "Language", code - 1);
        InstrumentLink link;
        TestBenchDialog dialog(t.app, link);
        ASSERT_TRUE(dialog.prepare());
        dialog.move(40, 40 + Screenshot::kTitleHeight);
        dialog.show();
        if (code == 2) dialog.page().StartAutomaticRecording(1, 0, recording);
        ASSERT_TRUE(waitFor([&] { return dialog.page().frames() >= 12; }));
        shoot(dialog, std::string("spi-") + kLanguages[code - 1]);
    }
    InstrumentLink link;
    TestBenchDialog viewer(t.app, link);
    ASSERT_TRUE(viewer.prepare(recording));
    viewer.move(40, 40 + Screenshot::kTitleHeight);
    viewer.show();
    viewer.page().ShowSample(3);
    shoot(viewer, "spi-en-file");
}

TEST(TourTestBench, FactoryTestWindowWithItsFields) {
    TestApplication t;
    IniFile config = t.config();
    config.writeReal("Language", "Language", 1);  // English
    TestSettings settings;
    settings.settingsFile = "/data/test/RT7.eta";
    settings.specialFile = "/data/test/RT7.rsp";
    settings.factoryFile = "/data/test/RT7.rus";
    settings.functionFile = "/data/test/RT7.fct";
    settings.saveDirectory = "/data/test/results";
    settings.macro = "/data/test/macroTest.xlsm";
    settings.serial = 24;
    settings.serialNext = 7;
    settings.serialLast = 42;
    settings.controller = "Anne";
    settings.Save(config);
    InstrumentLink link;
    TestKvnDialog dialog(t.app, link);
    dialog.move(40, 40 + Screenshot::kTitleHeight);
    dialog.show();
    shoot(dialog, "testkvn-en");
}

}  // namespace
}  // namespace flowcfg
