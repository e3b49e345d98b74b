// flowcfg-cli print on each page's files, made against flowsim: the PDF of every page type read
// back with poppler.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliTestSupport.h"
#include "common/PdfText.h"
#include "common/ScriptedPrompts.h"
#include "common/TempDir.h"
#include "params/BlockExchange.h"
#include "params/FactorySettingsPage.h"
#include "params/ProgressView.h"
#include "shell/IniFile.h"
#include "sim/SimTestSupport.h"

namespace flowcfg {
namespace {

using testing::RunningSim;
using testing::TempDir;

// One instrument (flowsim, one path of two chords) and a file of every page that prints.
struct PrintedPages {
    TempDir dir;
    RunningSim sim{{}};
    std::string config = dir.file("site.cfg");

    PrintedPages() {
        IniFile ini(config);
        ini.writeString("Ports", "COM9", sim.path());
        ini.writeReal("Com", "Port", 8);
        ini.writeReal("Com", "Bauds", 5);
        ini.writeReal("Com", "JBus", 1);
        ini.writeReal("Language", "Language", 1);  // English
        for (const auto& made : std::vector<std::vector<std::string>>{
                 {"params", "read", "-o", file("unit.eta")},
                 {"special", "read", "-o", file("unit.rsp")},
                 {"functions", "read", "-o", file("unit.fct")},
                 {"measure", "--cycles", "3", "--record", file("site.mes"), "--period", "1"},
                 {"battery", "--record", file("pack.bq"), "--duration", "0.02"}}) {
            const testing::CliRun run = this->run(made);
            EXPECT_EQ(run.status, 0) << made[0] << ": " << run.err;
        }
        testing::ScriptedPrompts prompts;
        NoProgress progress;
        OfflineExchange offline;
        FactorySettingsPage factory(PageContext{prompts, progress, offline, 2},
                                    BlockPage::kModeNew);
        EXPECT_EQ(factory.Start(nullptr), BlockPage::kStayOpen);
        factory.setChoice(FactorySettingsPage::kReset, true);
        factory.setUpgradeName("MAJ-K430");
        EXPECT_EQ(factory.Save(file("unit.rus")), 0);
    }
    std::string file(const std::string& name) const { return dir.file(name); }
    testing::CliRun run(std::vector<std::string> args) {
        args.insert(args.end(), {"--config", config});
        return testing::runCliCommand(args, testing::environmentIn(dir));
    }
};

TEST(PrintPagesTest, EveryPageFilePrintsItsPageReport) {
    PrintedPages site;
    struct Case {
        const char* file;
        const char* title;
        std::vector<std::pair<std::string, std::string>> fields;  // caption, value (its start)
        std::vector<std::string> present, absent;
    };
    const Case cases[] = {
        {"unit.eta", "Settings", {}, {"Unit Name", "Ext. Diameter"}, {"Definition of cords B"}},
        {"unit.rsp",
         "Special Settings",
         {{"Serial Nbr.", "24/07/00042"}, {"Hardware", "RT7-F"}, {"Flag Array 8", "0x0000"}},
         {},
         {"0x55AAAA55", "0x5A5A"}},
        {"unit.rus",
         "Factory Settings",
         {{"Reset", "Yes"}, {"Upgrade file name", "MAJ-K430"}},
         {},
         {"0x55AAAA55", "0x5A5A"}},
        {"unit.fct",
         "Function",
         {{"N° 01: Input variable", "QA"}, {"Output 02: Function", "2"}},
         {"Function N°20"},
         {"0x5A5A"}},
        {"site.mes",
         "Measurement",
         {{"Number of chords", "2"}, {"Transit time (µs)", "2"}, {"QA", "1"}},
         {"Pipe A", "Chord 2", "Output 10"},
         {"Pipe B", "Chord 3"}},
        {"pack.bq",
         "Battery gauge",
         {{"Board Serial Nbr.", "24/07/00042"},
          {"VSB (V)", "3."},
          {"TMPGG", "0x"},
          {"TOP OF CHARGE", "0"}},
         {"CPT_BAT", "V(VSB) < V(VTS) - 100mV => EDV1 = 1"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string pdf = site.file(std::string(c.file) + ".pdf");
        const testing::CliRun run = site.run({"print", site.file(c.file), "--pdf", pdf});
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string text = testing::pdfText(pdf);
        const std::string title = text.substr(0, text.find('\n'));
        EXPECT_NE(title.find(c.title), std::string::npos) << title;
        EXPECT_NE(title.find(c.file), std::string::npos) << title;
        EXPECT_NE(text.find("Printed at "), std::string::npos);
        EXPECT_NE(text.find("Zq4xxKRw 03"), std::string::npos);
        for (const auto& [caption, value] : c.fields)
            EXPECT_TRUE(testing::hasLineWith(text, caption, value)) << caption << " " << value;
        for (const std::string& shown : c.present)
            EXPECT_NE(text.find(shown), std::string::npos) << shown;
        for (const std::string& left : c.absent)
            EXPECT_EQ(text.find(left), std::string::npos) << left;
    }

    // A recording prints its last sample, or the one --sample names.
    const std::string pdf = site.file("first.pdf");
    EXPECT_EQ(site.run({"print", site.file("site.mes"), "--pdf", pdf, "--sample", "1"}).status, 0);
    EXPECT_EQ(testing::pdfPages(pdf), 2);
    const testing::CliRun beyond =
        site.run({"print", site.file("pack.bq"), "--pdf", pdf, "--sample", "99"});
    EXPECT_EQ(beyond.status, 1);
    EXPECT_NE(beyond.err.find("no sample 99 (the file holds "), std::string::npos) << beyond.err;
}

}  // namespace
}  // namespace flowcfg
