#include "shell/PrintCanvas.h"

namespace flowcfg {

void PrintCanvas::attach(PrintDevice& device) {
    device_ = &device;
    scaleX_ = device.pixelsPerInchX() / 72.0;
    scaleY_ = device.pixelsPerInchY() / 72.0;
    device_->setFont(deviceFont(font_));
    device_->setPen(devicePen(pen_));
}

void PrintCanvas::setOrigin(int x, int y) {
    originX_ = x;
    originY_ = y;
}

PrintFont PrintCanvas::deviceFont(const Font& font) const {
    PrintFont scaled;
    scaled.face = font.face;
    scaled.height = static_cast<int>(font.size * scaleY_);
    scaled.width = static_cast<int>(font.width * scaleX_);
    scaled.weight = font.weight;
    scaled.italic = font.italic;
    scaled.underline = font.underline;
    return scaled;
}

PrintCanvas::Font PrintCanvas::selectFont(const Font& font) {
    Font previous = font_;
    font_ = font;
    if (device_) device_->setFont(deviceFont(font_));
    return previous;
}

PrintPen PrintCanvas::devicePen(const Pen& pen) const {
    return PrintPen{static_cast<int>(pen.width * scaleX_ * 0.2), pen.colour};
}

void PrintCanvas::selectPen(const Pen& pen) {
    pen_ = pen;
    if (device_) device_->setPen(devicePen(pen_));
}

PrintCanvas::Size PrintCanvas::textSize(const std::string& text) {
    if (!device_) return {};
    PixelSize extent = device_->textExtent(text);
    return {extent.width / scaleX_, extent.height / scaleY_};
}

PrintCanvas::Size PrintCanvas::pageSize() const {
    if (!device_) return {};
    return {device_->pageWidth() / scaleX_, device_->pageHeight() / scaleY_};
}

void PrintCanvas::polyline(const std::vector<Point>& points) {
    if (!device_) return;
    std::vector<PixelPoint> pixels;
    pixels.reserve(points.size());
    for (const Point& p : points)
        pixels.push_back({static_cast<int>(p.x * scaleX_) + originX_,
                          static_cast<int>(p.y * scaleY_) + originY_});
    device_->drawPolyline(pixels);
}

PixelPoint PrintCanvas::placeText(double x, double y, const std::string& text, int flags) {
    const PixelSize extent = device_->textExtent(text);
    const int pageWidth = device_->pageWidth();
    const int pageHeight = device_->pageHeight();

    int top = static_cast<int>(y * scaleY_) + originY_;
    if ((flags & kKeepY) == 0) {
        if (flags & kBottom)
            top += pageHeight - extent.height;
        else if (flags & kMiddle)
            top += pageHeight / 2;
    }

    int left = originX_ + static_cast<int>(x * scaleX_);
    if (flags & kLeft) {
        // x from the left edge: the position as given.
    } else if (flags & kRight) {
        left += pageWidth - extent.width;
    } else if (flags & kPageCentre) {
        left += pageWidth / 2;
    }
    if ((flags & kKeepX) == 0) {
        if (flags & kEndAtX)
            left -= extent.width;
        else if (flags & kCentreOnX)
            left -= extent.width / 2;
    }
    return {left, top};
}

void PrintCanvas::printText(double x, double y, const std::string& text, int flags, bool enabled) {
    if (!enabled || !device_) return;
    const PixelPoint at = placeText(x, y, text, flags);
    device_->drawText(at.x, at.y, text);
}

}  // namespace flowcfg
