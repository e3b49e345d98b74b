// flowcfg-cli special, factory and functions against flowsim on a pseudo-terminal.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliSimSite.h"
#include "common/ScriptedPrompts.h"
#include "common/TempDir.h"
#include "params/FunctionPage.h"
#include "shell/IniFile.h"
#include "sim/SimTestSupport.h"

namespace flowcfg {
namespace {

using testing::RunningSim;
using testing::TempDir;

using Site = testing::CliSimSite;
using testing::hasLine;

TEST(PageCommandsTest, SpecialReadsShowsAndWritesTheIdentityAfterTheQuestion) {
    Site site;
    const std::string file = site.dir.file("unit.rsp");
    auto read = site.run({"special", "read", "-o", file});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out, file + ": serial number 24/07/00042, board 24/06/00117\n");
    auto show = site.run({"special", "show", file});
    ASSERT_EQ(show.status, 0) << show.err;
    EXPECT_TRUE(hasLine(show.out, "Serial Nbr.\t24/07/00042\t")) << show.out;
    EXPECT_TRUE(hasLine(show.out, "Hardware\tRT7-F\t")) << show.out;
    auto declined = site.run({"special", "write", file}, "n\n");
    EXPECT_EQ(declined.status, 1);
    EXPECT_EQ(site.writes(), 0);
    auto written = site.run({"special", "write", file}, "y\n");
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(site.writes(), 2);
    EXPECT_EQ(site.run({"special", "write"}).status, 2);
}

TEST(PageCommandsTest, FactorySendsTheCommandWithTheNameCutToTwelve) {
    Site site;
    auto upgrade = site.run({"factory", "upgrade", "KV440-FIRMWARE.BIN", "--yes"});
    ASSERT_EQ(upgrade.status, 0) << upgrade.err;
    EXPECT_TRUE(hasLine(upgrade.out, "upgrade \"KV440-FIRMWA\": sent")) << upgrade.out;
    EXPECT_NE(site.sim.log().find("command upgrade KV440-FIRMWA"), std::string::npos);
    EXPECT_EQ(site.run({"factory", "upgrade"}).status, 2);
}

TEST(PageCommandsTest, FunctionsReadShowAndDiffTheFunctionFiles) {
    Site site;
    const std::string a = site.dir.file("a.fct"), b = site.dir.file("b.fct");
    auto read = site.run({"functions", "read", "-o", a});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out, a + ": 0 function(s) defined\n");
    {
        testing::ScriptedPrompts prompts;
        auto page = FunctionPage::OpenFile(a, prompts, 2);
        ASSERT_TRUE(page);
        ASSERT_EQ(page->SetType(0, 8), 0);
        ASSERT_EQ(page->ApplyParameters(0, FunctionDefinitions::Store(8, {1, 2.5, 0.1})), 0);
        ASSERT_EQ(page->Save(b), 0);
    }
    auto show = site.run({"functions", "show", b});
    ASSERT_EQ(show.status, 0) << show.err;
    EXPECT_TRUE(hasLine(show.out, "Function 01 -> 10\tFunction N°1\ty = ax + b\t")) << show.out;
    EXPECT_TRUE(
        hasLine(show.out, "Function 01 -> 10\tFunction N°1: Settings\ty = 2.5 x QA + 0.1\t"));
    EXPECT_EQ(site.run({"functions", "diff", a, a}).status, 0);
    auto diff = site.run({"functions", "diff", a, b});
    EXPECT_EQ(diff.status, 1);
    EXPECT_TRUE(hasLine(diff.out, "Function 01 -> 10\tFunction N°1\tOff\ty = ax + b")) << diff.out;
    EXPECT_EQ(site.run({"functions", "show", site.dir.file("missing.fct")}).status, 2);
}

}  // namespace
}  // namespace flowcfg
