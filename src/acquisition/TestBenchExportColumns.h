#pragma once

#include <string>

#include "acquisition/ExportColumns.h"

namespace flowcfg {

class TestBenchPage;

// The test bench page's export columns, from the frame the page holds:
//
//   header  three lines ("\r\n" at their ends): the instrument's software caption and version,
//           the timing software's caption and version, the number of chords; then the column
//           titles "N°", "Date", "DateTime", the ten one-byte frame fields, and per chord 1 ... 6
//           "nDT", "nAMAV", "nAVAM" (delta-T, transit time upstream to downstream, downstream to
//           upstream)
//   sample  the frame's date and time (PC clock) as "dd/mm/yyyy hh:mm:ss" and as a serial
//           date-time number, the ten byte values, the eighteen chord values
//
// The transfer content names the files (the measurement export "mesureTemp.xls" as the
// macro's second input), the identity, the date columns and, as chart 1, the six chords'
// delta-T.
class TestBenchExportColumns : public ExportColumns {
public:
    static constexpr const char* kSecondMacroInput = "mesureTemp.xls";
    static constexpr int kFirstChordColumn = 13;  // after N°, Date, DateTime and the ten bytes

    explicit TestBenchExportColumns(TestBenchPage& page);

    std::string headerLine() override;
    std::string sampleLine() override;
    std::string transferContent(const ExportFiles& files) override;

private:
    TestBenchPage& page_;
    char separator_;
};

}  // namespace flowcfg
