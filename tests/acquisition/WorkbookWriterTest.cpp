#include "acquisition/WorkbookWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "acquisition/CellReference.h"
#include "acquisition/ExportTexts.h"
#include "acquisition/WorkbookFields.h"
#include "acquisition/XlsxReader.h"
#include "common/TempDir.h"

namespace flowcfg {
namespace {

using namespace flowcfg::testing;

// The decimal separator is left to the writer, which reads it from the date-time numbers.
WorkbookWriter::Options optionsFor(const std::string& name) {
    WorkbookWriter::Options options;
    options.dataSheetName = name;
    options.identificationSheet = "Identification";
    options.defaultTitle = name;
    return options;
}

// Writes `texts` into dir/name.xlsx and reads the workbook back.
XlsxReader written(const TempDir& dir, const std::string& name, const ExportTexts& texts,
                   WorkbookWriter::Options options) {
    std::string path = dir.file(name + ".xlsx");
    WorkbookWriter writer(path, options);
    EXPECT_EQ(writer.begin(texts.header, texts.transfer), 0) << writer.error();
    for (const std::string& line : texts.samples)
        EXPECT_EQ(writer.addSample(line), 0) << writer.error();
    EXPECT_EQ(writer.finish(), 0) << writer.error();
    XlsxReader reader(path);
    EXPECT_TRUE(reader.ok()) << reader.error();
    return reader;
}

std::string cellName(int column, int row) {
    return CellReference::columnLetters(column) + std::to_string(row + 1);
}

// Every cell of the data sheet against the text it came from: a number where the text is a
// number, the same text otherwise, nothing where the field is empty; the date-time column with
// its date format. Returns the number of rows checked.
void expectSheetHoldsTexts(const XlsxReader& reader, const std::string& sheet,
                           const ExportTexts& texts, std::size_t firstSample, std::size_t count,
                           int dateTimeColumn, char separator) {
    auto cells = reader.cells(sheet);
    std::vector<std::string_view> header = splitExportLine(texts.header);
    for (std::size_t c = 0; c < header.size(); ++c) {
        ASSERT_TRUE(cells.count(cellName(int(c), 0))) << sheet << " header " << c;
        EXPECT_EQ(cells[cellName(int(c), 0)].text, header[c]);
    }
    for (std::size_t s = 0; s < count; ++s) {
        std::vector<std::string_view> fields = splitExportLine(texts.samples[firstSample + s]);
        for (std::size_t c = 0; c < fields.size(); ++c) {
            std::string name = cellName(int(c), int(s + 1));
            if (fields[c].empty()) {
                EXPECT_FALSE(cells.count(name)) << name;
                continue;
            }
            ASSERT_TRUE(cells.count(name)) << sheet << "!" << name;
            const XlsxReader::Cell& cell = cells[name];
            std::string text(fields[c]);
            std::string decimal = text;
            for (char& ch : decimal)
                if (ch == separator) ch = '.';
            char* end = nullptr;
            double value = std::strtod(decimal.c_str(), &end);
            // Plain decimals only: "0x80" (a register in hex) and "01/02/00345" are texts.
            static const std::regex decimalNumber("[+-]?([0-9]+[.]?[0-9]*|[.][0-9]+)");
            bool isNumber = std::regex_match(decimal, decimalNumber) && *end == '\0';
            EXPECT_EQ(cell.number, isNumber) << name << " \"" << text << "\"";
            if (isNumber) {
                EXPECT_DOUBLE_EQ(cell.value, value) << name;
            } else {
                EXPECT_EQ(cell.text, text) << name;
            }
            EXPECT_EQ(cell.format, int(c) == dateTimeColumn ? "dd/mm/yyyy hh:mm:ss" : "") << name;
        }
        EXPECT_NEAR(cells[cellName(dateTimeColumn, int(s + 1))].value,
                    sampleDateTime(int(firstSample + s)), 1e-6);
    }
    EXPECT_FALSE(cells.count(cellName(0, int(count + 1)))) << "rows beyond the samples";
}

struct ExpectedSeries {
    int column;
    bool secondary;
};

void expectChart(const XlsxReader& reader, const std::string& sheet, const std::string& title,
                 const std::string& dataSheet, int rows, int dateTimeColumn,
                 const std::vector<ExpectedSeries>& series) {
    auto chart = reader.chart(sheet);
    ASSERT_TRUE(chart) << sheet;
    EXPECT_EQ(chart->title, title) << sheet;
    ASSERT_EQ(chart->series.size(), series.size()) << sheet;
    for (std::size_t i = 0; i < series.size(); ++i) {
        const auto& got = chart->series[i];
        EXPECT_EQ(got.x, CellReference::columnRange(dataSheet, dateTimeColumn, 1, rows)) << sheet;
        EXPECT_EQ(got.y, CellReference::columnRange(dataSheet, series[i].column, 1, rows))
            << sheet << " series " << i;
        EXPECT_EQ(got.secondary, series[i].secondary) << sheet << " series " << i;
    }
}

TEST(WorkbookWriterTest, MeasurementWorkbooksHoldTheSamplesAndTheDesignedCharts) {
    struct Case {
        std::vector<int> chords;
        char separator;
        std::vector<std::string> sheets;
    };
    const Case cases[] = {
        {{4}, ',', {"record", "Identification", "Pipe North", "Delta T (ns)", "Time (µs)"}},
        {{3, 2},
         '.',
         {"record", "Identification", "G1", "Pipe North", "Pipe South", "Delta T (ns)",
          "Time (µs)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chords.size());
        TempDir dir;
        const int samples = 30;
        ExportTexts texts = measurementExport(c.chords, samples, c.separator);
        XlsxReader reader = written(dir, "record", texts, optionsFor("record"));
        ASSERT_TRUE(reader.ok());
        EXPECT_EQ(reader.sheetNames(), c.sheets);
        EXPECT_EQ(reader.activeSheet(), c.sheets[2]);
        expectSheetHoldsTexts(reader, "record", texts, 0, samples, 3, c.separator);

        auto identification = reader.cells("Identification");
        EXPECT_EQ(identification["A1"].text, "SOFT_IHM");
        EXPECT_EQ(identification["B1"].text, "3.10");  // a version stays text
        EXPECT_EQ(identification["A4"].text, "NUM_SERIE_CARTE");
        EXPECT_EQ(identification["B4"].text, "01/02/00345");
        EXPECT_EQ(identification["A9"].text, "NOM_CONTROLEUR");
        EXPECT_EQ(identification["B9"].text, "Personne");

        // Chord columns: path A's from K (or H with one path), six per chord.
        bool two = c.chords.size() == 2;
        int base = two ? 10 : 7;
        std::vector<ExpectedSeries> deltaT, transit, pathA, pathB;
        pathA.push_back({two ? 6 : 5, false});
        pathA.push_back({two ? 7 : 6, true});
        pathB = {{8, false}, {9, true}};
        for (std::size_t p = 0; p < c.chords.size(); ++p) {
            for (int n = 0; n < c.chords[p]; ++n) {
                int chord = base + 6 * n;
                (p == 0 ? pathA : pathB).push_back({chord, true});
                deltaT.push_back({chord + 3, false});
                transit.push_back({chord + 2, false});
            }
            base += 6 * c.chords[p];
        }
        // The per-chord keys of both paths share their numbers: chord 1 of A, then of B ...
        if (two) {
            deltaT = {{13, false}, {31, false}, {19, false}, {37, false}, {25, false}};
            transit = {{12, false}, {30, false}, {18, false}, {36, false}, {24, false}};
            expectChart(reader, "G1", "record", "record", samples, 3,
                        {{5, false}, {6, false}, {8, false}, {7, true}, {9, true}});
            expectChart(reader, "Pipe South", "Pipe South", "record", samples, 3, pathB);
        }
        expectChart(reader, "Pipe North", "Pipe North", "record", samples, 3, pathA);
        expectChart(reader, "Delta T (ns)", "Delta T (ns)", "record", samples, 3, deltaT);
        expectChart(reader, "Time (µs)", "Time (µs)", "record", samples, 3, transit);
        auto chart = reader.chart("Pipe North");
        EXPECT_EQ(chart->series[0].nameReference,
                  "'record'!$" + CellReference::columnLetters(two ? 6 : 5) + "$1");
        EXPECT_EQ(chart->series[0].name, two ? "QA (m3/h)" : "Flow (m3/h)");
    }
}

TEST(WorkbookWriterTest, LoggerChartsAreOnTheirNamedSheetsWithTheLoggedParameters) {
    struct Case {
        int parameters;
        std::vector<std::string> sheets;
        std::map<std::string, std::vector<ExpectedSeries>> charts;
    };
    const Case cases[] = {
        {2, {"site", "QT"}, {{"QT", {{4, false}}}}},
        {14,
         {"site", "QT", "Q", "Pipe A", "Pipe B"},
         {{"QT", {{4, false}, {12, false}, {16, false}, {20, true}, {24, true}}},
          {"Q", {{28, false}, {32, true}, {36, true}}},
          {"Pipe A", {{12, false}, {20, true}, {40, true}, {44, true}}},
          {"Pipe B", {{16, false}, {24, true}, {48, true}}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameters);
        TempDir dir;
        const int samples = 12;
        ExportTexts texts = loggerExport(c.parameters, samples, ',');
        XlsxReader reader = written(dir, "site", texts, optionsFor("site"));
        ASSERT_TRUE(reader.ok());
        EXPECT_EQ(reader.sheetNames(), c.sheets);
        expectSheetHoldsTexts(reader, "site", texts, 0, samples, 2, ',');
        for (const auto& [sheet, series] : c.charts)
            expectChart(reader, sheet, "site", "site", samples, 2, series);
        EXPECT_EQ(reader.chart("QT")->series[0].name, "General / QT / Average (m3/h)");
    }
}

TEST(WorkbookWriterTest, BatteryWorkbookChartsTheChargeAndBothVoltages) {
    TempDir dir;
    ExportTexts texts = batteryExport(8, ',');
    XlsxReader reader = written(dir, "battery", texts, optionsFor("battery"));
    ASSERT_TRUE(reader.ok());
    EXPECT_EQ(reader.sheetNames(), (std::vector<std::string>{"battery", "G1"}));
    expectSheetHoldsTexts(reader, "battery", texts, 0, 8, 3, ',');
    expectChart(reader, "G1", "battery", "battery", 8, 3, {{18, false}, {19, true}, {20, true}});
}

TEST(WorkbookWriterTest, SamplesBeyondASheetContinueOnTheNextWithTheirCharts) {
    TempDir dir;
    ExportTexts texts = measurementExport({2}, 7, ',');
    WorkbookWriter::Options options = optionsFor("long");
    options.sheetRows = 3;
    XlsxReader reader = written(dir, "long", texts, options);
    ASSERT_TRUE(reader.ok());
    auto names = reader.sheetNames();
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 3),
              (std::vector<std::string>{"long", "long (2)", "long (3)"}));
    expectSheetHoldsTexts(reader, "long", texts, 0, 3, 3, ',');
    expectSheetHoldsTexts(reader, "long (2)", texts, 3, 3, 3, ',');
    expectSheetHoldsTexts(reader, "long (3)", texts, 6, 1, 3, ',');
    for (const char* sheet : {"long", "long (2)"}) {
        XmlNode xml = reader.sheetXml(sheet);
        auto pane = xml.all("pane");
        ASSERT_EQ(pane.size(), 1u);
        EXPECT_EQ(pane[0]->attribute("ySplit"), "1");
        EXPECT_EQ(pane[0]->attribute("state"), "frozen");
    }

    // Each series goes on over the three sheets, with one legend entry.
    auto chart = reader.chart("Delta T (ns)");
    ASSERT_TRUE(chart);
    ASSERT_EQ(chart->series.size(), 6u);
    std::vector<std::string> ys;
    for (const auto& series : chart->series)
        ys.push_back(series.y);
    EXPECT_EQ(ys, (std::vector<std::string>{"'long'!$K$2:$K$4", "'long'!$Q$2:$Q$4",
                                            "'long (2)'!$K$2:$K$4", "'long (2)'!$Q$2:$Q$4",
                                            "'long (3)'!$K$2:$K$2", "'long (3)'!$Q$2:$Q$2"}));
    EXPECT_EQ(chart->hiddenLegendEntries, (std::vector<int>{2, 3, 4, 5}));
}

TEST(WorkbookWriterTest, ColumnWidthsFitTheirTextsAndOddTextsAreMadeValid) {
    TempDir dir;
    ExportTexts texts;
    texts.header = "N\xB0\tDate\tTime\tDateTime\tA rather long column title\tx\t\n";  // Latin-1
    texts.samples = {"1\t01/01/2009\t12:00:00\t39814.5\t1\tbell\x07here\t\n",
                     "2\t01/01/2009\t12:01:00\t39814.500694\t2\t\xE9t\xE9\t\n"};
    XlsxReader reader = written(dir, "odd", texts, optionsFor("odd"));
    ASSERT_TRUE(reader.ok());
    auto cells = reader.cells("odd");
    EXPECT_EQ(cells["A1"].text, "N°");
    EXPECT_EQ(cells["F2"].text, "bellhere");
    EXPECT_EQ(cells["F3"].text, "été");
    std::map<std::string, double> widths;
    XmlNode xml = reader.sheetXml("odd");
    for (const XmlNode* col : xml.all("col"))
        widths[col->attribute("min")] = std::stod(col->attribute("width"));
    EXPECT_GE(widths["5"], 26);  // the long title
    EXPECT_GE(widths["4"], 19);  // a date and time
    EXPECT_LT(widths["1"], widths["4"]);
}

TEST(WorkbookWriterTest, LargeWorkbooksInZip64ArchivesReadBack) {
    TempDir dir;
    ExportTexts texts = measurementExport({2, 2}, 5, '.');
    WorkbookWriter::Options options = optionsFor("big");
    options.expectedSamples = 5000000;  // asks for a ZIP64 archive
    XlsxReader reader = written(dir, "big", texts, options);
    ASSERT_TRUE(reader.ok()) << reader.error();
    expectSheetHoldsTexts(reader, "big", texts, 0, 5, 3, '.');
    EXPECT_EQ(reader.chart("G1")->series.size(), 5u);
}

TEST(WorkbookWriterTest, AFailedOrAbandonedWorkbookLeavesNothingBehind) {
    TempDir dir;
    ExportTexts texts = measurementExport({2}, 3, '.');
    {
        WorkbookWriter writer(dir.file("missing/out.xlsx"), optionsFor("out"));
        EXPECT_EQ(writer.begin(texts.header, texts.transfer), -1);
        EXPECT_NE(writer.error().find("No such file or directory"), std::string::npos)
            << writer.error();
    }
    std::string path = dir.file("kept.xlsx");
    writeFile(path, "an earlier workbook");
    {
        WorkbookWriter writer(path, optionsFor("kept"));
        ASSERT_EQ(writer.begin(texts.header, texts.transfer), 0);
        ASSERT_EQ(writer.addSample(texts.samples[0]), 0);
    }  // abandoned before finish()
    EXPECT_EQ(readFile(path), "an earlier workbook");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
    WorkbookWriter empty(dir.file("empty.xlsx"), optionsFor("empty"));
    EXPECT_EQ(empty.begin("", texts.transfer), -1);
}

TEST(WorkbookFieldsTest, OnlyPlainDecimalNumbersAreNumbers) {
    struct Case {
        const char* field;
        char separator;
        std::optional<double> number;
    };
    const Case cases[] = {
        {"12", '.', 12},
        {"-3,250", ',', -3.25},
        {"3.250", ',', 3.25},
        {"+5", '.', 5},
        {".5", '.', 0.5},
        {"-0,000", ',', 0.0},
        {"1,5", '.', {}},
        {"01/02/2009", ',', {}},
        {"12:30:05", '.', {}},
        {"1.2.3", '.', {}},
        {"nan", '.', {}},
        {"-", '.', {}},
        {"", '.', {}},
        {" Alarm QA", '.', {}},
        {"AB__CD", '.', {}},
        {"1234567890123456", '.', {}},
        {"123456789012345", '.', 123456789012345.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(exportFieldNumber(c.field, c.separator), c.number);
    }
    EXPECT_EQ(splitExportLine("a\t\tb\t\r\n"), (std::vector<std::string_view>{"a", "", "b"}));
    EXPECT_TRUE(splitExportLine("\n").empty());
}

TEST(CellReferenceTest, ColumnLettersBothWays) {
    const std::pair<int, const char*> columns[] = {
        {0, "A"}, {25, "Z"}, {26, "AA"}, {29, "AD"}, {701, "ZZ"}, {702, "AAA"}, {16383, "XFD"}};
    for (const auto& [index, letters] : columns) {
        EXPECT_EQ(CellReference::columnLetters(index), letters);
        EXPECT_EQ(CellReference::columnIndex(letters), index);
    }
    EXPECT_EQ(CellReference::columnIndex("ad"), 29);
    for (const char* bad : {"", "A1", "XFE", "AAAA", "-"})
        EXPECT_FALSE(CellReference::columnIndex(bad)) << bad;
    EXPECT_EQ(CellReference::columnRange("Jean's", 3, 1, 9), "'Jean''s'!$D$2:$D$10");
}

TEST(SheetNamesTest, NamesASpreadsheetAccepts) {
    SheetNames names;
    const std::pair<const char*, const char*> cases[] = {
        {"QT", "QT"},
        {"qt", "qt (2)"},
        {"Pipe A / Q [avg]: *?", "Pipe A _ Q _avg__ __"},
        {"'quoted'", "quoted"},
        {"A name that is far longer than thirty-one characters", "A name that is far longer than"},
        {"A name that is far longer than thirty-one characters", "A name that is far longer t (2)"},
        {"History", "History_"},
        {"", "G1"},
    };
    for (const auto& [wished, accepted] : cases)
        EXPECT_EQ(names.take(wished, "G1"), accepted);
    EXPECT_EQ(names.take("", ""), "Sheet");
}

}  // namespace
}  // namespace flowcfg
