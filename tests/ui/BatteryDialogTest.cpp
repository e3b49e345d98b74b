// The battery page's window: live against flowsim, and on a recorded file through the main
// window's "&Batterie" and "&Ouvrir".
#include "ui/BatteryDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineSeries>
#include <QTest>
#include <QTimer>

#include "acquisition/RecordFileTestSupport.h"
#include "common/RecordingPrintDevice.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "sim/SimTestSupport.h"
#include "ui/BatteryCommands.h"
#include "ui/MainWindow.h"

namespace flowcfg {
namespace {

using testing::RunningSim;
using testing::TestApplication;

constexpr int kPort = 9;

struct BatterySite {
    TestApplication t;
    RunningSim sim{{}};
    BatterySite() {
        PortTable table;
        table.Assign(kPort, sim.path());
        PortTable::Install(table);
        IniFile config = t.config();
        config.writeString("Ports", "COM9", sim.path());  // the main window's port table
        config.writeReal("Com", "Port", kPort - 1);
        config.writeReal("Com", "Bauds", 5);
        config.writeReal("Com", "JBus", 1);
        config.writeReal("Language", "Language", 1);  // English
    }
};

bool waitFor(const std::function<bool()>& done, int ms = 20000) {
    for (int waited = 0; waited < ms && !done(); waited += 10)
        QTest::qWait(10);
    return done();
}

QString shown(BatteryDialog& dialog, const std::string& caption) {
    QLabel* label = dialog.valueLabel(caption);
    return label ? label->text() : QStringLiteral("(none)");
}

// Block 0xFE00 of a reading with the given counter and VSB.
std::string reading(int counter, int vsb) {
    std::string b(46, '\0');
    const char date[] = {26, 12, 8, 10, 20, char(4 * counter % 60)};
    std::copy(date, date + 6, b.begin());
    b[12] = char(counter >> 8), b[13] = char(counter);
    b[17] = char(0x4F);
    b[36] = char(vsb >> 8), b[37] = char(vsb);
    b[40] = 0, b[41] = char(90 - counter);
    return b;
}

TEST(BatteryDialogTest, LiveReadingsFillTheRegistersAndTheChart) {
    BatterySite site;
    InstrumentLink link;
    BatteryDialog dialog(site.t.app, link);
    ASSERT_TRUE(dialog.prepare());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Battery gauge");
    EXPECT_TRUE(dialog.button(BatteryDialog::kRecord)->isVisible());
    EXPECT_FALSE(dialog.button(BatteryDialog::kExport)->isVisible());
    // flowsim makes a reading every 4 s: two of them, each once in the chart.
    ASSERT_TRUE(waitFor([&] { return dialog.page().readings() >= 2; }));
    EXPECT_EQ(dialog.chargeSeries()->count(), int(dialog.page().readings()));
    EXPECT_EQ(dialog.vsbSeries()->count(), dialog.chargeSeries()->count());
    EXPECT_TRUE(shown(dialog, "VSB (V)").startsWith("3.7"))
        << shown(dialog, "VSB (V)").toStdString();
    EXPECT_EQ(shown(dialog, "T"), "20°C < T < 30°C");
    EXPECT_EQ(shown(dialog, "READY"), "1");
    EXPECT_TRUE(dialog.button(BatteryDialog::kRecord)->isEnabled());
    dialog.done(QDialog::Accepted);
    EXPECT_FALSE(link.IsPolling());
}

TEST(BatteryDialogTest, MenuEntryAndBatteryFilesOfOpen) {
    BatterySite site;
    MainWindow window(site.t.app);
    BatteryCommands commands(window);
    EXPECT_TRUE(window.canRun(MenuCommand::DialBq2014));

    const std::string file = site.t.dir.file("pack.bq");
    testing::writeFile(file,
                       testing::recordFileOf("Battery gauge\nZq4xxKRw 03\n0\n",
                                             {reading(1, 400), reading(2, 398), reading(3, 395)}));
    std::vector<QString> vsb;
    int points = -1;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto* d = qobject_cast<BatteryDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        driver.stop();
        points = d->chargeSeries()->count();
        vsb.push_back(shown(*d, "VSB (V)"));
        EXPECT_FALSE(d->button(BatteryDialog::kPrevious)->isEnabled());
        d->button(BatteryDialog::kNext)->click();
        vsb.push_back(shown(*d, "VSB (V)"));
        d->button(BatteryDialog::kLast)->click();
        vsb.push_back(shown(*d, "VSB (V)"));
        EXPECT_FALSE(d->button(BatteryDialog::kNext)->isEnabled());
        EXPECT_TRUE(d->button(BatteryDialog::kExport)->isEnabled());
        EXPECT_EQ(shown(*d, "T"), "0°C < T < 10°C");
        d->close();
    });
    driver.start(20);
    commands.run(file);
    EXPECT_EQ(points, 3);
    EXPECT_EQ(vsb, (std::vector<QString>{"3.750", "3.731", "3.703"}));
}

TEST(BatteryDialogTest, PrintPrintsTheReadingShownWithTheBoardAndTheNote) {
    BatterySite site;
    const std::string file = site.t.dir.file("pack.bq");
    testing::writeFile(file, testing::recordFileOf("Battery gauge\nZq4xxKRw 03\n0\n",
                                                   {reading(1, 400), reading(2, 398)}));
    InstrumentLink link;
    BatteryDialog dialog(site.t.app, link);
    ASSERT_TRUE(dialog.prepare(file));
    QPushButton* print = dialog.button(BatteryDialog::kPrint);
    EXPECT_EQ(print->text(), "Print");
    ASSERT_TRUE(print->isEnabled());
    dialog.button(BatteryDialog::kNext)->click();
    testing::RecordingPrinters printers;
    dialog.setPrinters(&printers);
    print->click();
    ASSERT_EQ(printers.dialogs, 1);
    const testing::RecordingPrintDevice& printed = *printers.last;
    EXPECT_TRUE(printed.ended);
    EXPECT_EQ(printed.documentName.rfind(dialog.windowTitle().toStdString(), 0), 0u);
    for (const char* text :
         {"Board Serial Nbr.", "VSB (V)", "3.731", "TOP OF CHARGE", BatteryGaugePage::kEdv1Note})
        EXPECT_FALSE(printed.find(text).empty()) << text;
    EXPECT_TRUE(printed.find("3.750").empty());  // the first reading is not the one shown
}

}  // namespace
}  // namespace flowcfg
