#pragma once

#include <string>

#include "acquisition/ExportColumns.h"

namespace flowcfg {

class BatteryGaugePage;

// The battery page's export columns, from the reading the page holds:
//
//   header  "N°", "Date", "Time", "DateTime", "CPT_BAT", "FLGS1", "TEMPGG", "NAC", "NAC OLD",
//           "BATID", "LMD", "FLGS2", "PPD", "PPU", "CPI", "DMF", "VSB", "VTS", "BATPOURCENT",
//           "VSB VOLT", "VTS VOLT"
//   sample  the same fields after the sample number: the reading's date, time and serial
//           date-time number, the counter, the flag bytes and 16-bit registers in hex ("0x6A",
//           "0x2014", texts in a workbook as well), the numbers, the charge in %, the volts
//
// Each column is followed by a tab, each line ended by "\n"; numbers carry the user's decimal
// separator. The transfer content names the type "bq", the files, and the columns of the
// number, date, time, date-time and charge ("BATPOURCENT"), from which the workbook draws its
// chart of the charge with VSB and VTS in volts.
class BatteryExportColumns : public ExportColumns {
public:
    static constexpr const char* kPageType = "bq";
    static constexpr int kChargeColumn = 18;

    explicit BatteryExportColumns(BatteryGaugePage& page) : page_(page) {}

    std::string headerLine() override;
    std::string sampleLine() override;
    std::string transferContent(const ExportFiles& files) override;

private:
    BatteryGaugePage& page_;
};

}  // namespace flowcfg
