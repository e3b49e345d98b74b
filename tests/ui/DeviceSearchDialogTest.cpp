// The search dialog against simulated instruments: what it shows while it searches and when it
// is done.
#include "ui/DeviceSearchDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "link/PtyPair.h"
#include "sim/SimTestSupport.h"
#include "ui/CButtonKV.h"
#include "ui/CComboKV.h"
#include "ui/CEditKV.h"
#include "ui/OptionsPage.h"

namespace flowcfg {
namespace {

using testing::PtyPair;
using testing::RunningSim;
using testing::TestApplication;

// Notes each new text of the second line while the dialog runs, and presses Ok once it shows.
class Watcher {
public:
    explicit Watcher(DeviceSearchDialog& dialog) : dialog_(dialog) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(0);
    }
    std::vector<std::string> lines;
    bool okSeen = false;

private:
    void poll() {
        const std::string text = dialog_.secondLine()->text().toStdString();
        if (!text.empty() && (lines.empty() || lines.back() != text)) lines.push_back(text);
        if (dialog_.okButton()->isVisible() && dialog_.isVisible() && !okSeen) {
            okSeen = true;
            QTimer::singleShot(0, dialog_.okButton(), &QPushButton::click);
        }
    }
    DeviceSearchDialog& dialog_;
    QTimer timer_;
};

TEST(DeviceSearchDialogTest, ShowsEachTryAndFindsTheInstrumentOnTheSecondPort) {
    TestApplication t;
    PtyPair empty;
    RunningSim sim({"--baud", "9600", "--slave", "7"});
    PortTable table;
    table.Assign(1, empty.path());
    table.Assign(3, sim.path());
    PortTable::Install(table);

    InstrumentLink link;
    link.SetAnswerTimeout(150);
    DeviceSearchDialog dialog(t.app, link, 0xFF00, 32, 1, 8);
    Watcher watcher(dialog);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(watcher.okSeen);

    EXPECT_EQ(dialog.FoundPort(), 3);
    EXPECT_EQ(dialog.FoundBaudIndex(), 5);
    EXPECT_EQ(dialog.FoundAddress(), 7);
    // French, the language of a new configuration file.
    EXPECT_EQ(dialog.windowTitle(), "Détection automatique");
    EXPECT_EQ(dialog.firstLine()->text(), "Recherche de l'appareil");
    const std::vector<std::string> shown = {"Com 1 - 115200 bauds",
                                            "Com 3 - 115200 bauds",
                                            "Com 1 - BlueTooth",
                                            "Com 3 - BlueTooth",
                                            "Com 1 - 9600 bauds",
                                            "Com 3 - 9600 bauds",
                                            "L'appareil a répondu.\nDétection réussie !"};
    EXPECT_EQ(watcher.lines, shown);
    EXPECT_EQ(dialog.progressBar()->maximum(), 16);
    EXPECT_EQ(dialog.progressBar()->value(), 16);
    EXPECT_EQ(dialog.okButton()->text(), "Ok");
    EXPECT_FALSE(link.IsOpen());
}

TEST(DeviceSearchDialogTest, NothingAnswersAndNoPortExists) {
    TestApplication t;
    PortTable::Install(PortTable());
    InstrumentLink link;
    DeviceSearchDialog dialog(t.app, link, 0xFF00, 32, 1, 6);
    Watcher watcher(dialog);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.FoundPort(), -1);
    EXPECT_EQ(dialog.FoundBaudIndex(), -1);
    EXPECT_EQ(watcher.lines,
              std::vector<std::string>{"L'appareil n'a pas répondu.\nDétection échouée !"});
    // No try to count: an empty bar, not a busy indicator.
    EXPECT_EQ(dialog.progressBar()->maximum(), 1);
    EXPECT_EQ(dialog.progressBar()->value(), 0);
}

TEST(DeviceSearchDialogTest, TheOptionsPageDetectionButtonFillsPortSpeedAndSlave) {
    TestApplication t;
    RunningSim sim({"--baud", "4800", "--slave", "23"});
    PortTable table;
    table.Assign(2, sim.path());
    PortTable::Install(table);
    InstrumentLink link;
    link.SetAnswerTimeout(150);
    t.config().writeReal("Com", "Port", 1);
    OptionsPage page(t.app, {{2, sim.path()}});
    page.setSearchLink(&link);
    ASSERT_FALSE(page.isModified());

    // Ok is pressed in the search dialog once it shows.
    QTimer presser;
    QObject::connect(&presser, &QTimer::timeout, [] {
        auto* dialog = qobject_cast<DeviceSearchDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->okButton()->isVisible()) dialog->okButton()->click();
    });
    presser.start(5);
    CButtonKV* detection = page.button(OptionsPage::kDetectionButton);
    ASSERT_NE(detection, nullptr);
    EXPECT_EQ(detection->text(), "Détection");
    detection->click();

    EXPECT_EQ(page.combo(OptionsPage::kPort)->selectedValue(), 1);  // Com 2
    EXPECT_EQ(page.combo(OptionsPage::kBauds)->currentText(), "4800");
    EXPECT_EQ(page.edit(OptionsPage::kJBus)->text(), "23");
    EXPECT_TRUE(page.isModified());
    // Nothing is stored until the page is saved.
    EXPECT_EQ(t.config().readString("Com", "JBus", "none"), "none");
}

}  // namespace
}  // namespace flowcfg
