// The printing arithmetic: points to printer pixels, fonts and pens, text placement, and the
// date and time of the footer.
#include "shell/PrintCanvas.h"

#include <gtest/gtest.h>

#include "common/RecordingPrintDevice.h"
#include "shell/LocaleDateTime.h"

namespace flowcfg {
namespace {

using testing::RecordingPrintDevice;

TEST(PrintCanvasTest, ScalesPointsFontsAndPensToThePrintersPixels) {
    PrintCanvas canvas;
    EXPECT_EQ(canvas.scaleY(), -1);
    RecordingPrintDevice device;  // 600 dpi
    canvas.attach(device);
    EXPECT_NEAR(canvas.scaleY(), 8.3333333, 1e-6);
    EXPECT_NEAR(canvas.scaleX(), 8.3333333, 1e-6);

    PrintCanvas::Font title;
    title.size = 15;
    title.weight = 700;
    title.underline = true;
    EXPECT_EQ(canvas.selectFont(title).size, 10);  // the previous font comes back
    EXPECT_EQ(device.font, (PrintFont{"Arial", 125, 0, 700, false, true}));
    canvas.selectFont({});
    EXPECT_EQ(device.font.height, 83);

    canvas.selectPen({3, 0x112233});
    EXPECT_EQ(device.pen, (PrintPen{5, 0x112233}));  // 3 × 8.33 × 0.2

    canvas.setOrigin(100, 200);
    canvas.polyline({{72, 36}, {0, 0}});
    ASSERT_EQ(device.lines.size(), 1u);
    EXPECT_EQ(device.lines[0][0].x, 700);
    EXPECT_EQ(device.lines[0][0].y, 500);
    EXPECT_EQ(device.lines[0][1].x, 100);

    // "abcd" at 10 points is 199 by 99 pixels on this printer.
    EXPECT_NEAR(canvas.textSize("abcd").width, 199 / (600 / 72.0), 1e-9);
    EXPECT_NEAR(canvas.pageSize().height, 792, 1e-9);
}

TEST(PrintCanvasTest, PlacesTextByEveryFlag) {
    RecordingPrintDevice device;  // 4800 × 6600 pixels; "abcd" is 199 × 99
    PrintCanvas canvas;
    canvas.attach(device);
    struct Case {
        int flags;
        int x, y;
    };
    // x = 12 points (100 pixels), y = 24 points (200 pixels).
    const Case cases[] = {
        {0, 100, 200},
        {PrintCanvas::kKeepY | PrintCanvas::kBottom, 100, 200},
        {PrintCanvas::kBottom, 100, 200 + 6600 - 99},
        {PrintCanvas::kMiddle, 100, 200 + 3300},
        {PrintCanvas::kBottom | PrintCanvas::kMiddle, 100, 200 + 6600 - 99},
        {PrintCanvas::kLeft | PrintCanvas::kRight, 100, 200},
        {PrintCanvas::kRight, 100 + 4800 - 199, 200},
        {PrintCanvas::kPageCentre, 100 + 2400, 200},
        {PrintCanvas::kEndAtX, 100 - 199, 200},
        {PrintCanvas::kCentreOnX, 100 - 99, 200},
        {PrintCanvas::kEndAtX | PrintCanvas::kCentreOnX, 100 - 199, 200},
        {PrintCanvas::kKeepX | PrintCanvas::kCentreOnX, 100, 200},
        {PrintCanvas::kRight | PrintCanvas::kEndAtX, 100 + 4800 - 199 - 199, 200},
    };
    for (const Case& c : cases) {
        PixelPoint at = canvas.placeText(12, 24, "abcd", c.flags);
        EXPECT_EQ(at.x, c.x) << "flags " << c.flags;
        EXPECT_EQ(at.y, c.y) << "flags " << c.flags;
    }

    // The title's flags centre a caption of any length; the footers' end on the last line.
    for (std::size_t length : {1u, 17u, 64u, 130u}) {
        const std::string caption(length, 'x');
        PixelPoint at = canvas.placeText(0, 10, caption, 0x121);
        const int width = int(0.6 * 83 * double(length));
        EXPECT_NEAR(at.x + width / 2.0, 2400, 1) << length;
        EXPECT_EQ(at.y, 83);
    }
    PixelPoint left = canvas.placeText(0, 0, "Printed at", 0x46);
    EXPECT_EQ(left.x, 0);
    EXPECT_EQ(left.y + 99, 6600);
    PixelPoint right = canvas.placeText(0, 0, "abcd", 0x0A);
    EXPECT_EQ(right.x + 199, 4800);
    EXPECT_EQ(right.y + 99, 6600);

    canvas.printText(0, 0, "drawn", 0);
    canvas.printText(0, 0, "not drawn", 0, false);
    ASSERT_EQ(device.texts.size(), 1u);
    EXPECT_EQ(device.texts[0].text, "drawn");
}

TEST(LocaleDateTimeTest, DateInTheLocalesOrderAndTimeIn12Or24Hours) {
    struct Case {
        int order;
        const char* separator;
        bool twelveHour;
        int hour;
        const char* date;
        const char* time;
    };
    const Case cases[] = {
        {LocaleDateTime::kMonthFirst, "/", true, 0, "03/05/2024", "12:07:09 AM"},
        {LocaleDateTime::kDayFirst, ".", false, 0, "05.03.2024", "00:07:09"},
        {LocaleDateTime::kYearFirst, "-", true, 12, "2024-03-05", "12:07:09 PM"},
        {7, "/", true, 13, "05/03/2024", "01:07:09 PM"},  // any other order: day first
        {LocaleDateTime::kDayFirst, "/", true, 11, "05/03/2024", "11:07:09 AM"},
        {LocaleDateTime::kDayFirst, "/", false, 23, "05/03/2024", "23:07:09"},
    };
    for (const Case& c : cases) {
        LocaleDateTime format;
        format.dateOrder = c.order;
        format.dateSeparator = c.separator;
        format.twelveHour = c.twelveHour;
        format.timeSeparator = ":";
        const LocalTime t{2024, 3, 5, c.hour, 7, 9};
        EXPECT_EQ(format.date(t), c.date) << c.order;
        EXPECT_EQ(format.time(t), c.time) << c.hour;
    }
}

}  // namespace
}  // namespace flowcfg
