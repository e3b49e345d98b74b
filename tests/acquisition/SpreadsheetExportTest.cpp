// Export columns, transfer files and the spreadsheet pipeline, with a page's texts given by a
// stand-in and the spreadsheet program a script.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>

#include "acquisition/LoggerRecord.h"
#include "acquisition/LoggerTransfer.h"
#include "acquisition/NumberText.h"
#include "acquisition/RecordFile.h"
#include "acquisition/SerialDateTime.h"
#include "acquisition/SpreadsheetColumn.h"
#include "acquisition/SpreadsheetExport.h"
#include "acquisition/TransferContent.h"
#include "acquisition/WorkbookWriter.h"
#include "acquisition/XlsxReader.h"
#include "common/FrenchNumbers.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "params/EncodingCode.h"
#include "params/InstrumentDate.h"
#include "params/ProgressView.h"

namespace flowcfg {
namespace {

using testing::readFile;
using testing::ScriptedPrompts;
using testing::TempDir;
using testing::TestApplication;
using testing::writeFile;

TEST(ExportColumnsTest, ColumnLettersAndSerialDateTimeNumbers) {
    const std::pair<int, const char*> columns[] = {{0, "A"},     {25, "Z"},  {26, "AA"},
                                                   {29, "AD"},   {55, "BD"}, {701, "ZZ"},
                                                   {702, "AAA"}, {-1, ""}};
    for (const auto& [index, letters] : columns)
        EXPECT_EQ(spreadsheetColumn(index), letters) << index;

    struct Date {
        int y, mo, d, h, mi, s;
        double serial;
    } dates[] = {
        {1900, 1, 1, 0, 0, 0, 1},         {1900, 2, 28, 0, 0, 0, 59},
        {1900, 3, 1, 0, 0, 0, 61},        {2009, 1, 1, 0, 0, 0, 39814},
        {2009, 1, 1, 18, 0, 0, 39814.75}, {2024, 2, 29, 0, 0, 0, 45351},
        {9, 1, 1, 0, 0, 0, 39814},  // two-digit years
        {91, 1, 1, 0, 0, 0, 33239},       {90, 1, 1, 0, 0, 0, 69399},
    };
    for (const Date& d : dates)
        EXPECT_DOUBLE_EQ(SerialDateTime::of(d.y, d.mo, d.d, d.h, d.mi, d.s), d.serial) << d.y;
    EXPECT_EQ(SerialDateTime::text(39814.75, '.'), "39814.750000");
    EXPECT_EQ(SerialDateTime::text(39814.75, ','), "39814,750000");
}

TEST(ExportColumnsTest, NumbersKeepTheirPointUnderADecimalCommaLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    TempDir dir;
    if (!testing::useFrenchNumbers(dir)) GTEST_SKIP() << "no French locale and no localedef";
    char comma[16], point[16];
    std::snprintf(comma, sizeof comma, "%.1f", 1.5);
    {
        ScopedCNumbers cNumbers;
        std::snprintf(point, sizeof point, "%.1f", 1.5);
    }
    const std::string fixed = fixedDecimals(2.25, 2);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_STREQ(comma, "1,5");
    EXPECT_STREQ(point, "1.5");
    EXPECT_EQ(fixed, "2.25");
}

std::vector<std::string> keysOf(const std::string& content) {
    std::vector<std::string> keys;
    std::size_t at = 0;
    while (at < content.size()) {
        const std::size_t tab = content.find('\t', at);
        const std::size_t end = content.find('\n', at);
        EXPECT_LT(tab, end);
        keys.push_back(content.substr(at, tab - at));
        at = end + 1;
    }
    return keys;
}

std::string valueOf(const std::string& content, const std::string& key) {
    const std::size_t at = ("\n" + content).find("\n" + key + "\t");
    if (at == std::string::npos) return "(missing)";
    const std::size_t start = at + key.size() + 1;
    return content.substr(start, content.find('\n', start) - start);
}

TEST(ExportColumnsTest, LoggerTransferListsFourteenColumnSetsAndFourChartsWhateverN) {
    LoggerLines english(LanguageTable::English, '.');
    const std::string two = LoggerTransfer::content("/data/site 1/logger.log", 2, english);
    const std::string all = LoggerTransfer::content("/data/site 1/logger.log", 51, english);

    std::vector<std::string> expected = {"TYPE",   "F_IN",   "F_OUT",     "NB_VARIABLE",
                                         "C_Date", "C_Time", "C_DateTime"};
    for (int i = 1; i <= 14; ++i)
        for (const char* key : {"C_Variable", "C_Valeur", "C_Unite", "C_BonneMesure"})
            expected.push_back(key + std::to_string(i));
    for (const char* key : {"G1_Titre", "G1_Onglet", "G1_EchelleGauche1", "G1_EchelleGauche2",
                            "G1_EchelleGauche3", "G1_EchelleDroite1", "G1_EchelleDroite2"})
        expected.push_back(key);
    for (int g = 2; g <= 4; ++g) {
        const std::string p = "G" + std::to_string(g) + "_";
        for (const char* key :
             {"Titre", "Onglet", "EchelleGauche1", "EchelleDroite1", "EchelleDroite2",
              "EchelleDroite3", "EchelleDroite4", "EchelleDroite5"})
            expected.push_back(p + key);
    }
    EXPECT_EQ(keysOf(two), expected);
    EXPECT_EQ(keysOf(all), expected);

    const std::pair<const char*, const char*> values[] = {
        {"TYPE", "log"},
        {"F_IN", "/data/site 1/logger.log"},
        {"F_OUT", "/data/site 1/logger.xls"},
        {"NB_VARIABLE", "2"},
        {"C_DateTime", "C"},
        {"C_Variable1", "D"},
        {"C_BonneMesure1", "G"},
        {"C_Variable14", "BD"},
        {"C_BonneMesure14", "BG"},
        {"G1_Titre", "logger"},
        {"G1_Onglet", "QT"},
        {"G1_EchelleGauche1", "General / QT / Average"},
        {"G1_EchelleGauche3", "Pipe B / Q / Average"},
        {"G1_EchelleDroite1", "Pipe A / Velocity / Average"},
        {"G2_Onglet", "Q"},
        {"G2_EchelleGauche1", "Pipe / Q / Average"},
        {"G2_EchelleDroite3", "Pipe / Velocity C2 / Average"},
        {"G3_Onglet", "Pipe A"},
        {"G4_Titre", "logger"},
        {"G4_EchelleDroite5", "Pipe B / Velocity C4 / Average"},
    };
    for (const auto& [key, value] : values)
        EXPECT_EQ(valueOf(two, key), value) << key;
    EXPECT_EQ(valueOf(all, "NB_VARIABLE"), "51");
}

TEST(SpreadsheetProgramTest, MacroCapableProgramAndItsArguments) {
    struct Case {
        const char* path;
        const char* name;
        bool capable;
    } cases[] = {
        {"/opt/office/excel.exe", "excel.exe", true},
        {"/OPT/OFFICE/EXCEL.EXE", "excel.exe", true},  // capitals
        {"/opt/office/excel.exe", "EXCEL.EXE", true},
        {"/usr/bin/localc", "excel.exe", false},
        {"/usr/bin/localc", "", false},  // an empty name marks nothing
        {"", "excel.exe", false},
    };
    for (const Case& c : cases) {
        SpreadsheetProgram program{c.path, c.name};
        EXPECT_EQ(program.macroCapable(), c.capable) << c.path << " " << c.name;
    }

    // The keys, and start-up's placeholder for a program it did not find.
    TempDir dir;
    IniFile config(dir.file("site.cfg"));
    config.writeString("Spreadsheet", "Path Spreadsheet", "TartempionExcel.exe");
    EXPECT_FALSE(SpreadsheetProgram::Load(config).configured());
    config.writeString("Spreadsheet", "Path Spreadsheet", "/opt/calc");
    config.writeString("Spreadsheet", "Spreadsheet Name", "CALC");
    EXPECT_TRUE(SpreadsheetProgram::Load(config).macroCapable());
    SpreadsheetProgram::storeMacro(config, "log", "/m/logger.xls");
    EXPECT_EQ(config.readString("Spreadsheet", "Path Macro log", ""), "/m/logger.xls");
    EXPECT_EQ(SpreadsheetProgram::loadMacro(config, "mes"), "");

    SpreadsheetProgram calc{"/usr/bin/localc", "excel.exe"};
    EXPECT_EQ(calc.arguments("/d/a b.prn", "/d/", "/m/x.xls"),
              std::vector<std::string>{"/d/a b.prn"});
    SpreadsheetProgram excel{"/opt/EXCEL.EXE", "excel.exe"};
    EXPECT_EQ(excel.arguments("/d/a.prn", "/d/", ""),
              (std::vector<std::string>{"/d/a.prn", "/p", "/d/"}));
    EXPECT_EQ(excel.arguments("/d/a.prn", "/d/", "/m/x.xls"),
              (std::vector<std::string>{"/d/a.prn", "/p", "/d/", "/m/x.xls"}));
}

// A page of one parameter block and two measurement blocks per sample, whose sample line is
// the text of its two measurement blocks.
class TwoBlockPage : public ExportColumns, public SampleStore {
public:
    std::string headerLine() override { return "Head " + parameter + "\n"; }
    std::string sampleLine() override { return blocks[0] + "\t" + blocks[1] + "\n"; }
    std::string transferContent(const ExportFiles& files) override {
        TransferContent t;
        t.add("TYPE", files.pageType);
        t.add("F_IN", files.textFile);
        t.add("F_OUT", files.outputFile);
        return t.text();
    }
    int parameterRecords() const override { return 1; }
    int blocksPerSample() const override { return 2; }
    bool storeRecord(int index, const std::vector<std::uint8_t>& payload) override {
        const std::string text(payload.begin(), payload.end());
        if (index == 0)
            parameter = text;
        else
            blocks[(index - 1) % 2] = text;
        return true;
    }
    std::string parameter, blocks[2];
};

class ScriptedMacroDialog : public MacroDialog {
public:
    std::optional<std::string> chooseMacro(const std::string& message, const std::string& title,
                                           const std::string& path) override {
        shown.push_back(path);
        EXPECT_NE(message.find("macro"), std::string::npos);
        EXPECT_EQ(title, "Choice of Macro");
        return answer;
    }
    std::optional<std::string> answer;
    std::vector<std::string> shown;
};

class RecordingLauncher : public ProgramLauncher {
public:
    int start(const std::string& program, const std::vector<std::string>& arguments) override {
        ++starts;
        this->program = program;
        this->arguments = arguments;
        return error;
    }
    int starts = 0, error = 0;
    std::string program;
    std::vector<std::string> arguments;
};

class CountingProgress : public ProgressView {
public:
    void setRange(int r) override { range = r; }
    void step() override { ++steps; }
    void hide() override { hidden = true; }
    void setStatus(const std::string& text) override { statuses.push_back(text); }
    int range = 0, steps = 0;
    bool hidden = false;
    std::vector<std::string> statuses;
};

struct ExportBench {
    TestApplication app;
    ScriptedPrompts prompts;
    PageBase page{app.app, prompts};
    TwoBlockPage columns;
    ScriptedMacroDialog macroDialog;
    RecordingLauncher launcher;
    CountingProgress progress;
    std::string lastDirectory = app.dir.file("last/");
    SpreadsheetExport exporter{page, columns, macroDialog, progress, launcher, lastDirectory};
    std::string recording = app.dir.file("site 3.mes");

    ExportBench() {
        IniFile config = app.config();
        config.writeReal("Language", "Language", 1);  // English
        config.writeString("Spreadsheet", "Path Spreadsheet", "");
        config.writeReal("Spreadsheet", "Export Format", 1);  // the text file
        page.reloadLanguage();
        std::filesystem::create_directories(lastDirectory);
        RecordFile file;
        EXPECT_EQ(file.create(recording, "Measurement"), RecordStatus::Ok);
        for (const char* payload : {"P0", "a1", "b1", "a2", "b2", "a3"}) {
            const std::string p = payload;
            file.append(std::vector<std::uint8_t>(p.begin(), p.end()));
        }
    }
    void setProgram(const std::string& path, const std::string& name = "excel.exe") {
        app.config().writeString("Spreadsheet", "Path Spreadsheet", path);
        app.config().writeString("Spreadsheet", "Spreadsheet Name", name);
    }
    int exportRecording(const std::string& type, bool automatic = false) {
        SpreadsheetExport::Request request;
        request.pageType = type;
        request.recordPath = recording;
        request.convert = true;
        request.automatic = automatic;
        return exporter.run(request, &columns);
    }
};

const char* kConverted = "Head P0\n1\ta1\tb1\n2\ta2\tb2\n";

TEST(SpreadsheetExportTest, WithoutAProgramTheTextFileIsWrittenAndNothingStarts) {
    ExportBench b;
    b.prompts.files.push_back(b.lastDirectory + "out");
    ASSERT_EQ(b.exportRecording("mes"), 0);
    ASSERT_EQ(b.prompts.fileRequests.size(), 1u);
    EXPECT_EQ(b.prompts.fileRequests[0].filter, "PRN File (*.prn)|*.prn||");
    EXPECT_EQ(b.prompts.fileRequests[0].initialPath, b.lastDirectory + "site 3");
    EXPECT_EQ(b.exporter.files().textFile, b.lastDirectory + "out.prn");
    EXPECT_EQ(readFile(b.lastDirectory + "out.prn"), kConverted);
    EXPECT_EQ(b.exporter.samplesWritten(), 2);
    EXPECT_EQ(b.launcher.starts, 0);
    EXPECT_TRUE(b.macroDialog.shown.empty());
    EXPECT_TRUE(b.progress.hidden);
    EXPECT_EQ(b.progress.statuses.front(), "Please wait!\r\n Conversion in progress! ");
    EXPECT_TRUE(b.prompts.errors.empty());
}

TEST(SpreadsheetExportTest, MacroCapableProgramWithoutAMacroGetsTheDirectoryOnly) {
    ExportBench b;
    b.setProgram("/OPT/OFFICE/EXCEL.EXE");
    ASSERT_EQ(b.exportRecording("mes", /*automatic=*/true), 0);
    const std::string dir = b.app.dir.path();
    EXPECT_EQ(b.exporter.files().outputFile, dir + "site 3.xls");
    EXPECT_EQ(readFile(dir + "KVNPrnTemp.prn"), kConverted);
    EXPECT_FALSE(std::filesystem::exists(dir + "site 3.xls"));  // the macro would write it
    EXPECT_FALSE(std::filesystem::exists(dir + "KVNTransfert.$dat"));
    EXPECT_EQ(b.launcher.program, "/OPT/OFFICE/EXCEL.EXE");
    EXPECT_EQ(b.launcher.arguments, (std::vector<std::string>{dir + "KVNPrnTemp.prn", "/p", dir}));
}

TEST(SpreadsheetExportTest, TheMacroDialogsPathIsKeptAndTheTransferFileWritten) {
    ExportBench b;
    b.setProgram("/opt/office/excel.exe");
    IniFile(b.app.configPath()).writeString("Spreadsheet", "Path Macro mes", "/macros/old.xls");
    b.macroDialog.answer = "/macros/mesure; v2.xls";
    b.prompts.files.push_back(b.lastDirectory + "book");
    ASSERT_EQ(b.exportRecording("mes"), 0);
    EXPECT_EQ(b.macroDialog.shown, std::vector<std::string>{"/macros/old.xls"});
    EXPECT_EQ(b.app.config().readString("Spreadsheet", "Path Macro mes", ""),
              "/macros/mesure; v2.xls");
    EXPECT_EQ(b.prompts.fileRequests[0].filter, "Excel File (*.xls)|*.xls||");
    const std::string dir = b.lastDirectory;
    EXPECT_EQ(readFile(dir + "KVNPrnTemp.prn"), kConverted);
    EXPECT_EQ(readFile(dir + "KVNTransfert.$dat"),
              "TYPE\tmes\nF_IN\t" + dir + "KVNPrnTemp.prn\nF_OUT\t" + dir + "book.xls\n");
    EXPECT_EQ(b.launcher.arguments, (std::vector<std::string>{dir + "KVNPrnTemp.prn", "/p", dir,
                                                              "/macros/mesure; v2.xls"}));

    // Cancel: on without the macro, as a plain text file.
    ExportBench c;
    c.setProgram("/opt/office/excel.exe");
    c.prompts.files.push_back(c.lastDirectory + "plain");
    ASSERT_EQ(c.exportRecording("mes"), 0);
    EXPECT_EQ(c.macroDialog.shown.size(), 1u);
    EXPECT_EQ(c.prompts.fileRequests[0].filter, "PRN File (*.prn)|*.prn||");
    EXPECT_EQ(c.launcher.arguments,
              (std::vector<std::string>{c.lastDirectory + "plain.prn", "/p", c.lastDirectory}));
    EXPECT_FALSE(std::filesystem::exists(c.lastDirectory + "KVNTransfert.$dat"));
}

TEST(SpreadsheetExportTest, FailuresAreReportedAndNothingIsStarted) {
    struct Case {
        const char* name;
        std::function<void(ExportBench&)> prepare;
        const char* message;
    } cases[] = {
        {"not a recording", [](ExportBench& b) { writeFile(b.recording, "plain text"); },
         "Incorrect File"},
        {"no such directory",
         [](ExportBench& b) { b.prompts.files.push_back(b.app.dir.file("gone/out")); },
         "Can not open destination file !"},
        {"over the recording",
         [](ExportBench& b) {
             std::filesystem::rename(b.recording, b.app.dir.file("site 3.prn"));
             b.recording = b.app.dir.file("site 3.prn");
             b.prompts.files.push_back(b.app.dir.file("site 3"));
             b.prompts.answers.push_back(true);  // replace it? yes
         },
         "Same Source file as select file !"},
        {"program missing",
         [](ExportBench& b) {
             b.setProgram(b.app.dir.file("no-such-calc"));
             b.launcher.error = ENOENT;
         },
         "Couldn't open source file : No such file or directory"},
    };
    for (const Case& c : cases) {
        ExportBench b;
        b.prompts.files.push_back(b.lastDirectory + "out");
        c.prepare(b);
        if (b.prompts.files.size() > 1) b.prompts.files.pop_front();
        EXPECT_EQ(b.exportRecording(""), -1) << c.name;
        ASSERT_EQ(b.prompts.errors.size(), 1u) << c.name;
        EXPECT_EQ(b.prompts.errors[0].text, c.message) << c.name;
        EXPECT_EQ(b.prompts.errors[0].title, "Error");
        EXPECT_LE(b.launcher.starts, std::string(c.name) == "program missing" ? 1 : 0);
    }
    // A recording is never overwritten.
    ExportBench b;
    b.prompts.files.push_back(b.recording);
    b.prompts.answers.push_back(true);
    EXPECT_EQ(b.exportRecording(""), 0);  // "site 3.mes.prn" is another file
    RecordFile still;
    EXPECT_EQ(still.open(b.recording), RecordStatus::Ok);
    EXPECT_EQ(still.count(), 6);
}

// The spreadsheet program is a script that writes each argument it got on a line of its own.
std::string fakeProgram(const TempDir& dir, const std::string& name) {
    const std::string path = dir.file(name);
    writeFile(path,
              "#!/bin/sh\n"
              "out=\"$(dirname \"$0\")/arguments\"\n"
              "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$out.tmp\"\n"
              "mv \"$out.tmp\" \"$out\"\n");
    ::chmod(path.c_str(), 0755);
    return path;
}

std::string awaitFile(const std::string& path) {
    for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return readFile(path);
}

TEST(SpreadsheetExportTest, AnyFileNameReachesTheProgramAsOneArgument) {
    ExportBench b;
    SpawnLauncher spawn;
    SpreadsheetExport exporter(b.page, b.columns, b.macroDialog, b.progress, spawn,
                               b.lastDirectory);
    const std::string log = b.app.dir.file("-x \"site\"; rm -rf $HOME 'a' b.log");
    writeFile(log, "Date\tTime\n");

    b.setProgram(fakeProgram(b.app.dir, "calc"));
    SpreadsheetExport::Request request;
    request.pageType = "log";
    request.recordPath = log;
    ASSERT_EQ(exporter.run(request), 0);
    EXPECT_EQ(awaitFile(b.app.dir.file("arguments")), log + "\n");

    std::filesystem::remove(b.app.dir.file("arguments"));
    b.setProgram(fakeProgram(b.app.dir, "my-excel"), "MY-EXCEL");
    b.macroDialog.answer = "-m \"macro\".xls";
    ASSERT_EQ(exporter.run(request), 0);
    EXPECT_EQ(awaitFile(b.app.dir.file("arguments")),
              log + "\n/p\n" + b.app.dir.path() + "\n-m \"macro\".xls\n");
    EXPECT_EQ(valueOf(readFile(b.app.dir.file("KVNTransfert.$dat")), "F_IN"), log);

    b.setProgram(b.app.dir.file("not-there"));
    EXPECT_EQ(exporter.run(request), -1);
    ASSERT_EQ(b.prompts.errors.size(), 1u);
    EXPECT_EQ(b.prompts.errors[0].text, "Couldn't open source file : No such file or directory");
}

TEST(SpreadsheetProgramTest, WorkbookUnlessTheMacroCapableProgramOrTheTextIsChosen) {
    struct Case {
        const char* path;
        const char* stored;  // "Export Format", nullptr: missing
        SpreadsheetProgram::ExportFormat format;
    } cases[] = {
        {"/usr/bin/localc", nullptr, SpreadsheetProgram::kWorkbook},
        {"", nullptr, SpreadsheetProgram::kWorkbook},
        {"/opt/office/EXCEL.EXE", nullptr, SpreadsheetProgram::kTextFile},
        {"/usr/bin/localc", "1.000000", SpreadsheetProgram::kTextFile},
        {"/opt/office/excel.exe", "0.000000", SpreadsheetProgram::kWorkbook},
        {"/usr/bin/localc", "7.000000", SpreadsheetProgram::kWorkbook},  // nonsense: default
    };
    for (const Case& c : cases) {
        TestApplication app;
        IniFile config = app.config();
        config.writeString("Spreadsheet", "Path Spreadsheet", c.path);
        if (c.stored) config.writeString("Spreadsheet", "Export Format", c.stored);
        EXPECT_EQ(SpreadsheetProgram::Load(config).format(), c.format) << c.path << " " << c.stored;
    }
}

TEST(SpreadsheetExportTest, WorkbookExportWritesNameXlsxAndOpensIt) {
    // A recording, through the save dialog.
    ExportBench b;
    b.setProgram("/usr/bin/localc");
    b.app.config().writeReal("Spreadsheet", "Export Format", 0);
    b.prompts.files.push_back(b.lastDirectory + "book");
    ASSERT_EQ(b.exportRecording("mes"), 0);
    EXPECT_EQ(b.prompts.fileRequests[0].filter, "Workbook (*.xlsx)|*.xlsx||");
    const std::string book = b.lastDirectory + "book.xlsx";
    EXPECT_EQ(b.launcher.arguments, std::vector<std::string>{book});
    EXPECT_FALSE(std::filesystem::exists(b.lastDirectory + "book.prn"));
    testing::XlsxReader reader(book);
    ASSERT_TRUE(reader.ok()) << reader.error();
    auto cells = reader.cells("book");
    EXPECT_EQ(cells["A1"].text, "Head P0");
    EXPECT_TRUE(cells["A3"].number);
    EXPECT_EQ(cells["A3"].value, 2);
    EXPECT_EQ(cells["C3"].text, "b2");
    EXPECT_FALSE(cells.count("A4"));
    EXPECT_EQ(b.exporter.samplesWritten(), 2);
    EXPECT_TRUE(b.progress.hidden);

    // A ".log" file: beside it, without a dialog; asked by the caller without a program.
    ExportBench c;
    const std::string log = c.app.dir.file("site 1.log");
    writeFile(log,
              "Date\tTime\tDateTime\t\n01/01/2009\t12:00:00\t39814,500000\t\n"
              "01/01/2009\t18:00:00\t39814,750000\t\n");
    SpreadsheetExport::Request request;
    request.pageType = "log";
    request.recordPath = log;
    request.workbook = true;
    ASSERT_EQ(c.exporter.run(request), 0);
    EXPECT_EQ(c.launcher.starts, 0);
    EXPECT_EQ(c.exporter.files().textFile, c.app.dir.file("site 1.xlsx"));
    testing::XlsxReader logBook(c.app.dir.file("site 1.xlsx"));
    ASSERT_TRUE(logBook.ok()) << logBook.error();
    auto logCells = logBook.cells("site 1");
    EXPECT_EQ(logCells["C3"].value, 39814.75);
    EXPECT_EQ(logCells["C3"].format, "dd/mm/yyyy hh:mm:ss");
    EXPECT_EQ(logCells["B2"].text, "12:00:00");
    EXPECT_TRUE(c.prompts.errors.empty());

    // A workbook that cannot be written is reported, and nothing starts.
    ExportBench d;
    d.setProgram("/usr/bin/localc");
    request.recordPath = d.app.dir.file("missing.log");
    EXPECT_EQ(d.exporter.run(request), -1);
    ASSERT_EQ(d.prompts.errors.size(), 1u);
    EXPECT_EQ(d.prompts.errors[0].text, "Incorrect File");
    EXPECT_EQ(d.launcher.starts, 0);
}

// The logger page's own lines and transfer keys, in French, make the logger's charts: each axis
// key finds the logged parameter of that name, charts without one are left out.
TEST(SpreadsheetExportTest, LoggerLinesAndTransferKeysMakeTheLoggerCharts) {
    LoggerLines lines(LanguageTable::French, ',');
    struct Logged {
        int category, name;
        float value;
    } logged[] = {{0, 1, 125.5f}, {2, 1, 60.25f}, {2, 2, 1.5f}};  // QT, Pipe A Q, its velocity
    const int n = 3;
    TempDir dir;
    const std::string path = dir.file("site.xlsx");
    WorkbookWriter writer(path, workbookOptions("/d/site.log", path, "Identification"));
    ASSERT_EQ(writer.begin(lines.header(n), LoggerTransfer::content("/d/site.log", n, lines)), 0);
    for (int r = 0; r < 5; ++r) {
        std::vector<std::uint8_t> record(LoggerRecord::bytes(n), 0);
        InstrumentDate date{2009, 1, 1, 12, r, 0};
        InstrumentDate::writeRaw(EncodingCode::kDateBytes, date.toRaw(EncodingCode::kDateBytes),
                                 record.data(), 6, 0);
        for (int i = 0; i < n; ++i) {
            std::uint8_t* e = record.data() + 6 + 8 * i;
            float value = logged[i].value + float(r);
            std::uint32_t bits;
            std::memcpy(&bits, &value, 4);
            for (int b = 0; b < 4; ++b)
                e[b] = std::uint8_t(bits >> (24 - 8 * b));
            e[4] = std::uint8_t(logged[i].category | (1 << 4));  // the average
            e[5] = std::uint8_t(logged[i].name);
            e[7] = 100;
        }
        ASSERT_EQ(writer.addSample(lines.recordLine(record.data(), n)), 0) << writer.error();
    }
    ASSERT_EQ(writer.finish(), 0) << writer.error();

    testing::XlsxReader reader(path);
    ASSERT_TRUE(reader.ok()) << reader.error();
    const std::string total = lines.nameText(0, 1), pipeA = lines.categoryText(2);
    EXPECT_EQ(reader.sheetNames(), (std::vector<std::string>{"site", total, pipeA}));
    auto cells = reader.cells("site");
    EXPECT_EQ(cells["E6"].value, 129.5);  // record 5's QT
    EXPECT_EQ(cells["C2"].format, "dd/mm/yyyy hh:mm:ss");
    auto first = reader.chart(total);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->title, "site");
    ASSERT_EQ(first->series.size(), 3u);
    EXPECT_EQ(first->series[0].y, "'site'!$E$2:$E$6");
    EXPECT_EQ(first->series[1].y, "'site'!$I$2:$I$6");
    EXPECT_EQ(first->series[2].y, "'site'!$M$2:$M$6");
    EXPECT_TRUE(first->series[2].secondary);
    EXPECT_EQ(first->series[0].name.rfind(lines.categoryText(0) + " / " + total, 0), 0u);
    auto pipe = reader.chart(pipeA);
    ASSERT_TRUE(pipe);
    ASSERT_EQ(pipe->series.size(), 2u);
    EXPECT_EQ(pipe->series[0].y, "'site'!$I$2:$I$6");
    EXPECT_EQ(pipe->series[1].y, "'site'!$M$2:$M$6");
}

}  // namespace
}  // namespace flowcfg
