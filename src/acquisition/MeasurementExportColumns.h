#pragma once

#include <string>
#include <vector>

#include "acquisition/ExportColumns.h"

namespace flowcfg {

class MeasurementPage;

// The measurement page's export columns, from the fields of its current sample:
//
//   header  "N°", "Date", "Time", "DateTime", "Defaults"; the flows and velocities (two paths:
//           total flow, QA, velocity QA, QB, velocity QB; one path: flow and velocity), with the
//           instrument's flow unit; six columns per chord of each exported path (velocity,
//           sound velocity, transit time, delta-T, I.Q., gain); the four totalizers with their
//           source, weight and unit; the 24 inputs and outputs and the 10 function outputs
//           ("Not Used" when not used); "Serial Nbr."
//   sample  date, time and serial date-time number of the instrument's clock; the numbers of
//           the status bits that are set, each after a blank, in one column; then the values of
//           the columns above (empty for an input-output or a function output not in use)
//
// Each column is followed by a tab, each line ended by "\n"; numbers carry the user's decimal
// separator. An instrument of type "2 Pipes" exports both paths.
class MeasurementExportColumns : public ExportColumns {
public:
    static constexpr const char* kPageType = "mes";
    static constexpr int kChordColumns = 6;

    explicit MeasurementExportColumns(MeasurementPage& page);

    std::string headerLine() override;
    std::string sampleLine() override;
    std::string transferContent(const ExportFiles& files) override;

    // The paths the columns hold: {0} or {0, 1}.
    std::vector<int> exportedPaths();
    // The 0-based column of the first column (velocity) of chord `chord` (0-based) of `path`.
    int chordColumn(int path, int chord);

private:
    int flowColumns();
    std::string number(int controlId);

    MeasurementPage& page_;
    char separator_;
};

}  // namespace flowcfg
