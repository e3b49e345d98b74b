#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace flowcfg::testing {

// A parsed XML element: enough of XML for the parts of a workbook.
struct XmlNode {
    std::string name;  // with its namespace prefix, "c:ser"
    std::map<std::string, std::string> attributes;
    std::vector<XmlNode> children;
    std::string text;  // character data directly inside the element, entities decoded

    const XmlNode* child(const std::string& childName) const;
    // Every element of that name below this one, in document order.
    std::vector<const XmlNode*> all(const std::string& descendantName) const;
    std::string attribute(const std::string& key) const;
};

XmlNode parseXml(const std::string& text);

// Reads a written workbook back from its zip archive, independently of the writer: parts by
// name, sheets in workbook order, cells with their types and number formats, the chart of a
// chart sheet through the relationships.
class XlsxReader {
public:
    explicit XlsxReader(const std::string& path);

    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }
    std::optional<std::string> part(const std::string& name) const;
    std::vector<std::string> sheetNames() const;
    std::string activeSheet() const;

    struct Cell {
        bool number = false;
        double value = 0;
        std::string text;
        std::string format;  // number format code, "" for General
    };
    // Cells of a worksheet by reference ("D2").
    std::map<std::string, Cell> cells(const std::string& sheet) const;
    XmlNode sheetXml(const std::string& sheet) const;

    struct Series {
        std::string name;  // a literal name, or the cached header text
        std::string nameReference;
        std::string x, y;  // range formulas
        bool secondary = false;
    };
    struct Chart {
        std::string title;
        std::vector<Series> series;
        std::vector<int> hiddenLegendEntries;
    };
    std::optional<Chart> chart(const std::string& chartSheet) const;

private:
    std::string sheetPart(const std::string& sheet) const;
    std::string related(const std::string& part, const std::string& id) const;

    bool ok_ = false;
    std::string error_;
    std::map<std::string, std::string> parts_;
};

}  // namespace flowcfg::testing
