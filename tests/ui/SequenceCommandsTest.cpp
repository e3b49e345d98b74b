// The main window's sequences against flowsim: save all and print all through the pages'
// windows, with the function block refused or not; the initialisation window sending prepared
// files at address 0.
#include "ui/SequenceCommands.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>

#include "FileDialogs.h"
#include "common/RecordingPrintDevice.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "sim/SimTestSupport.h"
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
// text; page windows are left to close themselves.
struct Answers {
    std::vector<QString> files;
    std::vector<std::string> messages;
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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reports);
        Site site(c.sim);
        Desktop desktop(site.t.app);
        EXPECT_TRUE(desktop.window.canRun(MenuCommand::DialSauveAll));
        const std::string folder = site.t.dir.file("out");
        std::filesystem::create_directories(folder);
        Answers answers;
        answers.files = {QString::fromStdString(folder + "/site")};
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
        EXPECT_FALSE(printers.kept[0]->find("Ext. Diameter").empty());
        EXPECT_EQ(printers.kept[0]->documentName.rfind("Settings", 0), 0u)
            << printers.kept[0]->documentName;
    }
}

}  // namespace
}  // namespace flowcfg
