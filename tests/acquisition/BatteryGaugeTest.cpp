// The battery page on recorded ".bq" files made byte by byte: what it shows of each reading,
// its chart, and its export as text, transfer keys and workbook.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>

#include "acquisition/BatteryGaugePage.h"
#include "acquisition/RecordFileTestSupport.h"
#include "acquisition/TransferKeys.h"
#include "acquisition/XlsxReader.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"

namespace flowcfg {
namespace {

using namespace flowcfg::testing;

// The bytes of block 0xFE00 for one reading, on 08/12/2026 at 10:20:s.
struct Block {
    int second = 0, counter = 1, flags1 = 0, tmpgg = 0x6A, vsb = 400, vts = 391, charge = 93,
        charger = 0x04;
    std::string bytes() const {
        std::string b(46, '\0');
        const int date[] = {26, 12, 8, 10, 20, second};
        for (int i = 0; i < 6; ++i)
            b[i] = char(date[i]);
        auto u16 = [&b](int at, int v) {
            b[at] = char(v >> 8);
            b[at + 1] = char(v & 0xFF);
        };
        u16(12, counter);
        b[15] = char(flags1);
        b[17] = char(tmpgg);
        u16(18, 2380);
        u16(20, 2381);
        u16(22, 0x2014);
        b[24] = 10;
        b[25] = 10;
        b[27] = char(0xB1);  // CR, DR 3, OVLD
        u16(28, 0x40);
        u16(30, 0x41);
        u16(32, 0);
        u16(34, 0x12);
        u16(36, vsb);
        u16(38, vts);
        u16(40, charge);
        u16(42, 929);
        b[45] = char(charger);
        return b;
    }
};

struct BatteryFile {
    TestApplication t;
    ScriptedPrompts prompts;
    InstrumentLink link;
    std::string path = t.dir.file("pack 2.bq");
    std::unique_ptr<BatteryGaugePage> made;
    BatteryGaugePage& page;

    explicit BatteryFile(const std::vector<Block>& blocks)
        : made((t.config().writeReal("Language", "Language", 1),  // English
                std::make_unique<BatteryGaugePage>(t.app, prompts, link))),
          page(*made) {
        std::vector<std::string> payloads;
        for (const Block& b : blocks)
            payloads.push_back(b.bytes());
        writeFile(path, recordFileOf("Battery gauge\nZq4xxKRw 03\n0\n", payloads));
        EXPECT_EQ(page.OpenPage(path), 0);
    }
    std::map<std::string, std::string> shown() {
        std::map<std::string, std::string> rows;
        for (const auto& row : page.rows())
            rows[row.caption] = row.value;
        return rows;
    }
};

TEST(BatteryGaugePageTest, EachReadingShowsItsRegistersBitsVoltsAndTemperatureClass) {
    struct Case {
        Block block;
        const char* temperature;
        const char* vsbVolts;
        std::map<std::string, std::string> rows;
    } cases[] = {
        {{.tmpgg = 0x4F, .vsb = 400}, "0°C < T < 10°C", "3.750", {{"TMPGG", "0x4F"}}},
        {{.tmpgg = 0x0A, .vsb = 0}, "T < -30°C", "0.000", {{"CHGS", "0"}, {"READY", "1"}}},
        {{.tmpgg = 0xC0, .vsb = 427}, "T > 80°C", "4.003", {}},
        {{.tmpgg = 0xD0}, "", "3.750", {}},  // classes above 12 have no text
        {{.flags1 = 0x83, .tmpgg = 0xF5, .charger = 0x09},
         "",
         "3.750",
         {{"FLGS1", "0x83"},
          {"CHGS", "1"},
          {"BRP", "0"},
          {"EDV1", "1"},
          {"EDVF", "1"},
          {"CHG FAULT", "1"},
          {"CHG", "0"},
          {"READY", "0"},
          {"TOP OF CHARGE", "1"}}},
    };
    std::vector<Block> blocks;
    for (const Case& c : cases)
        blocks.push_back(c.block);
    BatteryFile f(blocks);
    ASSERT_EQ(f.page.sampleCount(), int(std::size(cases)));
    for (int k = 0; k < int(std::size(cases)); ++k) {
        ASSERT_EQ(f.page.ShowSample(k), 0);
        EXPECT_EQ(f.page.temperatureText(), cases[k].temperature) << k;
        auto rows = f.shown();
        EXPECT_EQ(rows["VSB (V)"], cases[k].vsbVolts) << k;
        EXPECT_EQ(rows["VTS (V)"], "3.666") << k;  // 391 x 9.375 mV
        for (const auto& [caption, value] : cases[k].rows)
            EXPECT_EQ(rows[caption], value) << k << " " << caption;
    }
    auto rows = f.shown();
    EXPECT_EQ(rows["BATID"], "0x2014");
    EXPECT_EQ(rows["LMD x 256"], "10");
    EXPECT_EQ(rows["CR"], "1");
    EXPECT_EQ(rows["DR"], "3");
    EXPECT_EQ(rows["OVLD"], "1");
    EXPECT_EQ(rows["GAUGE"], "0.929");
    EXPECT_EQ(f.page.chart().size(), std::size(cases));
    EXPECT_DOUBLE_EQ(f.page.chart()[2].vsb, 427 * 0.009375);
}

TEST(BatteryGaugePageTest, ExportWritesItsLinesTransferKeysAndTheChargeChart) {
    BatteryFile f({{.second = 0, .counter = 7, .charge = 93},
                   {.second = 4, .counter = 8, .vsb = 398, .charge = 92}});
    SpreadsheetExport::Request text;
    text.pageType = "bq";
    text.recordPath = f.path;
    text.convert = true;
    text.automatic = true;
    text.startProgram = false;
    text.macro = "/macros/bq.xls";
    text.output = f.t.dir.file("pack.xls");
    ASSERT_EQ(f.page.Export(text), 0);
    std::istringstream lines(readFile(f.t.dir.file("KVNPrnTemp.prn")));
    std::string header, first, second;
    std::getline(lines, header);
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(header,
              "N°\tDate\tTime\tDateTime\tCPT_BAT\tFLGS1\tTEMPGG\tNAC\tNAC OLD\tBATID\tLMD\t"
              "FLGS2\tPPD\tPPU\tCPI\tDMF\tVSB\tVTS\tBATPOURCENT\tVSB VOLT\tVTS VOLT\t");
    EXPECT_EQ(first,
              "1\t08/12/2026\t10:20:00\t46364.430556\t7\t0x00\t0x6A\t2380\t2381\t0x2014\t10\t"
              "0xB1\t0x0040\t0x0041\t0x0000\t0x0012\t400\t391\t93\t3.750\t3.666\t");
    EXPECT_EQ(second.substr(0, 30), "2\t08/12/2026\t10:20:04\t46364.43");
    const TransferKeys keys = TransferKeys::parse(readFile(f.t.dir.file("KVNTransfert.$dat")));
    std::vector<std::string> listed;
    for (const auto& entry : keys.entries())
        listed.push_back(entry.key + "=" + entry.value);
    EXPECT_EQ(listed,
              (std::vector<std::string>{"TYPE=bq", "F_IN=" + f.t.dir.file("KVNPrnTemp.prn"),
                                        "F_OUT=" + f.t.dir.file("pack.xls"), "C_Num=A", "C_Date=B",
                                        "C_Heure=C", "C_DateTime=D", "BATPOURCENT=S"}));

    SpreadsheetExport::Request book = text;
    book.macro = std::string();
    book.workbook = true;
    book.output = f.t.dir.file("pack.xlsx");
    ASSERT_EQ(f.page.Export(book), 0);
    XlsxReader reader(*book.output);
    ASSERT_TRUE(reader.ok()) << reader.error();
    const std::vector<std::string> sheets = reader.sheetNames();
    ASSERT_EQ(sheets.size(), 2u);
    auto chart = reader.chart(sheets[1]);
    ASSERT_TRUE(chart);
    ASSERT_EQ(chart->series.size(), 3u);
    EXPECT_EQ(chart->series[0].y, "'pack'!$S$2:$S$3");
    EXPECT_FALSE(chart->series[0].secondary);
    EXPECT_EQ(chart->series[1].y, "'pack'!$T$2:$T$3");
    EXPECT_EQ(chart->series[2].y, "'pack'!$U$2:$U$3");
    EXPECT_TRUE(chart->series[1].secondary && chart->series[2].secondary);
    auto cells = reader.cells(sheets[0]);
    EXPECT_EQ(cells["T3"].value, 3.731);  // 398 x 9.375 mV, as the text shows it
    EXPECT_EQ(cells["F2"].text, "0x00");
}

}  // namespace
}  // namespace flowcfg
