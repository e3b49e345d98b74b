#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "acquisition/TransferKeys.h"

namespace flowcfg {

// One line of a chart: the values of one column of the data sheet against the date-time
// column, on the left scale or on the right (secondary) one.
struct ChartSeriesPlan {
    int column = 0;
    bool rightScale = false;
    std::string name;  // the legend's text; empty: the column's header cell
};

// One chart of a workbook, on a chart sheet of its own.
struct ChartPlan {
    int number = 0;         // n of the transfer content's "G<n>_" keys
    std::string sheetName;  // as wished; the writer makes it a valid, unique sheet name
    std::string title;
    std::vector<ChartSeriesPlan> series;
};

// Reads the charts that a page's transfer content describes, as the spreadsheet macro would:
//  - "G<n>_ECHELLE_GAUCHE_<k>" / "G<n>_ECHELLE_DROITE_<k>" (measurement page) and
//    "G<n>_EchelleGauche<k>" / "G<n>_EchelleDroite<k>" (logger page) put a series of chart n
//    on its left or right scale, left ones first, each scale in the order of k;
//  - on the measurement page the value is a column letter; on the logger page (TYPE log) it
//    names a logged parameter ("Pipe A / Q / Average"), whose value column is found through the
//    "C_Variable<i>" / "C_Valeur<i>" / "C_Unite<i>" keys and the parameter names of the first
//    sample (a parameter that is not logged gives no series);
//  - "G<n>_TITRE" / "G<n>_Titre" is the title, "G<n>_Onglet" the chart's sheet. On the
//    measurement page "G2_TITRE" names both paths, "A - B": chart 2 is titled A, chart 3 B.
//    A chart without a title is titled with the text its series share after " - " (the
//    per-chord charts: "Delta T (ns)"), else with `defaultTitle` (the file's name);
//  - the battery page's "BATPOURCENT" column gives one chart: the charge on the left scale,
//    the "VSB VOLT" and "VTS VOLT" columns on the right.
// Series whose column is not on the data sheet are left out, and so are charts without series.
class ChartPlanner {
public:
    // The column of the sample's date and time: "C_DateHour" or "C_DateTime", else the header
    // column "DateTime".
    static std::optional<int> dateTimeColumn(const TransferKeys& keys,
                                             const std::vector<std::string>& header);

    static std::vector<ChartPlan> plan(const TransferKeys& keys,
                                       const std::vector<std::string>& header,
                                       const std::vector<std::string>& firstSample,
                                       std::string_view defaultTitle);
};

}  // namespace flowcfg
