// flowcfg-cli params against flowsim on a pseudo-terminal.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliSimSite.h"
#include "common/TempDir.h"
#include "params/ParameterControls.h"
#include "params/ParameterPage.h"
#include "params/ProgressView.h"
#include "params/SettingsFile.h"
#include "shell/IniFile.h"
#include "sim/SimTestSupport.h"

namespace flowcfg {
namespace {

using testing::runCliCommand;
using testing::RunningSim;
using testing::TempDir;

using Site = testing::CliSimSite;
using testing::hasLine;

TEST(ParamsCommandTest, ReadsShowsAndWritesBackTheInstrumentsSet) {
    Site site;
    const std::string file = site.dir.file("site.eta");
    auto read = site.run({"params", "read", "-o", file});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out, file + ": serial number 24/07/00042, 1 pipe(s)\n");
    EXPECT_EQ(site.writes(), 0);

    auto show = site.run({"params", "show", file});
    ASSERT_EQ(show.status, 0) << show.err;
    EXPECT_TRUE(hasLine(show.out, "General\tUnit Name\tKV420-P\t")) << show.out;
    EXPECT_TRUE(hasLine(show.out, "Pipe\tExt. Diameter\t300.0\tmm")) << show.out;
    EXPECT_TRUE(hasLine(show.out, "Pipe\tProbe\tSASIM01\t")) << show.out;
    EXPECT_TRUE(hasLine(show.out, "Definition of cords\tChord 2: Path Length\t400.0\tmm"));
    EXPECT_TRUE(hasLine(show.out, "Totalizer(s)\tTotalizer 3: Q\tQT\t"));
    EXPECT_TRUE(hasLine(show.out, "Pipe\tMax\t100.0\tm3/h")) << show.out;
    EXPECT_TRUE(hasLine(show.out, "Pipe B\tExt. Diameter\t300.0\tmm"));

    auto write = site.run({"params", "write", file, "--yes"});
    ASSERT_EQ(write.status, 0) << write.err;
    EXPECT_NE(write.out.find("Caution: Do you want to transfer data to the device ? [y/N] yes\n"),
              std::string::npos)
        << write.out;
    EXPECT_GT(site.writes(), 10);
    EXPECT_NE(site.sim.log().rfind("fn=16 start=0xEFFF count=1 -> ok data=5A5A"),
              std::string::npos);
}

TEST(ParamsCommandTest, QuestionsAreAnsweredOnTheTerminal) {
    Site site;
    const std::string file = site.dir.file("site.eta");
    ASSERT_EQ(site.run({"params", "read", "-o", file}).status, 0);
    auto no = site.run({"params", "write", file}, "n\n");
    EXPECT_EQ(no.status, 1);
    EXPECT_EQ(site.writes(), 0);
    auto ended = site.run({"params", "write", file});  // no answer at all
    EXPECT_EQ(ended.status, 1);
    EXPECT_EQ(site.writes(), 0);
    auto yes = site.run({"params", "write", file}, "y\n");
    EXPECT_EQ(yes.status, 0) << yes.err;
    EXPECT_GT(site.writes(), 10);
}

TEST(ParamsCommandTest, ComparesTwoSetsFieldByField) {
    Site site;
    const std::string a = site.dir.file("a.eta"), b = site.dir.file("b.eta");
    ASSERT_EQ(site.run({"params", "read", "-o", a}).status, 0);
    LayoutOptions options;
    ASSERT_EQ(SettingsFile::ReadLayout(a, options), SettingsFile::Status::Ok);
    struct Quiet : Prompts {
        void showError(const std::string&, const std::string&) override {}
        bool askYesNo(const std::string&, const std::string&) override { return false; }
        std::optional<std::string> chooseFile(const FileRequest&) override { return {}; }
    } quiet;
    struct NoLine : BlockExchange {
        int open() override { return linkresult::kCannotOpen; }
        void close() override {}
        int read(int, int, Bytes&) override { return linkresult::kCannotOpen; }
        int write(int, const Bytes&) override { return linkresult::kCannotOpen; }
    } none;
    NoProgress progress;
    ParameterPage page(options, PageContext{quiet, progress, none, LanguageTable::English},
                       ParameterPage::kModeFile, a);
    ASSERT_EQ(page.Start(nullptr), ParameterPage::kStayOpen);
    page.table().FindField(ctl::pipeField(0, ctl::pipe::kDiameter))->setValue(512.3);
    page.table().FindField(ctl::totalizerField(1, ctl::totalizer::kUnit))->setInteger(0);
    ASSERT_EQ(page.SaveParameterSet(b), 0);

    auto diff = site.run({"params", "diff", a, b});
    EXPECT_EQ(diff.status, 1) << diff.err;
    EXPECT_EQ(diff.out,
              "Pipe\tExt. Diameter\t300.0 mm\t512.3 mm\n"
              "Totalizer(s)\tTotalizer 2: Unit\t m3\t ml\n");
    auto same = site.run({"params", "diff", a, a});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");
}

TEST(ParamsCommandTest, BadFilesAndArgumentsAreReported) {
    Site site;
    testing::writeFile(site.dir.file("bad.eta"), "not a settings file");
    auto bad = site.run({"params", "show", site.dir.file("bad.eta")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "Error: Incorrect File (" + site.dir.file("bad.eta") + ")\n");
    auto missing = site.run({"params", "show", site.dir.file("none.eta")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err,
              "Error: Couldn't open source file : " + site.dir.file("none.eta") + "\n");
    EXPECT_EQ(site.run({"params"}).status, 2);
    EXPECT_EQ(site.run({"params", "read"}).status, 2);
    EXPECT_EQ(site.run({"params", "diff", "a.eta"}).status, 2);
    EXPECT_EQ(site.run({"params", "show", "a.eta", "--bogus"}).status, 2);
}

}  // namespace
}  // namespace flowcfg
