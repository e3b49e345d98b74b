#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace flowcfg {

// A font as the device creates it: sizes in device pixels.
struct PrintFont {
    std::string face = "Arial";
    int height = 0;  // em height
    int width = 0;   // average character width; 0 = the face's own proportions
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool operator==(const PrintFont&) const = default;
};

// A pen as the device creates it: width in device pixels (0 = the thinnest line).
struct PrintPen {
    int width = 0;
    std::uint32_t colour = 0x000000;  // 0xRRGGBB
    bool operator==(const PrintPen&) const = default;
};

struct PixelSize {
    int width = 0;
    int height = 0;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
};

// The printer as the report drawing sees it: a document of pages, drawn in device pixels from
// the top-left corner of the printable area. The desktop tool and the command-line tool draw
// on a QPrinter (a CUPS printer or a PDF file); tests draw on a recording device.
//
// A document runs startDocument, then for every page startPage ... endPage, then endDocument;
// after a failed startPage the caller aborts the document, so that no partial document is
// left open. Text metrics are available before the document starts, so that a report can be
// laid out first.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;

    virtual double pixelsPerInchX() const = 0;
    virtual double pixelsPerInchY() const = 0;
    // The printable area.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    // What the person knows the printer by (a printer's name, a file's path).
    virtual std::string name() const = 0;

    virtual bool startDocument(const std::string& documentName) = 0;
    virtual bool startPage() = 0;
    virtual bool endPage() = 0;
    // False when the document could not be completed (a file that could not be written).
    virtual bool endDocument() = 0;
    // Drops the document: nothing of it is printed or kept.
    virtual void abortDocument() = 0;

    virtual void setFont(const PrintFont& font) = 0;
    virtual void setPen(const PrintPen& pen) = 0;
    // The size of one line of text in the current font.
    virtual PixelSize textExtent(const std::string& text) = 0;
    // One line of text whose box has its top-left corner at (x, y).
    virtual void drawText(int x, int y, const std::string& text) = 0;
    virtual void drawPolyline(const std::vector<PixelPoint>& points) = 0;
};

}  // namespace flowcfg
