#include "acquisition/BatteryExportColumns.h"

#include "acquisition/BatteryGaugePage.h"
#include "acquisition/LoggerLines.h"
#include "acquisition/SerialDateTime.h"
#include "acquisition/TransferContent.h"

namespace flowcfg {
namespace {

constexpr int kNumberText = 408;    // "N°"
constexpr int kDateText = 161;      // "Date"
constexpr int kTimeText = 508;      // "Time"
constexpr int kDateTimeText = 162;  // "DateTime"

}  // namespace

std::string BatteryExportColumns::headerLine() {
    std::string line;
    for (int id : {kNumberText, kDateText, kTimeText, kDateTimeText})
        line += page_.text(id) + "\t";
    for (const char* name :
         {"CPT_BAT", "FLGS1", "TEMPGG", "NAC", "NAC OLD", "BATID", "LMD", "FLGS2", "PPD", "PPU",
          "CPI", "DMF", "VSB", "VTS", "BATPOURCENT", "VSB VOLT", "VTS VOLT"})
        line += std::string(name) + "\t";
    return line + "\n";
}

std::string BatteryExportColumns::sampleLine() {
    const BatteryReading r = page_.blockReading();
    std::string line;
    auto column = [&line](const std::string& text) {
        line += text;
        line += '\t';
    };
    const InstrumentDate& d = r.date;
    column(LoggerLines::dateText(d));
    column(LoggerLines::timeText(d));
    column(
        SerialDateTime::text(SerialDateTime::of(d.year, d.month, d.day, d.hour, d.minute, d.second),
                             page_.decimalSeparator()));
    column(std::to_string(r.counter));
    column(BatteryReading::hexByte(r.flags1));
    column(BatteryReading::hexByte(r.temperature));
    column(std::to_string(r.nac));
    column(std::to_string(r.nacOld));
    column(BatteryReading::hexWord(r.batteryId));
    column(std::to_string(r.lmd));
    column(BatteryReading::hexByte(r.flags2));
    for (int value : {r.ppd, r.ppu, r.cpi, r.dmf})
        column(BatteryReading::hexWord(value));
    column(std::to_string(r.vsbRaw));
    column(std::to_string(r.vtsRaw));
    column(std::to_string(r.charge));
    column(page_.voltsText(r.vsbRaw));
    column(page_.voltsText(r.vtsRaw));
    return line + "\n";
}

std::string BatteryExportColumns::transferContent(const ExportFiles& files) {
    TransferContent t;
    t.add("TYPE", kPageType);
    t.add("F_IN", files.textFile);
    t.add("F_OUT", files.outputFile);
    t.addColumn("C_Num", 0);
    t.addColumn("C_Date", 1);
    t.addColumn("C_Heure", 2);
    t.addColumn("C_DateTime", 3);
    t.addColumn("BATPOURCENT", kChargeColumn);
    return t.text();
}

}  // namespace flowcfg
