#include "print/QtPrintDevice.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPolygon>
#include <algorithm>
#include <cmath>

namespace flowcfg {
namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// A PDF that Qt wrote to its end closes with its end-of-file marker.
bool completePdf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 16) return false;
    file.seek(file.size() - 16);
    return file.read(16).contains("%%EOF");
}

}  // namespace

QtPrintDevice::QtPrintDevice(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
    pen_.setCosmetic(false);
}

QtPrintDevice::~QtPrintDevice() {
    if (painter_.isActive()) abortDocument();
}

bool QtPrintDevice::isPdfFile() const {
    return printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty();
}

double QtPrintDevice::pixelsPerInchX() const {
    return printer_->resolution();
}

double QtPrintDevice::pixelsPerInchY() const {
    return printer_->resolution();
}

int QtPrintDevice::pageWidth() const {
    return printer_->width();
}

int QtPrintDevice::pageHeight() const {
    return printer_->height();
}

std::string QtPrintDevice::name() const {
    return (isPdfFile() ? printer_->outputFileName() : printer_->printerName()).toStdString();
}

bool QtPrintDevice::startDocument(const std::string& documentName) {
    printer_->setDocName(qs(documentName));
    printer_->setCreator(QStringLiteral("flowcfg"));
    if (!painter_.begin(printer_.get())) return false;
    painter_.setFont(font_);
    painter_.setPen(pen_);
    firstPage_ = true;
    return true;
}

bool QtPrintDevice::startPage() {
    if (!painter_.isActive()) return false;
    // The document starts on its first page.
    if (firstPage_) {
        firstPage_ = false;
        return true;
    }
    return printer_->newPage();
}

bool QtPrintDevice::endPage() {
    return painter_.isActive();
}

bool QtPrintDevice::endDocument() {
    if (!painter_.isActive()) return false;
    const bool ended = painter_.end();
    if (!ended) return false;
    return !isPdfFile() || completePdf(printer_->outputFileName());
}

void QtPrintDevice::abortDocument() {
    printer_->abort();
    if (painter_.isActive()) painter_.end();
    if (isPdfFile()) QFile::remove(printer_->outputFileName());
}

void QtPrintDevice::setFont(const PrintFont& font) {
    QFont f(qs(font.face));
    f.setPixelSize(std::max(1, font.height));
    f.setWeight(QFont::Weight(std::clamp(font.weight, 1, 1000)));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    if (font.width > 0) {
        const double natural = QFontMetricsF(f, printer_.get()).averageCharWidth();
        if (natural > 0) f.setStretch(std::clamp(int(100.0 * font.width / natural), 1, 4000));
    }
    font_ = f;
    if (painter_.isActive()) painter_.setFont(font_);
}

void QtPrintDevice::setPen(const PrintPen& pen) {
    pen_ = QPen(QColor::fromRgb(pen.colour), pen.width);
    if (painter_.isActive()) painter_.setPen(pen_);
}

PixelSize QtPrintDevice::textExtent(const std::string& text) {
    QFontMetricsF metrics(font_, printer_.get());
    return {int(std::ceil(metrics.horizontalAdvance(qs(text)))), int(std::ceil(metrics.height()))};
}

void QtPrintDevice::drawText(int x, int y, const std::string& text) {
    if (!painter_.isActive()) return;
    QFontMetricsF metrics(font_, printer_.get());
    painter_.drawText(QPointF(x, y + metrics.ascent()), qs(text));
}

void QtPrintDevice::drawPolyline(const std::vector<PixelPoint>& points) {
    if (!painter_.isActive() || points.size() < 2) return;
    QPolygon polygon;
    for (const PixelPoint& p : points)
        polygon << QPoint(p.x, p.y);
    painter_.drawPolyline(polygon);
}

}  // namespace flowcfg
