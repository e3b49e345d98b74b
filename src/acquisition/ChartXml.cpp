#include "acquisition/ChartXml.h"

#include "acquisition/CellReference.h"

namespace flowcfg {
namespace {

// Distinct line colours, in the order series take them.
constexpr const char* kPalette[] = {"1F4E9A", "D9480F", "2B8A3E", "C2255C", "6741D9", "0B7285",
                                    "E67700", "5C940D", "862E9C", "A61E4D", "364FC7", "495057"};

// Axis ids: primary x and y, secondary x (hidden) and y.
constexpr int kAxisX = 10001, kAxisY = 10002, kAxisX2 = 10003, kAxisY2 = 10004;

std::string val(const std::string& element, const std::string& value) {
    return "<c:" + element + " val=\"" + value + "\"/>";
}

std::string richText(const std::string& text, bool bold, int size) {
    return "<c:tx><c:rich><a:bodyPr/><a:lstStyle/><a:p><a:pPr><a:defRPr sz=\"" +
           std::to_string(size) + "\" b=\"" + (bold ? "1" : "0") +
           "\"/></a:pPr><a:r><a:rPr lang=\"en-US\" sz=\"" + std::to_string(size) + "\" b=\"" +
           (bold ? "1" : "0") + "\"/><a:t>" + xmlEscaped(text) +
           "</a:t></a:r></a:p></c:rich></c:tx>";
}

std::string seriesXml(const ChartSeriesPlan& series, int index, int colour,
                      const DataSheetPart& part, int dateTimeColumn,
                      const std::vector<std::string>& header) {
    std::string xml = "<c:ser>" + val("idx", std::to_string(index)) +
                      val("order", std::to_string(index)) + "<c:tx>";
    if (series.name.empty()) {
        std::string name =
            std::size_t(series.column) < header.size() ? header[std::size_t(series.column)] : "";
        xml += "<c:strRef><c:f>" + xmlEscaped(CellReference::cell(part.name, series.column, 0)) +
               "</c:f><c:strCache><c:ptCount val=\"1\"/><c:pt idx=\"0\"><c:v>" + xmlEscaped(name) +
               "</c:v></c:pt></c:strCache></c:strRef>";
    } else {
        xml += "<c:v>" + xmlEscaped(series.name) + "</c:v>";
    }
    xml += "</c:tx><c:spPr><a:ln w=\"19050\" cap=\"rnd\"><a:solidFill><a:srgbClr val=\"";
    xml += kPalette[std::size_t(colour) % std::size(kPalette)];
    xml +=
        "\"/></a:solidFill><a:round/></a:ln></c:spPr><c:marker><c:symbol val=\"none\"/></c:marker>";
    xml += "<c:xVal><c:numRef><c:f>" +
           xmlEscaped(CellReference::columnRange(part.name, dateTimeColumn, 1, part.rows)) +
           "</c:f></c:numRef></c:xVal>";
    xml += "<c:yVal><c:numRef><c:f>" +
           xmlEscaped(CellReference::columnRange(part.name, series.column, 1, part.rows)) +
           "</c:f></c:numRef></c:yVal>";
    xml += val("smooth", "0") + "</c:ser>";
    return xml;
}

std::string valueAxis(int id, int crossing, const std::string& position, bool deleted,
                      bool gridlines, const std::string& format, bool crossesAtMax) {
    std::string xml = "<c:valAx>" + val("axId", std::to_string(id)) +
                      "<c:scaling><c:orientation val=\"minMax\"/></c:scaling>" +
                      val("delete", deleted ? "1" : "0") + val("axPos", position);
    if (gridlines)
        xml +=
            "<c:majorGridlines><c:spPr><a:ln w=\"6350\"><a:solidFill><a:srgbClr "
            "val=\"D9D9D9\"/></a:solidFill></a:ln></c:spPr></c:majorGridlines>";
    if (format.empty()) {
        xml += "<c:numFmt formatCode=\"General\" sourceLinked=\"1\"/>";
    } else {
        xml += "<c:numFmt formatCode=\"" + xmlEscaped(format) + "\" sourceLinked=\"0\"/>";
    }
    xml += val("majorTickMark", "out") + val("minorTickMark", "none") +
           val("tickLblPos", position == "b" ? "low" : "nextTo");
    if (position == "b") {
        // Time labels turned by 45 degrees, so that long dates do not overlap.
        xml +=
            "<c:txPr><a:bodyPr rot=\"-2700000\" vert=\"horz\"/><a:lstStyle/><a:p><a:pPr>"
            "<a:defRPr sz=\"900\"/></a:pPr><a:endParaRPr lang=\"en-US\"/></a:p></c:txPr>";
    }
    xml += val("crossAx", std::to_string(crossing)) +
           val("crosses", crossesAtMax ? "max" : "autoZero") + val("crossBetween", "midCat") +
           "</c:valAx>";
    return xml;
}

}  // namespace

std::string xmlEscaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

std::string chartXml(const ChartPlan& chart, const std::vector<DataSheetPart>& parts,
                     int dateTimeColumn, const std::vector<std::string>& header) {
    bool anyLeft = false, anyRight = false;
    for (const ChartSeriesPlan& series : chart.series)
        (series.rightScale ? anyRight : anyLeft) = true;
    // Right-scale series alone take the primary axis.
    bool secondary = anyLeft && anyRight;

    std::string primary, secondaryGroup;
    std::vector<int> continuations;
    int index = 0;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        if (parts[p].rows <= 0) continue;
        for (std::size_t s = 0; s < chart.series.size(); ++s) {
            const ChartSeriesPlan& series = chart.series[s];
            std::string xml = seriesXml(series, index, int(s), parts[p], dateTimeColumn, header);
            (secondary && series.rightScale ? secondaryGroup : primary) += xml;
            if (p > 0) continuations.push_back(index);
            ++index;
        }
    }

    std::string scatterStart =
        "<c:scatterChart><c:scatterStyle val=\"lineMarker\"/>" + val("varyColors", "0");
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<c:chartSpace xmlns:c=\"http://schemas.openxmlformats.org/drawingml/2006/chart\" "
        "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">" +
        val("lang", "en-US") + val("roundedCorners", "0") + "<c:chart><c:title>" +
        richText(chart.title, true, 1400) + val("overlay", "0") + "</c:title>" +
        val("autoTitleDeleted", "0") + "<c:plotArea><c:layout/>";
    xml += scatterStart + primary + val("axId", std::to_string(kAxisX)) +
           val("axId", std::to_string(kAxisY)) + "</c:scatterChart>";
    if (secondary) {
        xml += scatterStart + secondaryGroup + val("axId", std::to_string(kAxisX2)) +
               val("axId", std::to_string(kAxisY2)) + "</c:scatterChart>";
    }
    xml += valueAxis(kAxisX, kAxisY, "b", false, false, "dd/mm/yyyy hh:mm:ss", false);
    xml += valueAxis(kAxisY, kAxisX, "l", false, true, "", false);
    if (secondary) {
        xml += valueAxis(kAxisX2, kAxisY2, "b", true, false, "dd/mm/yyyy hh:mm:ss", false);
        xml += valueAxis(kAxisY2, kAxisX2, "r", false, false, "", true);
    }
    xml += "</c:plotArea><c:legend>" + val("legendPos", "b");
    for (int hidden : continuations)
        xml += "<c:legendEntry>" + val("idx", std::to_string(hidden)) + val("delete", "1") +
               "</c:legendEntry>";
    xml += val("overlay", "0") + "</c:legend>" + val("plotVisOnly", "1") +
           val("dispBlanksAs", "gap") + "</c:chart></c:chartSpace>";
    return xml;
}

}  // namespace flowcfg
