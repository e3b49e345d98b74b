// The "Settings" command as a whole against flowsim: the start dialog's choice of layout, the
// parameter dialog, the rebuild after a structural change, the file sent straight to the
// instrument.
#include "params/ParameterSession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "common/TempDir.h"
#include "params/LayoutLine.h"
#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "params/ParameterRows.h"
#include "params/ParamsSimSupport.h"
#include "params/ParamsTestSupport.h"
#include "params/SettingsFile.h"

namespace flowcfg {
namespace {

using testing::RecordingProgress;
using testing::ScriptedHost;
using testing::ScriptedPrompts;
using testing::SimInstrument;
using testing::TempDir;

std::vector<std::string> shownTabs(ParameterPage& page) {
    std::vector<std::string> titles;
    for (const ParameterTab* tab : page.layout().shownTabs())
        titles.push_back(page.messages().text(tab->captionText) + tab->captionSuffix);
    return titles;
}

std::map<int, std::string> rowValues(ParameterPage& page) {
    std::map<int, std::string> values;
    for (const ParameterRow& row : ParameterRows::Rows(page))
        values[row.controlId] = row.value;
    return values;
}

struct Session {
    TempDir dir;
    IniFile config{dir.file("default.cfg")};
    ScriptedPrompts prompts;
    RecordingProgress progress;
    ScriptedHost host;
    AcceptingStartDialog start;
    ParameterSession session;
    explicit Session(BlockExchange& line)
        : session(config, PageContext{prompts, progress, line, testing::kEnglish}, &start, host) {
        prompts.unscriptedAnswer = true;
        session.setRebuildDirectory(dir.path());
    }
};

TEST(ParameterSessionTest, ReadingTheInstrumentBringsItsLayoutAndItsValues) {
    SimInstrument sim({"--modules", "1-4,9=5", "--chords", "3", "2"});
    Session s(sim.line());
    std::map<int, std::string> seen;
    std::vector<std::string> tabs;
    s.host.actions.push_back([&](ParameterPage& page) {
        seen = rowValues(page);
        tabs = shownTabs(page);
    });
    EXPECT_EQ(s.session.Run(ParameterPage::kModeRead), ParameterPage::kCancel);
    EXPECT_EQ(s.host.shown, 1);
    EXPECT_TRUE(s.prompts.errors.empty());
    // The start dialog's read is the only one: identification, then the 48 blocks in order.
    auto requests = sim.requests();
    ASSERT_EQ(requests.size(), 49u);
    EXPECT_EQ(requests[0].start, 0xFF00);
    for (std::size_t i = 0; i < 48; ++i)
        EXPECT_EQ(requests[i + 1].start, kParameterSetOrder[i]) << i;
    EXPECT_EQ(s.progress.range, 49);
    EXPECT_EQ(s.progress.steps, 49);
    EXPECT_EQ(s.progress.status, "Device connected");

    // flowsim's instrument: level "Normal", one pipe, 3 chords on pipe A, set A "SIM01".
    EXPECT_EQ(tabs, (std::vector<std::string>{"General", "Pipe", "Definition of cords", "Logger",
                                              "Totalizer(s)", "Input-output", "Function"}));
    EXPECT_EQ(seen[ctl::kLevel], "Normal");
    EXPECT_EQ(seen[ctl::pipeField(0, ctl::pipe::kDiameter)], "300.0");
    EXPECT_EQ(seen[ctl::pipeField(0, ctl::pipe::kProbeType)], "SASIM01");
    EXPECT_EQ(seen[ctl::pipeField(0, ctl::pipe::kChords)], "3");
    EXPECT_EQ(seen[ctl::chordField(0, 2, ctl::chord::kDistance)], "400.0");
    EXPECT_EQ(seen[ctl::kSerialText], "24/07/00042");
    EXPECT_EQ(seen[ctl::kLoggerPeriod], "10 mn");
    EXPECT_EQ(seen[ctl::kUnitName], "KV420-P");
    EXPECT_EQ(seen[ctl::installedModule(8)], "5");
    EXPECT_EQ(seen[ctl::pipeField(0, ctl::pipe::kProfileCoefficient)], "1.600");
    // The options are the instrument's and are kept in the settings.
    LayoutOptions kept = LayoutOptions::Load(s.config);
    EXPECT_EQ(kept.instrumentType, 0);
    EXPECT_EQ(kept.level, 1);
    EXPECT_EQ(kept.pipes, 1);
    EXPECT_EQ(kept.chordsA, 3);
    EXPECT_EQ(kept.chordsB, 2);
    EXPECT_EQ(kept.functions, 0);
    EXPECT_EQ(kept.modules[8], 5);
    EXPECT_EQ(kept.modules[4], 0);
}

TEST(ParameterSessionTest, ChangingThePipesRebuildsTheDialogAndEveryValueSurvives) {
    SimInstrument sim({});
    Session s(sim.line());
    std::map<int, std::string> before, after;
    std::vector<std::string> tabs;
    std::string rebuildFile;
    s.host.actions.push_back([&](ParameterPage& page) {
        page.table().FindField(ctl::pipeField(0, ctl::pipe::kDiameter))->setValue(123.4);
        page.table().FindField(ctl::kPipes)->setInteger(2);
        before = rowValues(page);
        EXPECT_EQ(page.FieldChanged(ctl::kPipes), ParameterPage::kRebuild);
        rebuildFile = page.fileName();
        EXPECT_TRUE(std::filesystem::exists(rebuildFile));
    });
    s.host.actions.push_back([&](ParameterPage& page) {
        after = rowValues(page);
        tabs = shownTabs(page);
        EXPECT_FALSE(std::filesystem::exists(rebuildFile));
        EXPECT_EQ(page.fileName(), "");
        EXPECT_EQ(page.captionExtra(), "");  // the set came from the instrument
        ASSERT_EQ(page.SaveParameterSet(s.dir.file("two.eta")), 0);
    });
    EXPECT_EQ(s.session.Run(ParameterPage::kModeRead), ParameterPage::kCancel);
    EXPECT_EQ(s.host.shown, 2);
    EXPECT_EQ(tabs, (std::vector<std::string>{"General", "Pipe A", "Definition of cords A",
                                              "Pipe B", "Definition of cords B", "Logger",
                                              "Totalizer(s)", "Input-output", "Function"}));
    ASSERT_EQ(before.size(), after.size());
    for (const auto& [id, value] : before) {
        if (id >= ctl::kIdSlave && id <= ctl::kIdFirmware) continue;  // not part of the set
        if (id == ctl::kDeviceLoggerMode || id == ctl::kDeviceLoggerCount) continue;
        EXPECT_EQ(after[id], value) << id;
    }
    EXPECT_EQ(after[ctl::pipeField(0, ctl::pipe::kDiameter)], "123.4");
    EXPECT_EQ(after[ctl::kPipes], "2");
    EXPECT_FALSE(std::filesystem::exists(rebuildFile));
    EXPECT_EQ(LayoutOptions::Load(s.config).pipes, 2);
    LayoutOptions saved;
    ASSERT_EQ(SettingsFile::ReadLayout(s.dir.file("two.eta"), saved), SettingsFile::Status::Ok);
    EXPECT_EQ(saved.pipes, 2);  // the sixth value of the header
}

TEST(ParameterSessionTest, ARebuiltFileKeepsItsNameWithChangedAndTheFileGoesEvenWhenLoadingFails) {
    TempDir dir;
    testing::NoInstrument line;
    LayoutOptions o;
    o.level = 2;
    o.pipes = 2;
    testing::OfflinePage author(o);
    ASSERT_EQ(author.page.SaveParameterSet(dir.file("site.eta")), 0);
    ASSERT_EQ(LayoutLine::Format(o).substr(0, 12), "2 0 0 0 0 2 ");

    Session s(line);
    std::vector<std::string> tabs;
    std::string caption;
    s.host.actions.push_back([&](ParameterPage& page) {
        tabs = shownTabs(page);
        page.table().FindField(ctl::kLevel)->setInteger(0);
        page.FieldChanged(ctl::kLevel);
    });
    s.host.actions.push_back([&](ParameterPage& page) {
        caption = page.captionFile() + page.captionExtra();
        EXPECT_EQ(page.layout().options().level, 0);
        EXPECT_EQ(page.layout().find(TabKind::Advanced)->shown, false);
    });
    EXPECT_EQ(s.session.Run(ParameterPage::kModeFile, dir.file("site.eta")),
              ParameterPage::kCancel);
    // A header "2 ... 2 ..." opens at "Advanced" with the linearization of both pipes.
    EXPECT_EQ(tabs, (std::vector<std::string>{"General", "Pipe A", "Definition of cords A",
                                              "Linearization A", "Pipe B", "Definition of cords B",
                                              "Linearization B", "Logger", "Totalizer(s)",
                                              "Input-output", "Function", "Advanced"}));
    EXPECT_EQ(caption, dir.file("site.eta") + " (Changed)");
    EXPECT_FALSE(std::filesystem::exists(s.dir.file(ParameterPage::kRebuildFileName)));

    // The rebuild file is spoilt before the next dialog reads it: "Incorrect File", no file left.
    Session broken(line);
    broken.host.actions.push_back([&](ParameterPage& page) {
        page.table().FindField(ctl::kLoggerShown)->setInteger(1);
        ASSERT_EQ(page.FieldChanged(ctl::kLoggerShown), ParameterPage::kRebuild);
        std::filesystem::resize_file(page.fileName(), 200);
    });
    EXPECT_EQ(broken.session.Run(ParameterPage::kModeFile, dir.file("site.eta")),
              ParameterPage::kCancel);
    ASSERT_FALSE(broken.prompts.errors.empty());
    EXPECT_EQ(broken.prompts.errors.back().text, "Incorrect File");
    EXPECT_FALSE(std::filesystem::exists(broken.dir.file(ParameterPage::kRebuildFileName)));

    // A file whose header cannot be read opens nothing.
    testing::writeFile(dir.file("bad.eta"), "nothing");
    Session unreadable(line);
    EXPECT_EQ(unreadable.session.Run(ParameterPage::kModeFile, dir.file("bad.eta")), 255);
    EXPECT_EQ(unreadable.host.shown, 0);
    ASSERT_EQ(unreadable.prompts.errors.size(), 1u);
    EXPECT_EQ(unreadable.prompts.errors[0].text, "Incorrect File");
}

TEST(ParameterSessionTest, AFileSentStraightGoesOnlyToTheInstrumentItWasMadeFor) {
    TempDir dir;
    LayoutOptions o;
    o.instrumentType = 0;
    o.modules = {1, 1, 2, 2};
    testing::OfflinePage author(o);
    VariableTable& t = author.page.table();
    t.FindField(ctl::kSerial1)->setValue(24);
    t.FindField(ctl::kSerial2)->setValue(7);
    t.FindField(ctl::kSerial3)->setValue(42);
    Bytes modules(48, 0);
    for (int k = 0; k < 4; ++k)
        modules[std::size_t(2 * k + 1)] = std::uint8_t(o.modules[std::size_t(k)]);
    t.Decode(0xE050, modules);
    ASSERT_EQ(author.page.SaveParameterSet(dir.file("mine.eta")), 0);
    t.FindField(ctl::kSerial3)->setValue(43);
    ASSERT_EQ(author.page.SaveParameterSet(dir.file("other.eta")), 0);

    // Sent with a confirmation wanted: only the instrument of the same serial number takes it.
    for (const char* name : {"mine.eta", "other.eta"}) {
        SimInstrument sim({});
        Session s(sim.line());
        s.session.setPreparePage([](ParameterPage& page) { page.setSendToInstrument(true); });
        const bool mine = std::string(name) == "mine.eta";
        EXPECT_EQ(s.session.Run(ParameterPage::kModeFile, dir.file(name)),
                  mine ? ParameterPage::kOk : ParameterPage::kCancel);
        EXPECT_EQ(s.host.shown, 1);
        auto writes = sim.writtenStarts();
        if (mine) {
            ASSERT_FALSE(writes.empty());
            EXPECT_EQ(writes.back(), 0xEFFF);
        } else {
            EXPECT_TRUE(writes.empty());
        }
    }
    // Write-only (mode 16): no question, and the serial number is not asked for.
    SimInstrument sim({});
    Session s(sim.line());
    EXPECT_EQ(s.session.Run(ParameterPage::kModeWriteOnly, dir.file("other.eta")),
              ParameterPage::kOk);
    EXPECT_TRUE(s.prompts.questions.empty());
    ASSERT_FALSE(sim.writes().empty());
    EXPECT_EQ(sim.writes().back().data, "5A5A");
}

TEST(ParameterSessionTest, ANewSetDerivesTheFunctionsFromTheInstrumentAndKeepsTheChordKeys) {
    SimInstrument sim({});
    Session s(sim.line());
    LayoutOptions stored;
    stored.chordsA = 6;
    stored.functions = 1;
    stored.SaveLayoutOptions(s.config);
    std::string diameter;
    s.host.actions.push_back([&](ParameterPage& page) {
        diameter = testing::shown(page, ctl::pipeField(0, ctl::pipe::kDiameter));
    });
    EXPECT_EQ(s.session.Run(ParameterPage::kModeNew), ParameterPage::kCancel);
    EXPECT_EQ(diameter, "27.9");  // a new set shows the initial values
    LayoutOptions kept = LayoutOptions::Load(s.config);
    EXPECT_EQ(kept.functions, 0);  // flowsim has a function configured
    EXPECT_EQ(kept.chordsA, 6);

    // Without an instrument there is nothing to build the new set on: a new set reads the
    // instrument first, as a read does.
    for (int mode : {ParameterPage::kModeNew, ParameterPage::kModeRead}) {
        SCOPED_TRACE(mode);
        testing::NoInstrument none;
        Session offline(none);
        EXPECT_EQ(offline.session.Run(mode), ParameterPage::kCancel);
        EXPECT_EQ(offline.host.shown, 0);
        ASSERT_EQ(offline.prompts.errors.size(), 1u);
        EXPECT_EQ(offline.prompts.errors[0].text, "Cannot open COM port !");
    }
}

}  // namespace
}  // namespace flowcfg
