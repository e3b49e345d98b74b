#pragma once

#include <optional>
#include <string>

namespace flowcfg {

// The customer's picture "logo.bmp" for the main window. Only a picture made for the window is
// used: exactly 563 by 446 pixels with at most 8 bits per pixel (a palette picture); anything
// else is ignored so that the window never shows a stretched or cut picture.
class LogoBitmap {
public:
    static constexpr int kWidth = 563;
    static constexpr int kHeight = 446;
    static constexpr int kMaxBitsPerPixel = 8;

    struct Header {
        int width = 0;
        int height = 0;  // positive also for pictures stored top-down
        int bitsPerPixel = 0;
    };

    // The dimensions from a device-independent bitmap file's headers; nothing when the file
    // cannot be read or is no such bitmap.
    static std::optional<Header> readHeader(const std::string& path);
    static bool acceptable(const Header& header);
    // True when the file exists, is a bitmap and fits the window.
    static bool usable(const std::string& path);
};

}  // namespace flowcfg
