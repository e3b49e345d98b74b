#pragma once

#include <string>
#include <vector>

#include "acquisition/ChartPlanner.h"

namespace flowcfg {

// A data sheet of a workbook: its name and its number of sample rows (row 1 is the header).
struct DataSheetPart {
    std::string name;
    int rows = 0;
};

// The chart part (DrawingML "chartSpace") of one planned chart: straight lines without markers
// of every series against the date-time column (a scatter chart, so that the time axis is a
// real time scale: samples a second apart stay a second apart, and a gap in the recording shows
// as a gap), the title, a legend below the plot, the left-scale series on the primary value
// axis and the right-scale ones on a secondary axis on the right. When the samples continue on
// further data sheets, each series continues there in the same colour, without a second
// legend entry. Names come from the header row (with the header text cached in the chart).
std::string chartXml(const ChartPlan& chart, const std::vector<DataSheetPart>& parts,
                     int dateTimeColumn, const std::vector<std::string>& header);

// `text` with the five characters XML reserves escaped.
std::string xmlEscaped(const std::string& text);

}  // namespace flowcfg
