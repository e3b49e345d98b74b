// The dial and hang-up procedures of the modem dialer against a scripted modem on a
// pseudo-terminal, with the waits shortened.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>

#include "link/HeldAnswer.h"
#include "link/ModemCommands.h"
#include "link/ModemDialer.h"
#include "link/PtyPair.h"
#include "link/ScriptedModem.h"

namespace flowcfg {
namespace {

using testing::HeldAnswer;
using testing::PtyPair;
using testing::ScriptedModem;

constexpr int kEnglish = 2;
constexpr int kCom = 6;

ModemDialer::Timing quickTiming() {
    ModemDialer::Timing t;
    t.initAnswer = 300;
    t.dialAnswer = 300;
    t.silenceBeforeEscape = 50;
    t.escapeAnswer = 300;
    t.pauseBeforeHangUp = 20;
    t.hangUpAnswer = 300;
    return t;
}

struct Report {
    int code;
    std::string text;
    bool procedureRunning;  // as the receiver saw it during the report
    bool operator==(const Report& o) const {
        return code == o.code && text == o.text && procedureRunning == o.procedureRunning;
    }
};

std::ostream& operator<<(std::ostream& out, const Report& r) {
    return out << "{" << r.code << ", \"" << r.text << "\", " << r.procedureRunning << "}";
}

class RecordingReceiver : public ModemReportReceiver {
public:
    explicit RecordingReceiver(const ModemDialer& dialer) : dialer_(dialer) {}
    bool OnModemReport(int code, const std::string& text) override {
        std::lock_guard lock(mutex_);
        reports_.push_back({code, text, dialer_.IsRunning()});
        return true;
    }
    std::vector<Report> Reports() const {
        std::lock_guard lock(mutex_);
        return reports_;
    }

private:
    const ModemDialer& dialer_;
    mutable std::mutex mutex_;
    std::vector<Report> reports_;
};

// A pseudo-terminal with a modem behind it, given a COM number.
struct ModemLine {
    PtyPair pty;
    ScriptedModem modem;
    SerialLink link;
    explicit ModemLine(ScriptedModem::Script script) : modem(pty, std::move(script)) {
        pty.InstallAs(kCom);
    }
};

std::string hayes(const std::string& command) {
    if (command.rfind("ATD", 0) == 0) return "\r\nCONNECT 9600\r\n";
    if (command == "+++" || command.rfind("AT", 0) == 0) return "\r\nOK\r\n";
    return "";
}

TEST(ModemDialerTest, DialsAfterTheInitialisationAndDeliversEveryReportBeforeItEnds) {
    ModemLine line(hayes);
    ModemDialer dialer;
    dialer.SetTiming(quickTiming());
    RecordingReceiver receiver(dialer);
    const std::string init = ModemCommands::Init("&F S95=0 E0 Q0 V1 W2 &K0 %C0 M0");
    ASSERT_EQ(dialer.Connect(&receiver, &line.link, kEnglish, kCom, 5, init,
                             ModemCommands::Dial(0, "0123456789"), 'N', 8, 1),
              0);
    // One procedure at a time.
    bool flag = true;
    EXPECT_EQ(
        dialer.Connect(&receiver, &line.link, kEnglish, kCom, 5, init, "ATDT1\r\n", 'N', 8, 1), -1);
    EXPECT_EQ(
        dialer.Disconnect(&receiver, &line.link, &flag, kEnglish, kCom, 5, "AT H0\r\n", 'N', 8, 1),
        -1);
    EXPECT_TRUE(flag);
    dialer.WaitIdle();
    EXPECT_FALSE(dialer.IsRunning());

    const std::vector<Report> expected = {
        {0, "Initialization:", true},
        {0, "AT &&F S95=0 E0 Q0 V1 W2 &&K0 %%C0 M0\r\n\n", true},
        {1, "\r\nOK\r\n\n", true},
        {0, "Dial:", true},
        {0, "ATDT0123456789\r\n", true},
        // The last report too comes while the procedure still counts as running.
        {2, "\r\nCONNECT 9600\r\n", true},
    };
    EXPECT_EQ(receiver.Reports(), expected);
    // The modem received the commands as configured.
    EXPECT_EQ(line.modem.Received(), "AT &F S95=0 E0 Q0 V1 W2 &K0 %C0 M0\r\nATDT0123456789\r\n");
    // Pulse dialing.
    EXPECT_EQ(ModemCommands::Dial(1, "55"), "ATDP55\r\n");
    EXPECT_EQ(ModemCommands::HangUp("H0"), "AT H0\r\n");
}

TEST(ModemDialerTest, AModemThatAnswersNothingStopsTheProcedureBeforeTheDial) {
    ModemLine line([](const std::string&) { return std::string(); });
    ModemDialer dialer;
    dialer.SetTiming(quickTiming());
    RecordingReceiver receiver(dialer);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(dialer.Connect(&receiver, &line.link, kEnglish, kCom, 5, "AT E0\r\n", "ATDT1\r\n",
                             'N', 8, 1),
              0);
    dialer.WaitIdle();
    const auto waited = std::chrono::steady_clock::now() - started;
    // The initialisation answer is awaited for the given time, then given up.
    EXPECT_GE(waited, std::chrono::milliseconds(300));
    const auto reports = receiver.Reports();
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[2], (Report{1, "\n", true}));
    EXPECT_EQ(line.modem.Commands(), std::vector<std::string>{"AT E0"});
    // The link keeps the time-out the procedure set last.
    EXPECT_EQ(line.link.GetAnswerTimeout(), 300);
}

TEST(ModemDialerTest, HangsUpOnlyWhenConnectedAndClearsTheFlagAsItStarts) {
    ModemLine line(hayes);
    ModemDialer dialer;
    dialer.SetTiming(quickTiming());
    RecordingReceiver receiver(dialer);

    // No connection: nothing is sent, the port is not even opened.
    bool connected = false;
    EXPECT_EQ(dialer.Disconnect(&receiver, &line.link, &connected, kEnglish, kCom, 5, "AT H0\r\n",
                                'N', 8, 1),
              -1);
    EXPECT_EQ(dialer.Disconnect(&receiver, &line.link, nullptr, kEnglish, kCom, 5, "AT H0\r\n", 'N',
                                8, 1),
              -1);
    EXPECT_FALSE(line.link.IsOpen());
    EXPECT_TRUE(receiver.Reports().empty());

    // Connected: the closed link is opened and the flag cleared at once.
    connected = true;
    ASSERT_EQ(dialer.Disconnect(&receiver, &line.link, &connected, kEnglish, kCom, 5,
                                ModemCommands::HangUp("H0 &D2"), 'N', 8, 1),
              0);
    EXPECT_FALSE(connected);
    EXPECT_TRUE(line.link.IsOpen());
    dialer.WaitIdle();
    const std::vector<Report> expected = {
        {0, "\n+++\n", true},        {100, "\r\nOK\r\n\n", true}, {0, "Hang up", true},
        {0, "AT H0 &&D2\r\n", true}, {101, "\r\nOK\r\n", true},
    };
    EXPECT_EQ(receiver.Reports(), expected);
    EXPECT_EQ(line.modem.Received(), "+++AT H0 &D2\r\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(line.modem.Received(), "+++AT H0 &D2\r\n");
}

TEST(ModemDialerTest, NoHangUpCommandWithoutOkToTheEscape) {
    ModemLine line([](const std::string& c) { return c == "+++" ? "\r\nERROR\r\n" : ""; });
    ModemDialer dialer;
    dialer.SetTiming(quickTiming());
    RecordingReceiver receiver(dialer);
    bool connected = true;
    ASSERT_EQ(dialer.Disconnect(&receiver, &line.link, &connected, kEnglish, kCom, 5, "AT H0\r\n",
                                'N', 8, 1),
              0);
    dialer.WaitIdle();
    const auto reports = receiver.Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1], (Report{100, "\r\nERROR\r\n\n", true}));
    EXPECT_EQ(line.modem.Received(), "+++");
}

TEST(ModemDialerTest, PortErrorsAndAnAbandonedReceiver) {
    PtyPair pty;
    pty.InstallAs(kCom);
    SerialLink link;
    ModemDialer dialer;
    dialer.SetTiming(quickTiming());
    RecordingReceiver receiver(dialer);
    // No device for this COM number: the link's open error, and no procedure.
    EXPECT_EQ(
        dialer.Connect(&receiver, &link, kEnglish, kCom + 1, 5, "AT\r\n", "ATDT1\r\n", 'N', 8, 1),
        253);
    EXPECT_FALSE(dialer.IsRunning());
    bool connected = true;
    EXPECT_EQ(dialer.Disconnect(&receiver, &link, &connected, kEnglish, kCom + 1, 5, "AT H\r\n",
                                'N', 8, 1),
              253);
    EXPECT_TRUE(connected);

    // A receiver that goes away hears nothing more, and no number is dialled for it.
    ScriptedModem modem(pty, hayes);
    ASSERT_EQ(dialer.Connect(&receiver, &link, kEnglish, kCom, 5, "AT\r\n", "ATDT1\r\n", 'N', 8, 1),
              0);
    dialer.Abandon();
    dialer.WaitIdle();
    EXPECT_LE(receiver.Reports().size(), 2u);
    EXPECT_EQ(modem.Commands(), std::vector<std::string>{"AT"});
    // Without a receiver a report goes nowhere.
    EXPECT_EQ(dialer.Report("text", 0), -1);
}

// The dial's answer comes after the receiver gave the call up (the dialog's cancel) or went away:
// whatever may have taken the line (a connection, an answer nobody knows) is hung up with the
// configured command before the procedure ends; a refusal leaves the line alone; a connection
// the receiver took is its own.
TEST(ModemDialerTest, AnAnswerNobodyWillActOnIsHungUpBeforeTheProcedureEnds) {
    enum class Then { Cancel, Abandon, AbandonAfterTheAnswer };
    struct Case {
        const char* answer;
        Then then;
        bool hangUp;
    };
    const Case cases[] = {
        {"\r\nCONNECT 9600\r\n", Then::Cancel, true},
        {"\r\nCONNECT 9600\r\n", Then::Abandon, true},
        {"\r\nRING\r\n", Then::Abandon, true},
        {"", Then::Cancel, true},
        {"\r\nNO CARRIER\r\n", Then::Cancel, false},
        {"\r\nCONNECT 9600\r\n", Then::AbandonAfterTheAnswer, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.answer) + " then " + std::to_string(static_cast<int>(c.then)));
        HeldAnswer held;
        ModemLine line([&](const std::string& command) {
            return command.rfind("ATD", 0) == 0 ? held.Hold(c.answer) : hayes(command);
        });
        ModemDialer dialer;
        ModemDialer::Timing timing = quickTiming();
        timing.dialAnswer = 1000;  // the test releases the answer at once
        dialer.SetTiming(timing);
        dialer.SetHangUpCommand(ModemCommands::HangUp("H0 Z"));
        // Goes away once it has taken the dial's answer, as a dialog closed right after it.
        struct LeavingReceiver : RecordingReceiver {
            LeavingReceiver(ModemDialer& d, bool leave)
                : RecordingReceiver(d), d_(d), leave_(leave) {}
            bool OnModemReport(int code, const std::string& text) override {
                RecordingReceiver::OnModemReport(code, text);
                if (leave_ && code == ModemDialer::kDialAnswer) d_.Abandon();
                return true;
            }
            ModemDialer& d_;
            bool leave_;
        } receiver(dialer, c.then == Then::AbandonAfterTheAnswer);
        ASSERT_EQ(dialer.Connect(&receiver, &line.link, kEnglish, kCom, 5, "AT\r\n", "ATDT1\r\n",
                                 'N', 8, 1),
                  0);
        ASSERT_TRUE(held.WaitArrived());
        if (c.then == Then::Cancel) dialer.Cancel();
        if (c.then == Then::Abandon) dialer.Abandon();
        held.Release();
        dialer.WaitIdle();
        // The hang-up, when there is one, is over once the procedure is.
        const auto sent = line.modem.Commands();
        if (c.hangUp)
            EXPECT_EQ(sent, (std::vector<std::string>{"AT", "ATDT1", "+++", "AT H0 Z"}));
        else
            EXPECT_EQ(sent, (std::vector<std::string>{"AT", "ATDT1"}));

        // Initialization, its command and answer, Dial and its command: then the answer and, to
        // a receiver that only cancelled, the hang-up.
        std::vector<Report> expected;
        if (c.then != Then::Abandon) expected.push_back({2, c.answer, true});
        if (c.then == Then::Cancel && c.hangUp) {
            const std::vector<Report> hangUp = {
                {0, "\n+++\n", true},     {100, "\r\nOK\r\n\n", true}, {0, "Hang up", true},
                {0, "AT H0 Z\r\n", true}, {101, "\r\nOK\r\n", true},
            };
            expected.insert(expected.end(), hangUp.begin(), hangUp.end());
        }
        const auto reports = receiver.Reports();
        ASSERT_GE(reports.size(), 5u);
        EXPECT_EQ(std::vector<Report>(reports.begin() + 5, reports.end()), expected);
    }
}

TEST(ModemDialerTest, DestroyingTheDialerWaitsForItsProcedure) {
    ModemLine line(hayes);
    RecordingReceiver* receiver = nullptr;
    {
        ModemDialer dialer;
        dialer.SetTiming(quickTiming());
        receiver = new RecordingReceiver(dialer);
        ASSERT_EQ(dialer.Connect(receiver, &line.link, kEnglish, kCom, 5, "AT\r\n", "ATDT1\r\n",
                                 'N', 8, 1),
                  0);
    }
    // Every report was delivered before the dialer went.
    EXPECT_EQ(receiver->Reports().size(), 6u);
    delete receiver;
}

}  // namespace
}  // namespace flowcfg
