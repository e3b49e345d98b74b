// The modem dialog against flowsim's modem and a scripted one, with the waits shortened: what
// it shows, which messages it gives and how it ends.
#include "ui/ModemDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "common/TestApplication.h"
#include "link/HeldAnswer.h"
#include "link/InstrumentLink.h"
#include "link/PortTable.h"
#include "link/PtyPair.h"
#include "link/ScriptedModem.h"
#include "sim/SimTestSupport.h"
#include "ui/MainWindow.h"
#include "ui/ModemDialogConnector.h"

namespace flowcfg {
namespace {

using testing::HeldAnswer;
using testing::PtyPair;
using testing::RunningSim;
using testing::ScriptedModem;
using testing::TestApplication;

constexpr int kCom = 2;

// Closes every message box that opens and keeps its text.
class MessageCatcher {
public:
    MessageCatcher() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            // Boxes live on the stack: one may take the address of the last, so each is marked.
            if (!box || box->property("caught").toBool()) return;
            box->setProperty("caught", true);
            texts.push_back(box->text().toStdString());
            if (whileShown) whileShown();
            QTimer::singleShot(0, box, &QMessageBox::accept);
        });
        timer_.start(5);
    }
    std::vector<std::string> texts;
    std::function<void()> whileShown;  // called while a box is up

private:
    QTimer timer_;
};

class ModemDialogTest : public ::testing::Test {
protected:
    // The site's modem on COM2, dialled by tone.
    void useModemOn(const std::string& path, const std::string& init = "") {
        PortTable table;
        table.Assign(kCom, path);
        PortTable::Install(table);
        IniFile config = t.config();
        config.writeString("Ports", PortTable::KeyFor(kCom), path);
        config.writeReal("Com", "Port", kCom - 1);
        config.writeReal("Modem", "Use modem", 0);
        config.writeString("Modem", "Telefon number", "0321");
        if (!init.empty()) config.writeString("Modem", "Initalisation string", init);
    }
    // flowsim's guard time is 100 ms in these tests.
    static void shorten(ModemDialog& dialog, int dialAnswerMs = 2000) {
        ModemDialer::Timing timing;
        timing.initAnswer = 800;
        timing.dialAnswer = dialAnswerMs;
        timing.silenceBeforeEscape = 250;
        timing.escapeAnswer = 1000;
        timing.pauseBeforeHangUp = 20;
        timing.hangUpAnswer = 1000;
        dialog.setTiming(timing, 10, 20);
    }

    TestApplication t;
    InstrumentLink link;
    MessageCatcher messages;
};

TEST_F(ModemDialogTest, ConnectsThroughFlowsimShowingTheWholeConversation) {
    RunningSim sim({"--modem", "--guard", "100"});
    useModemOn(sim.path());
    bool connected = false;
    ModemDialog dialog(t.app, link, ModemDialog::kConnect, &connected);
    shorten(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Connexion modem");
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(dialog.statusText().toStdString(),
              "Initialisation :AT &&F S95=0 E0 Q0 V1 W2 &&K0 M0\n\n\nOK\n\n"
              "Numérotation :ATDT0321\n\nCONNECT 9600\n");
    // The dialog itself never sets the flag: its caller does, on OK.
    EXPECT_FALSE(connected);
    EXPECT_TRUE(link.IsOpen());
    sim.stop();
    EXPECT_NE(sim.log().find("< AT &F S95=0 E0 Q0 V1 W2 &K0 M0"), std::string::npos);
}

TEST_F(ModemDialogTest, EchoLessModemNoCarrierAndAPortThatCannotOpen) {
    {
        RunningSim sim({});  // no modem: the instrument ignores the commands
        useModemOn(sim.path());
        InstrumentLink link;
        ModemDialog dialog(t.app, link, ModemDialog::kConnect, nullptr);
        shorten(dialog);
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_EQ(messages.texts[0].rfind("Echec de la connexion ! ", 0), 0u) << messages.texts[0];
        EXPECT_EQ(dialog.statusText().indexOf("Numérotation"), -1);
    }
    messages.texts.clear();
    {
        RunningSim sim({"--modem", "--dial-answer", "nocarrier", "--guard", "100"});
        useModemOn(sim.path());
        InstrumentLink link;
        ModemDialog dialog(t.app, link, ModemDialog::kConnect, nullptr);
        shorten(dialog);
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_EQ(messages.texts, std::vector<std::string>{"Echec de la connexion !"});
        EXPECT_EQ(dialog.statusText().indexOf("+++"), -1);
        sim.stop();
        EXPECT_EQ(sim.log().find("< +++"), std::string::npos);
    }
    messages.texts.clear();
    {
        PortTable::Install(PortTable());
        ModemDialog dialog(t.app, link, ModemDialog::kConnect, nullptr);
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_EQ(messages.texts, std::vector<std::string>{"Impossible d'ouvrir le port COM !"});
    }
}

TEST_F(ModemDialogTest, AnUnknownAnswerIsHungUpWithoutTouchingTheApplicationFlag) {
    PtyPair pty;
    ScriptedModem modem(pty, [](const std::string& command) -> std::string {
        return command.rfind("ATD", 0) == 0 ? "\r\nVOICE\r\n" : "\r\nOK\r\n";
    });
    useModemOn(pty.path(), "&F E0");
    ModemDialog dialog(t.app, link, ModemDialog::kConnect, &t.app.modemConnected);
    shorten(dialog);
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(t.app.modemConnected);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Echec de la connexion !"});
    EXPECT_EQ(modem.Commands(), (std::vector<std::string>{"AT &F E0", "ATDT0321", "+++", "AT H0"}));
    EXPECT_NE(dialog.statusText().indexOf("VOICE\n\n+++\n\nOK\n\nRaccrocherAT H0\n\nOK\n"), -1)
        << dialog.statusText().toStdString();
}

TEST_F(ModemDialogTest, DisconnectHangsUpOnlyWhenConnected) {
    PtyPair pty;
    ScriptedModem modem(pty, [](const std::string&) { return std::string("\r\nOK\r\n"); });
    useModemOn(pty.path());
    bool connected = false;
    {
        ModemDialog dialog(t.app, link, ModemDialog::kDisconnect, &connected);
        shorten(dialog);
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_TRUE(dialog.statusText().isEmpty());
    }
    EXPECT_TRUE(modem.Received().empty());

    connected = true;
    ModemDialog dialog(t.app, link, ModemDialog::kDisconnect, &connected);
    shorten(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Déconnexion modem");
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(connected);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(modem.Received(), "+++AT H0\r\n");
    // No dial, so no bar moves.
    EXPECT_EQ(dialog.progressBar()->value(), 0);
}

TEST_F(ModemDialogTest, CancelWaitsForTheProcedureAndDialsNothing) {
    PtyPair pty;
    ScriptedModem modem(pty, [](const std::string&) { return std::string("\r\nOK\r\n"); });
    useModemOn(pty.path());
    ModemDialog dialog(t.app, link, ModemDialog::kConnect, nullptr);
    shorten(dialog);
    // Cancel as soon as the initialisation command is on its way.
    QTimer::singleShot(30, dialog.cancelButton(), &QPushButton::click);
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isBusy());
    EXPECT_EQ(modem.Commands(), std::vector<std::string>{"AT &F S95=0 E0 Q0 V1 W2 &K0 M0"});
    EXPECT_TRUE(messages.texts.empty());
}

// The modem takes the line only after the dialog gave the call up: cancelled while the dial
// waited for its answer, gone altogether, or cancelled while it told of an answer it does not
// know. The call is hung up with the configured command, and the dialog (or, once it has gone,
// its dialer) waits for that before it goes; nobody counts the call as up. After a cancel only
// a failed hang-up is worth a message: the line may still be up.
TEST_F(ModemDialogTest, ACallThatConnectsAfterTheDialogGaveItUpIsHungUp) {
    enum class Scenario { Cancel, Gone, CancelDuringTheMessage };
    const std::vector<std::string> hungUp = {"AT &F E0", "ATDT0321", "+++", "AT H0 &D2"};
    for (const Scenario scenario :
         {Scenario::Cancel, Scenario::Gone, Scenario::CancelDuringTheMessage}) {
        SCOPED_TRACE(static_cast<int>(scenario));
        const bool unknown = scenario == Scenario::CancelDuringTheMessage;
        PtyPair pty;
        HeldAnswer held;
        ScriptedModem modem(pty, [&held, unknown](const std::string& command) -> std::string {
            if (command.rfind("ATD", 0) == 0)
                return held.Hold(unknown ? "\r\nVOICE\r\n" : "\r\nCONNECT 9600\r\n");
            // The modem that gave an unknown answer does not take the escape either.
            return command == "+++" && unknown ? "\r\nERROR\r\n" : "\r\nOK\r\n";
        });
        useModemOn(pty.path(), "&F E0");
        t.config().writeString("Modem", "Desconnect string", "H0 &D2");
        messages.texts.clear();
        {
            ModemDialog dialog(t.app, link, ModemDialog::kConnect, &t.app.modemConnected);
            shorten(dialog, 20000);
            // Once the number is dialled: cancel, then let the modem answer; or close the
            // window at once, and let the modem connect as the window goes; or let the modem
            // answer and cancel while the window says the connection failed.
            QTimer watch;
            QObject::connect(&watch, &QTimer::timeout, [&] {
                if (!held.Arrived()) return;
                watch.stop();
                if (scenario == Scenario::Cancel) dialog.cancelButton()->click();
                if (scenario == Scenario::Gone) dialog.done(QDialog::Rejected);
                if (scenario != Scenario::Gone) held.Release();
            });
            watch.start(5);
            messages.whileShown = [&] {
                if (unknown) dialog.cancelButton()->click();
            };
            EXPECT_EQ(dialog.exec(), QDialog::Rejected);
            if (scenario == Scenario::Gone) {
                EXPECT_TRUE(dialog.isBusy());
                // The modem connects; the window takes no more reports, so the dialer's report
                // of the answer waits (its receive ends a second after the last byte) until the
                // window, going, drops it.
                held.Release();
                std::this_thread::sleep_for(std::chrono::milliseconds(1500));
            } else {
                EXPECT_FALSE(dialog.isBusy());
                const char* shown =
                    unknown ? "VOICE\n\n+++\n\nERROR\n\n"
                            : "CONNECT 9600\n\n+++\n\nOK\n\nRaccrocherAT H0 &&D2\n\nOK\n";
                EXPECT_TRUE(dialog.statusText().endsWith(QString::fromUtf8(shown)))
                    << dialog.statusText().toStdString();
            }
        }
        messages.whileShown = nullptr;
        if (unknown) {
            EXPECT_EQ(modem.Commands(), std::vector<std::string>(hungUp.begin(), hungUp.end() - 1));
            EXPECT_EQ(messages.texts, (std::vector<std::string>{"Echec de la connexion !",
                                                                "Echec de la déconnexion !"}));
        } else {
            EXPECT_EQ(modem.Commands(), hungUp);
            EXPECT_TRUE(messages.texts.empty());
        }
        EXPECT_FALSE(t.app.modemConnected);
    }
}

// The dialog has taken an unknown answer and decided to hang up; the user cancels before the
// dial procedure has looked at its cancel flag. The window's thread must go on (the cancel is
// handled while the procedure is held there), and the line is hung up once, by the dialog.
TEST_F(ModemDialogTest, CancelAfterAnUnknownAnswerHangsUpOnceAndNeverWaitsForTheProcedure) {
    PtyPair pty;
    ScriptedModem modem(pty, [](const std::string& command) -> std::string {
        return command.rfind("ATD", 0) == 0 ? "\r\nVOICE\r\n" : "\r\nOK\r\n";
    });
    useModemOn(pty.path(), "&F E0");
    ModemDialog dialog(t.app, link, ModemDialog::kConnect, &t.app.modemConnected);
    shorten(dialog);
    std::mutex mutex;
    std::condition_variable cancelled;
    bool cancelHandled = false;
    bool cancelCameInTime = false;
    dialog.setDialAnswerWaitPoint([&] {
        QMetaObject::invokeMethod(
            &dialog,
            [&] {
                dialog.cancelButton()->click();
                std::lock_guard lock(mutex);
                cancelHandled = true;
                cancelled.notify_all();
            },
            Qt::QueuedConnection);
        std::unique_lock lock(mutex);
        cancelCameInTime =
            cancelled.wait_for(lock, std::chrono::seconds(3), [&] { return cancelHandled; });
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(cancelCameInTime);
    EXPECT_FALSE(dialog.isBusy());
    EXPECT_FALSE(t.app.modemConnected);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Echec de la connexion !"});
    EXPECT_EQ(modem.Commands(), (std::vector<std::string>{"AT &F E0", "ATDT0321", "+++", "AT H0"}));
}

TEST_F(ModemDialogTest, OpeningALinkThroughTheModemRunsTheDialog) {
    RunningSim sim({"--modem", "--guard", "100", "--slave", "4"});
    useModemOn(sim.path());
    ModemDialogConnector connector(t.app, nullptr);
    link.SetModemConnector(&connector);
    // The real waits: the flowsim modem answers at once, so only the pause after CONNECT counts.
    ASSERT_EQ(link.Open(kCom, 5, 'N', 8, 1, true, &t.app.modemConnected), 0);
    EXPECT_TRUE(t.app.modemConnected);
    Bytes data;
    link.SetAnswerTimeout(1000);
    EXPECT_EQ(link.Exchange(4, 3, 0xFF00, 1, data), 0);
}

TEST_F(ModemDialogTest, TheMainWindowsModemMenuConnectsAndDisconnects) {
    RunningSim sim({"--modem", "--guard", "100"});
    useModemOn(sim.path());
    ModemDialer::Timing timing;
    timing.silenceBeforeEscape = 250;
    timing.pauseBeforeHangUp = 20;
    ModemDialog::setDefaultTiming(timing, 10, 20);
    t.app.reloadLinkSettings();
    {
        MainWindow window(t.app);
        ASSERT_TRUE(window.canRun(MenuCommand::ModemConnect));
        window.runCommand(MenuCommand::ModemConnect);
        EXPECT_TRUE(t.app.modemConnected);
        EXPECT_TRUE(window.link().IsOpen());
        EXPECT_NE(window.actionFor(MenuCommand::ModemDeconnect), nullptr);
        EXPECT_EQ(window.actionFor(MenuCommand::ModemConnect), nullptr);

        window.runCommand(MenuCommand::ModemDeconnect);
        EXPECT_FALSE(t.app.modemConnected);
        EXPECT_FALSE(window.link().IsOpen());
        EXPECT_NE(window.actionFor(MenuCommand::ModemConnect), nullptr);

        // A call still up when the window goes is hung up.
        window.runCommand(MenuCommand::ModemConnect);
        ASSERT_TRUE(t.app.modemConnected);
    }
    EXPECT_FALSE(t.app.modemConnected);
    ModemDialog::setDefaultTiming(ModemDialer::Timing{}, 2000, ModemDialog::kProgressTickMs);
    sim.stop();
    const std::string log = sim.log();
    std::size_t calls = 0, drops = 0;
    for (std::size_t at = 0; (at = log.find("> CONNECT", at)) != std::string::npos; ++at)
        ++calls;
    for (std::size_t at = 0; (at = log.find("call dropped", at)) != std::string::npos; ++at)
        ++drops;
    EXPECT_EQ(calls, 2u);
    EXPECT_EQ(drops, 2u);
    EXPECT_TRUE(messages.texts.empty());
}

}  // namespace
}  // namespace flowcfg
