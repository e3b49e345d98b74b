#include "shell/WindowPlacement.h"

#include <cmath>
#include <limits>

namespace flowcfg {
namespace {

// Stored values are reals; a hand-edited file may hold anything.
int toPixels(double value) {
    if (!std::isfinite(value)) return 0;
    constexpr double kLimit = 1.0e6;
    if (value > kLimit) return static_cast<int>(kLimit);
    if (value < -kLimit) return static_cast<int>(-kLimit);
    return static_cast<int>(value);
}

}  // namespace

WindowPlacement::Restore WindowPlacement::restore(const IniFile& config) const {
    Restore r;
    if (!enabled()) return r;
    if ((flags & kRememberPosition) && !(flags & kKeepPosition)) {
        r.top = toPixels(config.readReal(section, kTopKey, defaults.top));
        r.left = toPixels(config.readReal(section, kLeftKey, defaults.left));
    }
    if ((flags & kRememberSize) && !(flags & kKeepSize)) {
        r.width = toPixels(config.readReal(section, kWidthKey, defaults.width));
        r.height = toPixels(config.readReal(section, kHeightKey, defaults.height));
        // A stored size below one pixel would make the window vanish.
        if (*r.width < 1) r.width = defaults.width;
        if (*r.height < 1) r.height = defaults.height;
        r.minimised = toPixels(config.readReal(section, kMinimisedKey, 0)) & 1;
    }
    return r;
}

void WindowPlacement::save(const IniFile& config, const Rect& normal, bool minimised,
                           bool maximised) const {
    if (!enabled()) return;
    if (flags & kRememberPosition) {
        config.writeReal(section, kTopKey, normal.top);
        config.writeReal(section, kLeftKey, normal.left);
    }
    if (flags & kRememberSize) {
        config.writeReal(section, kMinimisedKey, (minimised && !maximised) ? 1 : 0);
        config.writeReal(section, kWidthKey, normal.width);
        config.writeReal(section, kHeightKey, normal.height);
    }
}

WindowPlacement::Rect WindowPlacement::keepOnScreen(const Rect& window, const Rect& workArea,
                                                    bool maximised, unsigned flags) {
    if (maximised) return window;
    Rect r = window;
    if (flags & kCentre) {
        r.top = workArea.top + (workArea.height - r.height) / 2;
        r.left = workArea.left + (workArea.width - r.width) / 2;
    }
    if (r.top < workArea.top) r.top = workArea.top;
    if (r.left < workArea.left) r.left = workArea.left;
    int workBottom = workArea.top + workArea.height;
    int workRight = workArea.left + workArea.width;
    if (r.top + r.height > workBottom) {
        if (workArea.height < r.height)
            r.top = workArea.top;
        else
            r.top -= r.top + r.height - workBottom;
    }
    if (r.left + r.width > workRight && workArea.width >= r.width)
        r.left -= r.left + r.width - workRight;
    return r;
}

}  // namespace flowcfg
