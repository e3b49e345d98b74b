// The measurement page's export: a recording made from flowsim, opened again and handed to the
// spreadsheet pipeline, compared column by column with what the page shows for each sample.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "acquisition/CompletionQueue.h"
#include "acquisition/MeasurementControls.h"
#include "acquisition/MeasurementPage.h"
#include "acquisition/TransferKeys.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "sim/SimTestSupport.h"

namespace flowcfg {
namespace {

using namespace flowcfg::testing;
using namespace std::chrono_literals;

class RecordingLauncher : public ProgramLauncher {
public:
    int start(const std::string& program, const std::vector<std::string>& arguments) override {
        this->program = program;
        this->arguments = arguments;
        return 0;
    }
    std::string program;
    std::vector<std::string> arguments;
};

std::vector<std::string> split(const std::string& text, char by) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, by))
        parts.push_back(part);
    return parts;
}

struct RecordedSite {
    TestApplication t;
    ScriptedPrompts prompts;
    RunningSim sim;
    InstrumentLink link;
    MeasurementLayout layout;
    std::string recording = t.dir.file("site.mes");

    RecordedSite(std::vector<std::string> args, MeasurementLayout shape, int samples)
        : sim(std::move(args)), layout(shape) {
        PortTable table;
        table.Assign(9, sim.path());
        PortTable::Install(table);
        IniFile config = t.config();
        config.writeReal("Com", "Port", 8);
        config.writeReal("Com", "Bauds", 5);
        config.writeReal("Com", "JBus", 1);
        config.writeReal("Language", "Language", 1);  // English
        config.writeString("Spreadsheet", "Path Spreadsheet", "/opt/office/EXCEL.EXE");
        config.writeString("Spreadsheet", "Path Macro mes", "/macros/mesure.xls");
        MeasurementPage page(t.app, prompts, link, layout);
        CompletionQueue queue;
        queue.attach(page);
        EXPECT_EQ(page.Build(nullptr), 0);
        page.StartAutomaticRecording(1, 0, recording);
        EXPECT_EQ(page.Open(), 0);
        const auto end = std::chrono::steady_clock::now() + 60s;
        while (page.sampleCounter() < samples && std::chrono::steady_clock::now() < end)
            queue.pump(page, 100ms);
        page.Close();
    }
};

struct Exported {
    std::vector<std::vector<std::string>> rows;  // the text file's lines, cut at the tabs
    TransferKeys keys;
    std::vector<std::string> arguments;
};

Exported exportRecording(RecordedSite& site, MeasurementPage& page) {
    RecordingLauncher launcher;
    page.setExportTools(nullptr, nullptr, &launcher);
    EXPECT_EQ(page.Build(nullptr), 0);
    EXPECT_EQ(page.Open(site.recording), 0);
    EXPECT_EQ(page.Export(/*automatic=*/true), 0);
    Exported out;
    for (const std::string& line : split(readFile(site.t.dir.file("KVNPrnTemp.prn")), '\n'))
        out.rows.push_back(split(line, '\t'));
    out.keys = TransferKeys::parse(readFile(site.t.dir.file("KVNTransfert.$dat")));
    out.arguments = launcher.arguments;
    return out;
}

std::string shown(MeasurementPage& page, int id) {
    BoundField* field = page.table().FindField(id);
    return field ? field->text() : std::string("(none)");
}

TEST(MeasurementExportTest, OnePathExportsItsColumnsAndTheSinglePathChartKeys) {
    RecordedSite site({"--pipes", "1", "--chords", "2", "2", "--modules", "1,3"}, {}, 3);
    MeasurementPage page(site.t.app, site.prompts, site.link, site.layout);
    const Exported e = exportRecording(site, page);
    EXPECT_TRUE(site.prompts.errors.empty());

    ASSERT_EQ(e.rows.size(), 4u);  // header and three samples
    const std::vector<std::string>& header = e.rows[0];
    const std::vector<std::string> first = {
        "N°",       "Date",        "Time",           "DateTime",
        "Defaults", "Flow (m3/h)", "Velocity (m/s)", "1 - Velocity (m/s)"};
    ASSERT_GE(header.size(), first.size());
    EXPECT_EQ(std::vector<std::string>(header.begin(), header.begin() + 8), first);
    EXPECT_EQ(header[13], "2 - Velocity (m/s)");
    EXPECT_EQ(header[7 + 6 * 2], "Totalizer 1 : QA 1 (m3)");
    EXPECT_EQ(header[7 + 6 * 2 + 4], "01 Analog Output");
    EXPECT_EQ(header[7 + 6 * 2 + 5], "Not Used");
    EXPECT_EQ(header.back(), "Serial Nbr.");
    for (const std::string& column : header) {  // (a totalizer may count QB all the same)
        EXPECT_NE(column.rfind("QB", 0), 0u) << column;
        EXPECT_EQ(column.find("Velocity QB"), std::string::npos) << column;
    }
    for (std::size_t s = 1; s < e.rows.size(); ++s)
        EXPECT_EQ(e.rows[s].size(), header.size()) << s;

    // Each sample as the page shows it.
    for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(page.ShowSample(k), 0);
        const std::vector<std::string>& row = e.rows[std::size_t(k) + 1];
        EXPECT_EQ(row[0], std::to_string(k + 1));
        EXPECT_EQ(row[1] + " - " + row[2], shown(page, mctl::kDateTime));
        EXPECT_EQ(row[5], shown(page, mctl::kFlowA));
        EXPECT_EQ(row[6], shown(page, mctl::kVelocityA));
        EXPECT_EQ(row[7], shown(page, mctl::chordField(0, 0, mctl::chord::kVelocity)));
        EXPECT_EQ(row[10], shown(page, mctl::chordField(0, 0, mctl::chord::kDeltaT)));
        EXPECT_EQ(row.back(), page.IdentitySerial(0));
        EXPECT_EQ(row[7 + 12 + 4 + 1], "") << "slot 2 holds no module";
    }

    const TransferKeys& keys = e.keys;
    EXPECT_EQ(keys.value("TYPE"), "mes");
    EXPECT_EQ(keys.value("F_IN"), site.t.dir.file("KVNPrnTemp.prn"));
    EXPECT_EQ(keys.value("F_OUT"), site.t.dir.file("site.xls"));
    EXPECT_EQ(keys.value("F_IN_2"), site.t.dir.file("testTemp.xls"));
    EXPECT_EQ(keys.value("NOM_CONTROLEUR"), "Personne");
    EXPECT_EQ(keys.value("NUM_SERIE_CARTE"), page.IdentitySerial(1));
    EXPECT_EQ(keys.value("MODULE_1"), "Analog Output");
    EXPECT_EQ(keys.value("MODULE_2"), "Not Used");
    EXPECT_EQ(keys.value("G2_ECHELLE_GAUCHE_1"), "F");
    EXPECT_EQ(keys.value("G2_ECHELLE_DROITE_1"), "G");
    EXPECT_EQ(keys.value("G2_ECHELLE_DROITE_2"), "H");  // chord 1's velocity
    EXPECT_EQ(keys.value("G4_ECHELLE_GAUCHE_2"), "K");  // its delta-T
    EXPECT_EQ(keys.value("G5_ECHELLE_GAUCHE_3"), "P");  // chord 2's transit time
    for (const char* absent : {"G1_ECHELLE_GAUCHE_1", "G3_ECHELLE_GAUCHE_1", "G3_ECHELLE_DROITE_2"})
        EXPECT_FALSE(keys.has(absent)) << absent;

    EXPECT_EQ(e.arguments, (std::vector<std::string>{site.t.dir.file("KVNPrnTemp.prn"), "/p",
                                                     site.t.dir.path(), "/macros/mesure.xls"}));
}

TEST(MeasurementExportTest, TwoPathsExportBothPathsAndTheirCharts) {
    RecordedSite site({"--pipes", "2", "--chords", "3", "2"}, {2, true, true}, 2);
    MeasurementPage page(site.t.app, site.prompts, site.link, site.layout);
    const Exported e = exportRecording(site, page);
    ASSERT_EQ(e.rows.size(), 3u);
    const std::vector<std::string>& header = e.rows[0];
    EXPECT_EQ(std::vector<std::string>(header.begin() + 5, header.begin() + 11),
              (std::vector<std::string>{"QT (m3/h)", "QA (m3/h)", "Velocity QA (m/s)", "QB (m3/h)",
                                        "Velocity QB (m/s)", "QA 1 - Velocity (m/s)"}));
    const int pathB = 10 + 6 * 3;  // after the three chords of path A
    EXPECT_EQ(header[std::size_t(pathB)], "QB 1 - Velocity (m/s)");
    EXPECT_EQ(header[std::size_t(pathB) + 6 * 2], "Totalizer 1 : QA 1 (m3)");
    ASSERT_EQ(page.ShowSample(1), 0);
    EXPECT_EQ(e.rows[2][8], shown(page, mctl::kFlowB));
    EXPECT_EQ(e.rows[2][std::size_t(pathB) + 3],
              shown(page, mctl::chordField(1, 0, mctl::chord::kDeltaT)));

    const TransferKeys& keys = e.keys;
    EXPECT_EQ(keys.value("G2_TITRE"), "QA - QB");
    EXPECT_EQ(keys.value("G1_ECHELLE_GAUCHE_3"), "I");
    EXPECT_EQ(keys.value("G3_ECHELLE_DROITE_1"), "J");
    EXPECT_EQ(keys.value("G2_ECHELLE_DROITE_4"), "W");   // chord 3 of path A: column 22
    EXPECT_EQ(keys.value("G3_ECHELLE_DROITE_2"), "AC");  // chord 1 of path B: column 28
}

}  // namespace
}  // namespace flowcfg
