#include "acquisition/XlsxReader.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace flowcfg::testing {
namespace {

std::uint32_t le(const std::string& data, std::size_t at, int bytes) {
    if (at + std::size_t(bytes) > data.size()) throw std::runtime_error("truncated archive");
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | std::uint8_t(data[at + std::size_t(i)]);
    return value;
}

std::uint64_t le64(const std::string& data, std::size_t at) {
    return le(data, at, 4) | (std::uint64_t(le(data, at + 4, 4)) << 32);
}

std::string inflated(const std::string& packed, std::size_t size) {
    std::string out(size, '\0');
    z_stream stream{};
    inflateInit2(&stream, -MAX_WBITS);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = uInt(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    int status = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    if (status != Z_STREAM_END) throw std::runtime_error("bad deflate stream");
    return out;
}

std::map<std::string, std::string> unzip(const std::string& data) {
    std::size_t end = data.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos) throw std::runtime_error("no end of central directory");
    std::uint64_t count = le(data, end + 10, 2);
    std::uint64_t at = le(data, end + 16, 4);
    if (at == 0xFFFFFFFFu || count == 0xFFFF) {
        std::size_t record = std::size_t(le64(data, end - 20 + 8));
        count = le64(data, record + 32);
        at = le64(data, record + 48);
    }
    std::map<std::string, std::string> parts;
    for (std::uint64_t n = 0; n < count; ++n) {
        std::size_t c = std::size_t(at);
        if (le(data, c, 4) != 0x02014b50) throw std::runtime_error("bad central header");
        int method = int(le(data, c + 10, 2));
        std::uint32_t crc = le(data, c + 16, 4);
        std::uint64_t packedSize = le(data, c + 20, 4), size = le(data, c + 24, 4);
        std::size_t nameLength = le(data, c + 28, 2), extraLength = le(data, c + 30, 2),
                    commentLength = le(data, c + 32, 2);
        std::uint64_t offset = le(data, c + 42, 4);
        std::string name = data.substr(c + 46, nameLength);
        for (std::size_t x = c + 46 + nameLength; x + 4 <= c + 46 + nameLength + extraLength;) {
            std::size_t id = le(data, x, 2), length = le(data, x + 2, 2), v = x + 4;
            if (id == 1) {
                for (std::uint64_t* field : {&size, &packedSize, &offset})
                    if (*field == 0xFFFFFFFFu) {
                        *field = le64(data, v);
                        v += 8;
                    }
            }
            x += 4 + length;
        }
        std::size_t local = std::size_t(offset);
        if (le(data, local, 4) != 0x04034b50) throw std::runtime_error("bad local header " + name);
        std::size_t start = local + 30 + le(data, local + 26, 2) + le(data, local + 28, 2);
        std::string packed = data.substr(start, std::size_t(packedSize));
        std::string content = method == 0 ? packed : inflated(packed, std::size_t(size));
        if (crc32(0, reinterpret_cast<const Bytef*>(content.data()), uInt(content.size())) != crc)
            throw std::runtime_error("CRC mismatch in " + name);
        parts[name] = content;
        at += 46 + nameLength + extraLength + commentLength;
    }
    return parts;
}

std::string decoded(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out.push_back(text[i]);
            continue;
        }
        std::size_t semi = text.find(';', i);
        std::string entity = text.substr(i + 1, semi - i - 1);
        if (entity == "amp")
            out += '&';
        else if (entity == "lt")
            out += '<';
        else if (entity == "gt")
            out += '>';
        else if (entity == "quot")
            out += '"';
        else if (entity == "apos")
            out += '\'';
        else if (!entity.empty() && entity[0] == '#')
            out += char(std::strtol(entity.c_str() + 1, nullptr, 10));
        i = semi;
    }
    return out;
}

class XmlParser {
public:
    explicit XmlParser(const std::string& text) : text_(text) {}

    XmlNode document() {
        skipProlog();
        return element();
    }

private:
    void skipProlog() {
        while (true) {
            skipSpace();
            if (text_.compare(at_, 2, "<?") == 0)
                at_ = text_.find("?>", at_) + 2;
            else if (text_.compare(at_, 4, "<!--") == 0)
                at_ = text_.find("-->", at_) + 3;
            else
                break;
        }
    }
    void skipSpace() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])))
            ++at_;
    }
    std::string name() {
        std::size_t start = at_;
        while (at_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[at_])) &&
               text_[at_] != '>' && text_[at_] != '/' && text_[at_] != '=')
            ++at_;
        return text_.substr(start, at_ - start);
    }
    XmlNode element() {
        if (text_[at_] != '<') throw std::runtime_error("element expected");
        ++at_;
        XmlNode node;
        node.name = name();
        while (true) {
            skipSpace();
            if (text_[at_] == '/') {
                at_ += 2;
                return node;
            }
            if (text_[at_] == '>') {
                ++at_;
                break;
            }
            std::string key = name();
            at_ += 1;  // '='
            char quote = text_[at_++];
            std::size_t close = text_.find(quote, at_);
            node.attributes[key] = decoded(text_.substr(at_, close - at_));
            at_ = close + 1;
        }
        while (true) {
            std::size_t open = text_.find('<', at_);
            if (open == std::string::npos) throw std::runtime_error("unclosed " + node.name);
            node.text += decoded(text_.substr(at_, open - at_));
            at_ = open;
            if (text_.compare(at_, 2, "</") == 0) {
                at_ = text_.find('>', at_) + 1;
                return node;
            }
            node.children.push_back(element());
        }
    }

    const std::string& text_;
    std::size_t at_ = 0;
};

void collect(const XmlNode& node, const std::string& name, std::vector<const XmlNode*>& out) {
    for (const XmlNode& child : node.children) {
        if (child.name == name) out.push_back(&child);
        collect(child, name, out);
    }
}

// "xl/chartsheets/sheet1.xml" + "../drawings/drawing1.xml" = "xl/drawings/drawing1.xml"
std::string resolved(const std::string& part, const std::string& target) {
    if (!target.empty() && target[0] == '/') return target.substr(1);
    std::string folder = part.substr(0, part.rfind('/') + 1);
    std::string path = folder + target;
    std::vector<std::string> pieces;
    std::stringstream stream(path);
    for (std::string piece; std::getline(stream, piece, '/');) {
        if (piece == "..")
            pieces.pop_back();
        else if (!piece.empty() && piece != ".")
            pieces.push_back(piece);
    }
    std::string out;
    for (const std::string& piece : pieces)
        out += (out.empty() ? "" : "/") + piece;
    return out;
}

std::string relationshipsOf(const std::string& part) {
    std::size_t slash = part.rfind('/');
    return part.substr(0, slash + 1) + "_rels/" + part.substr(slash + 1) + ".rels";
}

}  // namespace

const XmlNode* XmlNode::child(const std::string& childName) const {
    for (const XmlNode& node : children)
        if (node.name == childName) return &node;
    return nullptr;
}

std::vector<const XmlNode*> XmlNode::all(const std::string& descendantName) const {
    std::vector<const XmlNode*> out;
    collect(*this, descendantName, out);
    return out;
}

std::string XmlNode::attribute(const std::string& key) const {
    auto found = attributes.find(key);
    return found == attributes.end() ? "" : found->second;
}

XmlNode parseXml(const std::string& text) {
    return XmlParser(text).document();
}

XlsxReader::XlsxReader(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error_ = "cannot open " + path;
        return;
    }
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
        parts_ = unzip(data);
        ok_ = true;
    } catch (const std::exception& e) {
        error_ = e.what();
    }
}

std::optional<std::string> XlsxReader::part(const std::string& name) const {
    auto found = parts_.find(name);
    if (found == parts_.end()) return std::nullopt;
    return found->second;
}

std::vector<std::string> XlsxReader::sheetNames() const {
    std::vector<std::string> names;
    XmlNode workbook = parseXml(parts_.at("xl/workbook.xml"));
    for (const XmlNode* sheet : workbook.all("sheet"))
        names.push_back(sheet->attribute("name"));
    return names;
}

std::string XlsxReader::activeSheet() const {
    XmlNode workbook = parseXml(parts_.at("xl/workbook.xml"));
    auto views = workbook.all("workbookView");
    int active = views.empty() ? 0 : std::atoi(views[0]->attribute("activeTab").c_str());
    return sheetNames().at(std::size_t(active));
}

std::string XlsxReader::related(const std::string& partName, const std::string& id) const {
    XmlNode relationships = parseXml(parts_.at(relationshipsOf(partName)));
    for (const XmlNode* relationship : relationships.all("Relationship"))
        if (relationship->attribute("Id") == id)
            return resolved(partName, relationship->attribute("Target"));
    throw std::runtime_error("no relationship " + id + " in " + partName);
}

std::string XlsxReader::sheetPart(const std::string& sheet) const {
    XmlNode workbook = parseXml(parts_.at("xl/workbook.xml"));
    for (const XmlNode* node : workbook.all("sheet"))
        if (node->attribute("name") == sheet)
            return related("xl/workbook.xml", node->attribute("r:id"));
    throw std::runtime_error("no sheet " + sheet);
}

XmlNode XlsxReader::sheetXml(const std::string& sheet) const {
    return parseXml(parts_.at(sheetPart(sheet)));
}

std::map<std::string, XlsxReader::Cell> XlsxReader::cells(const std::string& sheet) const {
    XmlNode styles = parseXml(parts_.at("xl/styles.xml"));
    std::map<std::string, std::string> formats;
    for (const XmlNode* format : styles.all("numFmt"))
        formats[format->attribute("numFmtId")] = format->attribute("formatCode");
    std::vector<std::string> styleFormats;
    if (const XmlNode* xfs = styles.child("cellXfs"))
        for (const XmlNode& xf : xfs->children)
            styleFormats.push_back(formats[xf.attribute("numFmtId")]);
    std::vector<std::string> shared;
    XmlNode strings = parseXml(part("xl/sharedStrings.xml").value_or("<sst/>"));
    for (const XmlNode* si : strings.all("si")) {
        std::string text;
        for (const XmlNode* t : si->all("t"))
            text += t->text;
        shared.push_back(text);
    }

    std::map<std::string, Cell> cells;
    XmlNode sheetNode = sheetXml(sheet);
    for (const XmlNode* c : sheetNode.all("c")) {
        Cell cell;
        std::string type = c->attribute("t");
        if (type == "inlineStr") {
            for (const XmlNode* t : c->all("t"))
                cell.text += t->text;
        } else if (type == "s") {
            cell.text = shared.at(std::size_t(std::atoi(c->child("v")->text.c_str())));
        } else if (type == "str") {
            cell.text = c->child("v") ? c->child("v")->text : "";
        } else {
            cell.number = true;
            cell.value = std::strtod(c->child("v")->text.c_str(), nullptr);
        }
        std::string style = c->attribute("s");
        if (!style.empty()) cell.format = styleFormats.at(std::size_t(std::atoi(style.c_str())));
        cells[c->attribute("r")] = cell;
    }
    return cells;
}

std::optional<XlsxReader::Chart> XlsxReader::chart(const std::string& chartSheet) const {
    std::string sheetName = sheetPart(chartSheet);
    XmlNode sheetNode = parseXml(parts_.at(sheetName));
    const XmlNode* drawing = sheetNode.child("drawing");
    if (!drawing) return std::nullopt;
    std::string drawingPart = related(sheetName, drawing->attribute("r:id"));
    XmlNode drawingNode = parseXml(parts_.at(drawingPart));
    auto frames = drawingNode.all("c:chart");
    if (frames.size() != 1) return std::nullopt;
    XmlNode space = parseXml(parts_.at(related(drawingPart, frames[0]->attribute("r:id"))));

    Chart chart;
    for (const XmlNode* t : space.child("c:chart")->child("c:title")->all("a:t"))
        chart.title += t->text;
    // The value axis on the right is the secondary one; its series' group names its id.
    std::string rightAxis;
    for (const XmlNode* axis : space.all("c:valAx"))
        if (axis->child("c:axPos")->attribute("val") == "r")
            rightAxis = axis->child("c:axId")->attribute("val");
    for (const XmlNode* group : space.all("c:scatterChart")) {
        bool secondary = false;
        for (const XmlNode* id : group->all("c:axId"))
            secondary |= id->attribute("val") == rightAxis;
        for (const XmlNode* ser : group->all("c:ser")) {
            Series series;
            series.secondary = secondary;
            const XmlNode* tx = ser->child("c:tx");
            if (const XmlNode* ref = tx->child("c:strRef")) {
                series.nameReference = ref->child("c:f")->text;
                for (const XmlNode* v : ref->all("c:v"))
                    series.name += v->text;
            } else {
                series.name = tx->child("c:v")->text;
            }
            series.x = ser->child("c:xVal")->all("c:f").at(0)->text;
            series.y = ser->child("c:yVal")->all("c:f").at(0)->text;
            chart.series.push_back(series);
        }
    }
    for (const XmlNode* entry : space.all("c:legendEntry"))
        if (entry->child("c:delete")->attribute("val") == "1")
            chart.hiddenLegendEntries.push_back(
                std::atoi(entry->child("c:idx")->attribute("val").c_str()));
    return chart;
}

}  // namespace flowcfg::testing
