#include "shell/WindowPlacement.h"

#include <gtest/gtest.h>

#include "common/TempDir.h"

namespace flowcfg {
namespace {

using Rect = WindowPlacement::Rect;

class WindowPlacementTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    IniFile config{dir.file("site.cfg")};

    WindowPlacement placement(unsigned flags) {
        WindowPlacement p;
        p.section = "DialogBase";
        p.flags = flags;
        return p;
    }
};

TEST_F(WindowPlacementTest, RestoreReadsOnlyWhatTheFlagsAskFor) {
    config.writeReal("DialogBase", "Rect Wnd Left", 120);
    config.writeReal("DialogBase", "Rect Wnd Top", 80);
    config.writeReal("DialogBase", "Rect Wnd CX", 640);
    config.writeReal("DialogBase", "Rect Wnd CY", 480);
    config.writeReal("DialogBase", "Rect Wnd Dimention", 1);

    auto position = placement(WindowPlacement::kRememberPosition).restore(config);
    EXPECT_EQ(position.left, 120);
    EXPECT_EQ(position.top, 80);
    EXPECT_FALSE(position.width);
    EXPECT_FALSE(position.minimised);

    auto size = placement(WindowPlacement::kRememberSize).restore(config);
    EXPECT_FALSE(size.left);
    EXPECT_EQ(size.width, 640);
    EXPECT_EQ(size.height, 480);
    EXPECT_TRUE(size.minimised);

    auto kept = placement(WindowPlacement::kRememberPosition | WindowPlacement::kKeepPosition |
                          WindowPlacement::kRememberSize | WindowPlacement::kKeepSize)
                    .restore(config);
    EXPECT_FALSE(kept.left);
    EXPECT_FALSE(kept.width);

    WindowPlacement none;
    none.flags = WindowPlacement::kRememberPosition;
    EXPECT_FALSE(none.restore(config).left);  // no section: nothing remembered
}

TEST_F(WindowPlacementTest, MissingKeysGiveTheDefaultsAndBadSizesAreRefused) {
    auto r = placement(WindowPlacement::kRememberPosition | WindowPlacement::kRememberSize)
                 .restore(config);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.width, 100);
    EXPECT_EQ(r.height, 100);
    config.writeReal("DialogBase", "Rect Wnd CX", -5);
    config.writeString("DialogBase", "Rect Wnd Left", "1e300");
    r = placement(WindowPlacement::kRememberPosition | WindowPlacement::kRememberSize)
            .restore(config);
    EXPECT_EQ(r.width, 100);
    EXPECT_EQ(r.left, 1000000);
}

TEST_F(WindowPlacementTest, SaveWritesTheNormalRectangleAsReals) {
    placement(WindowPlacement::kRememberPosition)
        .save(config, Rect{15, 25, 563, 466}, false, false);
    EXPECT_EQ(config.readString("DialogBase", "Rect Wnd Left", ""), "15.000000");
    EXPECT_EQ(config.readString("DialogBase", "Rect Wnd Top", ""), "25.000000");
    EXPECT_EQ(config.readString("DialogBase", "Rect Wnd CX", "none"), "none");

    placement(WindowPlacement::kRememberSize).save(config, Rect{15, 25, 563, 466}, true, false);
    EXPECT_EQ(config.readString("DialogBase", "Rect Wnd CX", ""), "563.000000");
    EXPECT_EQ(config.readString("DialogBase", "Rect Wnd CY", ""), "466.000000");
    EXPECT_EQ(config.readReal("DialogBase", "Rect Wnd Dimention", -1), 1);
    EXPECT_TRUE(placement(WindowPlacement::kRememberSize).restore(config).minimised);
    placement(WindowPlacement::kRememberSize).save(config, Rect{15, 25, 563, 466}, true, true);
    EXPECT_EQ(config.readReal("DialogBase", "Rect Wnd Dimention", -1), 0);
    EXPECT_FALSE(placement(WindowPlacement::kRememberSize).restore(config).minimised);
    // Saving again replaces the values: the file does not grow.
    auto size = testing::readFile(config.path()).size();
    placement(WindowPlacement::kRememberSize | WindowPlacement::kRememberPosition)
        .save(config, Rect{15, 25, 563, 466}, false, false);
    EXPECT_EQ(testing::readFile(config.path()).size(), size);
}

TEST(KeepOnScreenTest, WindowsOutsideTheWorkAreaArePulledBack) {
    const Rect work{0, 0, 1280, 1000};
    // Far beyond the right and bottom edges.
    EXPECT_EQ(WindowPlacement::keepOnScreen({5000, 4000, 563, 466}, work, false, 0),
              (Rect{1280 - 563, 1000 - 466, 563, 466}));
    // Above and left of it.
    EXPECT_EQ(WindowPlacement::keepOnScreen({-300, -20, 563, 466}, work, false, 0),
              (Rect{0, 0, 563, 466}));
    // Inside: unchanged.
    EXPECT_EQ(WindowPlacement::keepOnScreen({100, 50, 563, 466}, work, false, 0),
              (Rect{100, 50, 563, 466}));
    // Maximised windows stay.
    EXPECT_EQ(WindowPlacement::keepOnScreen({5000, 4000, 563, 466}, work, true, 0),
              (Rect{5000, 4000, 563, 466}));
}

TEST(KeepOnScreenTest, WindowsLargerThanTheWorkArea) {
    const Rect small{0, 0, 400, 300};
    // Taller than the work area: top edge at the top. Wider: not moved left.
    EXPECT_EQ(WindowPlacement::keepOnScreen({50, 50, 563, 466}, small, false, 0),
              (Rect{50, 0, 563, 466}));
}

TEST(KeepOnScreenTest, CentringAndWorkAreasThatDoNotStartAtZero) {
    const Rect work{0, 0, 1280, 1000};
    EXPECT_EQ(
        WindowPlacement::keepOnScreen({5, 5, 563, 466}, work, false, WindowPlacement::kCentre),
        (Rect{(1280 - 563) / 2, (1000 - 466) / 2, 563, 466}));
    // A panel on the left or top of the screen: the work area starts after it.
    const Rect shifted{64, 30, 1216, 970};
    EXPECT_EQ(WindowPlacement::keepOnScreen({0, 0, 563, 466}, shifted, false, 0),
              (Rect{64, 30, 563, 466}));
    EXPECT_EQ(WindowPlacement::keepOnScreen({5000, 5000, 563, 466}, shifted, false, 0),
              (Rect{64 + 1216 - 563, 30 + 970 - 466, 563, 466}));
}

}  // namespace
}  // namespace flowcfg
