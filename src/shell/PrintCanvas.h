#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/PrintDevice.h"

namespace flowcfg {

// A drawing surface on the printer that works in points (1/72 inch), so that a report is laid
// out the same on every printer: positions, font sizes and pen widths are given in points and
// scaled to the printer's pixels here.
class PrintCanvas {
public:
    // printText placement flags.
    static constexpr int kKeepY = 0x01;       // y as given, whatever else is set
    static constexpr int kBottom = 0x02;      // on the bottom line of the page
    static constexpr int kMiddle = 0x10;      // half-way down the page
    static constexpr int kLeft = 0x04;        // x from the left edge
    static constexpr int kRight = 0x08;       // x from the right edge, ending there
    static constexpr int kPageCentre = 0x20;  // x from the middle of the page
    static constexpr int kKeepX = 0x40;       // no shift by the text's width
    static constexpr int kEndAtX = 0x80;      // the text ends at x
    static constexpr int kCentreOnX = 0x100;  // the text is centred on x

    // A font in points.
    struct Font {
        std::string face = "Arial";
        double size = 10;  // em height
        double width = 0;  // average character width; 0 = the face's own proportions
        int weight = 400;
        bool italic = false;
        bool underline = false;
    };
    // A pen whose width is given in fifths of the point scale (as the program always did).
    struct Pen {
        double width = 1;
        std::uint32_t colour = 0x000000;
    };
    struct Point {
        double x = 0;
        double y = 0;
    };
    struct Size {
        double width = 0;
        double height = 0;
    };

    // Printer pixels per point; -1 until attached.
    double scaleX() const { return scaleX_; }
    double scaleY() const { return scaleY_; }
    // Offset in printer pixels added to every position.
    int originX() const { return originX_; }
    int originY() const { return originY_; }
    void setOrigin(int x, int y);

    void attach(PrintDevice& device);
    bool attached() const { return device_ != nullptr; }
    PrintDevice& device() { return *device_; }

    // Selects a copy of `font` scaled to the printer and returns the font selected before.
    Font selectFont(const Font& font);
    const Font& font() const { return font_; }
    // The font as the printer gets it: height × scaleY, width × scaleX.
    PrintFont deviceFont(const Font& font) const;
    void selectPen(const Pen& pen);
    PrintPen devicePen(const Pen& pen) const;

    // The extent of one line of text in the current font, in points.
    Size textSize(const std::string& text);
    // The printable area in points.
    Size pageSize() const;

    void polyline(const std::vector<Point>& points);
    // Draws one line of text placed by `flags` (see the constants); nothing when not enabled.
    void printText(double x, double y, const std::string& text, int flags, bool enabled = true);
    // Where printText puts the top-left corner of that text, in printer pixels.
    PixelPoint placeText(double x, double y, const std::string& text, int flags);

private:
    PrintDevice* device_ = nullptr;
    double scaleX_ = -1;
    double scaleY_ = -1;
    int originX_ = 0;
    int originY_ = 0;
    Font font_;
    Pen pen_;
};

}  // namespace flowcfg
