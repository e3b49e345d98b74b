#pragma once

#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <memory>

#include "shell/PrintDevice.h"

namespace flowcfg {

// The report drawing on a QPrinter: a CUPS printer, or a PDF file. Positions and sizes are the
// printer's device pixels from the top-left corner of its printable area.
class QtPrintDevice : public PrintDevice {
public:
    explicit QtPrintDevice(std::unique_ptr<QPrinter> printer);
    ~QtPrintDevice() override;

    QPrinter& printer() { return *printer_; }
    bool isPdfFile() const;

    double pixelsPerInchX() const override;
    double pixelsPerInchY() const override;
    int pageWidth() const override;
    int pageHeight() const override;
    std::string name() const override;

    bool startDocument(const std::string& documentName) override;
    bool startPage() override;
    bool endPage() override;
    // For a PDF file: false unless the file was written to its end.
    bool endDocument() override;
    // The painter ends; a PDF file is removed. (Qt's CUPS engine spools into a file of its own
    // and hands it to CUPS when the painter ends; its page start fails only when that spool
    // cannot be written, and Qt offers no way to withhold it.)
    void abortDocument() override;

    void setFont(const PrintFont& font) override;
    void setPen(const PrintPen& pen) override;
    PixelSize textExtent(const std::string& text) override;
    void drawText(int x, int y, const std::string& text) override;
    void drawPolyline(const std::vector<PixelPoint>& points) override;

private:
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QFont font_;
    QPen pen_;
    bool firstPage_ = true;
};

}  // namespace flowcfg
