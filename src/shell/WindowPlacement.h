#pragma once

#include <optional>
#include <string>

#include "shell/IniFile.h"

namespace flowcfg {

// Where a page's window was left, remembered in the configuration file under the page's own
// section: "Rect Wnd Left", "Rect Wnd Top", "Rect Wnd CX", "Rect Wnd CY" and
// "Rect Wnd Dimention" (1 when the window was minimised).
class WindowPlacement {
public:
    enum Flags : unsigned {
        kRememberSize = 1,
        kKeepSize = 2,  // size remembered but not restored
        kRememberPosition = 4,
        kKeepPosition = 8,  // position remembered but not restored
        kCentre = 16,       // centred on the work area when opened
    };

    struct Rect {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        bool operator==(const Rect&) const = default;
    };

    // What to do with the window when it opens.
    struct Restore {
        std::optional<int> left, top;      // move here (no resize)
        std::optional<int> width, height;  // resize to this
        bool minimised = false;
    };

    static constexpr const char* kTopKey = "Rect Wnd Top";
    static constexpr const char* kLeftKey = "Rect Wnd Left";
    static constexpr const char* kWidthKey = "Rect Wnd CX";
    static constexpr const char* kHeightKey = "Rect Wnd CY";
    // Historically named "Rect Wnd Dimention = ", a name that a profile file cannot hold: the
    // part before the '=' is the key that can be read back, so that is the one stored.
    static constexpr const char* kMinimisedKey = "Rect Wnd Dimention";

    std::string section;  // empty: nothing is remembered
    unsigned flags = 0;
    Rect defaults{0, 0, 100, 100};

    bool enabled() const { return !section.empty(); }

    Restore restore(const IniFile& config) const;
    // Records the window's normal (not minimised, not maximised) rectangle.
    void save(const IniFile& config, const Rect& normal, bool minimised, bool maximised) const;

    // Where the window goes so that it stays on the work area (the screen without its panels):
    // centred with kCentre, never above or left of it, pulled back up and left when it
    // overflows the bottom or right edge. A maximised window stays where it is.
    static Rect keepOnScreen(const Rect& window, const Rect& workArea, bool maximised,
                             unsigned flags);
};

}  // namespace flowcfg
