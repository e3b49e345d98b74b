// The screenshot tour of the logger page: its window live against flowsim (waiting for a
// download and in the middle of one), the loading options and the macro dialog of the export.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "Screenshot.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "sim/SimTestSupport.h"
#include "ui/LoggerDialog.h"
#include "ui/LoggerLoadingWindow.h"
#include "ui/MacroPathDialog.h"
#include "ui/PageDialog.h"

namespace flowcfg {
namespace {

using testing::RunningSim;
using testing::Screenshot;
using testing::TestApplication;

const char* const kLanguages[] = {"fr", "en", "pt", "de", "es"};

void settle(int ms = 20) {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QTest::qWait(ms / 3 + 1);
    }
}

void shoot(QWidget& window, const std::string& name) {
    settle();
    Screenshot shot(&window);
    shot.addOpenPopups();
    EXPECT_GT(Screenshot::colourCount(shot.save(name)), 8) << name;
}

bool waitFor(const std::function<bool()>& done, int ms = 20000) {
    for (int waited = 0; waited < ms && !done(); waited += 10)
        QTest::qWait(10);
    return done();
}

class TourLogger : public ::testing::Test {
protected:
    TestApplication t;
    std::unique_ptr<RunningSim> sim;

    void startSim(std::vector<std::string> args) {
        sim = std::make_unique<RunningSim>(std::move(args));
        PortTable table;
        table.Assign(9, sim->path());
        PortTable::Install(table);
        IniFile config = t.config();
        config.writeReal("Com", "Port", 8);
        config.writeReal("Com", "Bauds", 5);
        config.writeReal("Com", "JBus", 1);
    }
    void useLanguage(int code) { t.config().writeReal("Language", "Language", code - 1); }
};

TEST_F(TourLogger, LoggerPageInEveryLanguageAndDuringADownload) {
    startSim({"--logger-params", "4", "--logger-records", "6000", "--pace", "38400"});
    // The download comes last, in English: a page opened right after a stopped download would
    // meet the rest of the simulator's last answer on the line.
    for (int code : {1, 3, 4, 5, 2}) {
        useLanguage(code);
        InstrumentLink link;
        LoggerDialog dialog(t.app, link);
        ASSERT_TRUE(dialog.prepare());
        dialog.move(40, 40 + Screenshot::kTitleHeight);
        dialog.show();
        ASSERT_TRUE(waitFor([&] { return dialog.page().stateShown(); }));
        shoot(dialog, std::string("logger-") + kLanguages[code - 1]);
        if (code != 2) continue;
        ASSERT_EQ(dialog.page().StartDownload(t.dir.file("tour.log")), 0);
        ASSERT_TRUE(waitFor([&] { return dialog.page().download().recordsLoaded() >= 1500; }));
        shoot(dialog, "logger-en-download");
        dialog.page().DownloadCommand();  // stop
    }
}

TEST_F(TourLogger, LoadingOptionsAndMacroDialog) {
    for (int code : {1, 2}) {
        useLanguage(code);
        PageDialog page(t.app);
        LoggerLoadingWindow loading(page, nullptr);
        loading.choice()->setCurrentIndex(1);
        loading.move(60, 60 + Screenshot::kTitleHeight);
        loading.show();
        shoot(loading, std::string("logger-") + kLanguages[code - 1] + "-loading");

        MacroPathDialog macro(page, nullptr);
        macro.prepare(page.text(220), page.text(498), "/home/tech/macros/logger.xls");
        macro.move(60, 60 + Screenshot::kTitleHeight);
        macro.show();
        shoot(macro, std::string("export-") + kLanguages[code - 1] + "-macro");
    }
}

}  // namespace
}  // namespace flowcfg
