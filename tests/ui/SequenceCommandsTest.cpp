// The main window's sequences against flowsim: save all and print all through the pages'
// windows, with the function block refused or not; the initialisation window sending prepared
// files at address 0.
#include "ui/SequenceCommands.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <set>

#include "FileDialogs.h"
#include "SettingsFiles.h"
#include "common/RecordingPrintDevice.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "params/FactorySettingsPage.h"
#include "params/MarkerVariables.h"
#include "params/ParameterBlocks.h"
#include "sim/SimTestSupport.h"
#include "ui/InitialisationDialog.h"
#include "ui/InstrumentPageCommands.h"
#include "ui/MainWindow.h"
#include "ui/MeasurementCommands.h"
#include "ui/ParameterCommands.h"

namespace flowcfg {
namespace {

using testing::RunningSim;
using testing::TestApplication;
using Page = SequencePage;

constexpr int kPort = 9;

struct Site {
    TestApplication t;
    RunningSim sim;
    explicit Site(std::vector<std::string> args) : sim(std::move(args)) {
        PortTable table;
        table.Assign(kPort, sim.path());
        PortTable::Install(table);
        IniFile config = t.config();
        config.writeString("Ports", "COM9", sim.path());
        config.writeReal("Com", "Port", kPort - 1);
        config.writeReal("Com", "Bauds", 5);
        config.writeReal("Com", "JBus", 1);
        config.writeReal("Language", "Language", 1);  // English
    }
};

// The main window with every command the sequences go through.
struct Desktop {
    MainWindow window;
    ParameterCommands settings{window};
    InstrumentPageCommands pages{window};
    MeasurementCommands measurement{window};
    SequenceCommands sequences{window, settings, pages, measurement};
    explicit Desktop(Application& application) : window(application) {}
};

// Answers the file dialogs with `files`, in order, and closes every message box, keeping its
// text; any other window opened modally goes once to `other`; page windows are left to close
// themselves.
struct Answers {
    std::vector<QString> files;
    std::vector<std::string> messages;
    std::function<void(QWidget*)> other;
    QPointer<QWidget> handed;
    QTimer timer;
    Answers() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                messages.push_back(box->text().toStdString());
                box->reject();
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                if (files.empty()) {
                    dialog->reject();
                } else {
                    testing::typeFileName(dialog, files.front());
                    files.erase(files.begin());
                }
            } else if (modal && modal != handed && other) {
                handed = modal;
                other(modal);
            }
        });
        timer.start(20);
    }
};

std::vector<std::string> recordings(const std::string& directory, const std::string& name) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        const std::string file = entry.path().filename().string();
        if (file.rfind(name, 0) == 0 && entry.path().extension() == ".mes") found.push_back(file);
    }
    return found;
}

TEST(SequenceCommandsTest, SaveAllAndPrintAllRunThePagesInOrderAndStopAtTheFirstFailure) {
    struct Case {
        std::vector<std::string> sim;
        std::optional<Page> stoppedAt;
        std::vector<std::string> saved;  // extensions written
        int reports;
    };
    const Case cases[] = {
        {{"--pipes", "2"}, std::nullopt, {"eta", "rsp", "fct"}, 3},
        // The instrument refuses the function page's blocks.
        {{"--fault", "exception=2@0xD200"}, Page::Function, {"eta", "rsp"}, 2},
        // The line is pulled out as the settings page starts reading.
        {{"--fault", "unplug=60000@0x1000"}, Page::Settings, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reports);
        Site site(c.sim);
        Desktop desktop(site.t.app);
        for (MenuCommand command :
             {MenuCommand::DialSauveAll, MenuCommand::DialImprimeAll, MenuCommand::DialInit})
            EXPECT_TRUE(desktop.window.canRun(command));
        const std::string folder = site.t.dir.file("out");
        std::filesystem::create_directories(folder);
        Answers answers;
        answers.files = {QString::fromStdString(folder + "/site")};
        // Each page's window is up, and modal, while the page reads and saves.
        std::set<std::string> windows;
        answers.other = [&](QWidget* modal) { windows.insert(modal->metaObject()->className()); };
        std::optional<SequenceResult> saved = desktop.sequences.saveAll();
        ASSERT_TRUE(saved.has_value());
        EXPECT_EQ(saved->ok, !c.stoppedAt);
        EXPECT_EQ(saved->stoppedAt, c.stoppedAt);
        for (const char* extension : {"eta", "rsp", "fct"}) {
            const bool expected =
                std::find(c.saved.begin(), c.saved.end(), extension) != c.saved.end();
            EXPECT_EQ(std::filesystem::exists(folder + "/site." + extension), expected)
                << extension;
        }
        // (The settings page reads before its window opens, behind a progress window.)
        if (!c.stoppedAt) {
            for (const char* window : {"flowcfg::SpecialSettingsDialog", "flowcfg::FunctionDialog",
                                       "flowcfg::MeasurementDialog"})
                EXPECT_EQ(windows.count(window), 1u) << window;
        }
        // The recording into the same stem runs only after the three pages.
        EXPECT_EQ(recordings(folder, "site").size(), c.stoppedAt ? 0u : 1u);
        EXPECT_EQ(answers.messages.empty(), !c.stoppedAt);

        testing::RecordingPrinters printers;
        desktop.settings.setPrinters(&printers);
        desktop.pages.setPrinters(&printers);
        SequenceResult printed = desktop.sequences.printAll();
        EXPECT_EQ(printed.ok, !c.stoppedAt);
        EXPECT_EQ(printed.stoppedAt, c.stoppedAt);
        ASSERT_EQ(int(printers.kept.size()), c.reports);
        EXPECT_EQ(printers.dialogs, 0);  // the default printer, without a dialog
        for (const auto& device : printers.kept)
            EXPECT_TRUE(device->ended);
        if (c.reports == 0) continue;
        EXPECT_FALSE(printers.kept[0]->find("Ext. Diameter").empty());
        EXPECT_EQ(printers.kept[0]->documentName.rfind("Settings", 0), 0u)
            << printers.kept[0]->documentName;
    }
}

// The log lines of the instrument's writes (function 16) from `from` on, by slave address.
std::vector<std::string> writes(const std::string& log, std::size_t from, int slave) {
    std::vector<std::string> found;
    const std::string key = "slave=" + std::to_string(slave) + " fn=16 ";
    for (std::size_t at = log.find(key, from); at != std::string::npos; at = log.find(key, at + 1))
        found.push_back(log.substr(at, log.find(" -> ", at) - at));
    return found;
}

bool writesStart(const std::vector<std::string>& lines, int start) {
    char text[16];
    std::snprintf(text, sizeof text, "start=0x%04X", start);
    for (const std::string& line : lines)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

TEST(SequenceCommandsTest, InitialisationSendsTheChosenFilesAtAddressZeroAndRestoresJBus) {
    Site site({"--slave", "5", "--pipes", "2", "--modules", "none"});
    site.t.config().writeReal("Com", "JBus", 5);
    Desktop desktop(site.t.app);
    const std::string settingsFile = site.t.dir.file("prepared.eta");
    ASSERT_EQ(testing::writeSettingsFile(settingsFile, LayoutOptions{}), 0);
    const std::string factoryFile = site.t.dir.file("prepared.rus");
    {
        testing::ScriptedPrompts prompts;
        NoProgress progress;
        testing::NoLine line;
        FactorySettingsPage factory(PageContext{prompts, progress, line, 1}, BlockPage::kModeNew);
        ASSERT_EQ(factory.Build(), 0);
        factory.setChoice(FactorySettingsPage::kReboot, true);
        ASSERT_EQ(factory.Save(factoryFile), 0);
    }
    const std::string brokenFile = site.t.dir.file("broken.eta");
    testing::writeFile(brokenFile, "not a settings file");

    // Through the menu: both pages chosen, both files sent to address 0, the window closes.
    {
        Answers answers;
        answers.files = {QString::fromStdString(settingsFile), QString::fromStdString(factoryFile)};
        std::optional<double> jbusWhileSending;
        bool transferred = false;
        answers.other = [&](QWidget* modal) {
            auto* dialog = qobject_cast<InitialisationDialog*>(modal);
            if (!dialog || transferred) return;  // the pages' windows close themselves
            transferred = true;
            EXPECT_EQ(dialog->windowTitle(), "Initialization");
            dialog->page().choose(InitialisationPage::kSettingsField, true);
            dialog->page().choose(InitialisationPage::kFactorySettingsField, true);
            QTimer::singleShot(0, dialog, [dialog] { dialog->transferButton()->click(); });
        };
        desktop.window.runCommand(MenuCommand::DialInit);
        EXPECT_TRUE(transferred);
        EXPECT_TRUE(answers.files.empty());
        EXPECT_TRUE(answers.messages.empty()) << answers.messages.front();
        const std::vector<std::string> sent = writes(site.sim.log(), 0, 0);
        EXPECT_TRUE(writesStart(sent, ParameterBlocks::kGeneral));
        EXPECT_TRUE(writesStart(sent, MarkerVariables::kRebootBlock));
        EXPECT_TRUE(writes(site.sim.log(), 0, 5).empty());
        EXPECT_EQ(site.t.config().readReal("Com", "JBus", -1), 5);
    }

    // A settings file that does not load: nothing sent, the factory settings not tried, "JBus"
    // back, the window still open.
    const std::size_t before = site.sim.log().size();
    DesktopSequenceRunner runner(desktop.settings, desktop.pages, desktop.measurement);
    InitialisationDialog dialog(site.t.app, runner);
    ASSERT_TRUE(dialog.prepare());
    dialog.show();
    dialog.page().choose(InitialisationPage::kSettingsField, true);
    dialog.page().choose(InitialisationPage::kFactorySettingsField, true);
    Answers failing;
    failing.files = {QString::fromStdString(brokenFile), QString::fromStdString(factoryFile)};
    dialog.transfer();
    EXPECT_EQ(failing.files.size(), 0u);  // both asked before anything runs
    ASSERT_EQ(failing.messages.size(), 1u);
    EXPECT_EQ(failing.messages[0], "Incorrect File");
    EXPECT_TRUE(writes(site.sim.log(), before, 0).empty());
    EXPECT_EQ(site.t.config().readReal("Com", "JBus", -1), 5);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.transferButton()->isEnabled());
}

}  // namespace
}  // namespace flowcfg
