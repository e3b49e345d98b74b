// printPage: printer choice, document, title, footers and the field list on every page, and
// what the person is told when printing cannot go on.
#include "shell/ReportPrinter.h"

#include <gtest/gtest.h>

#include <set>

#include "common/RecordingPrintDevice.h"
#include "common/ScriptedPrompts.h"

namespace flowcfg {
namespace {

using testing::RecordingPrintDevice;
using testing::RecordingPrinters;
using testing::ScriptedPrompts;

constexpr int kEnglish = 2;

PrintReport reportOf(int fields, const std::string& title = "Settings   -   site.eta") {
    PrintReport report;
    report.title = title;
    report.addSection("General");
    for (int i = 0; i < fields; ++i)
        report.addField("Field " + std::to_string(i), std::to_string(i * 7), "mm");
    return report;
}

struct ReportPrinterTest : ::testing::Test {
    ScriptedPrompts prompts;
    RecordingPrinters printers;

    ReportPrinter printer() {
        LocaleDateTime format;
        format.dateOrder = LocaleDateTime::kDayFirst;
        format.twelveHour = true;
        return ReportPrinter(PrintContext{prompts, printers, kEnglish, format,
                                          [] { return LocalTime{2024, 3, 5, 14, 7, 9}; }});
    }
};

TEST_F(ReportPrinterTest, EveryPageHasTheTitleBothFootersAndItsShareOfTheFields) {
    ReportPrinter p = printer();
    const PrintReport report = reportOf(300);
    ASSERT_EQ(p.printPage(report, 1), 0);
    EXPECT_EQ(printers.dialogs, 1);
    const RecordingPrintDevice& d = *printers.last;
    EXPECT_EQ(d.documentName, "Settings   -   site.eta 2024-03-05 14-07-09");
    EXPECT_TRUE(d.ended);
    EXPECT_FALSE(d.aborted);
    ASSERT_GE(d.pages, 2);
    EXPECT_EQ(p.pagesPrinted(), d.pages);
    EXPECT_TRUE(prompts.errors.empty());

    const auto titles = d.find(report.title);
    const auto printedAt = d.find("Printed at 05/03/2024   02:07:09 PM");
    const auto variant = d.find("Zq4xxKRw 03");
    ASSERT_EQ(int(titles.size()), d.pages);
    ASSERT_EQ(int(printedAt.size()), d.pages);
    ASSERT_EQ(int(variant.size()), d.pages);
    for (int page = 1; page <= d.pages; ++page) {
        const auto& title = titles[std::size_t(page - 1)];
        EXPECT_EQ(title.page, page);
        EXPECT_EQ(title.font, (PrintFont{"Arial", 125, 0, 700, false, true}));
        EXPECT_NEAR(title.x + title.extent.width / 2.0, d.width / 2.0, 1);
        EXPECT_EQ(title.y, 83);  // 10 points down
        const auto& left = printedAt[std::size_t(page - 1)];
        EXPECT_EQ(left.font.height, 83);
        EXPECT_EQ(left.x, 0);
        EXPECT_EQ(left.y + left.extent.height, d.height);
        const auto& right = variant[std::size_t(page - 1)];
        EXPECT_EQ(right.x + right.extent.width, d.width);
        EXPECT_EQ(right.y + right.extent.height, d.height);
        const std::string number = std::to_string(page) + " / " + std::to_string(d.pages);
        ASSERT_EQ(d.find(number).size(), 1u) << number;
    }
    // Each field once, from 60 points down and above the footers.
    std::set<int> pagesWithFields;
    for (int i = 0; i < 300; ++i) {
        const auto caption = d.find("Field " + std::to_string(i));
        ASSERT_EQ(caption.size(), 1u) << i;
        EXPECT_GE(caption[0].y, 500);
        EXPECT_LT(caption[0].y + caption[0].extent.height,
                  printedAt[std::size_t(caption[0].page - 1)].y);
        pagesWithFields.insert(caption[0].page);
    }
    EXPECT_EQ(int(pagesWithFields.size()), d.pages);
}

TEST_F(ReportPrinterTest, ATitleWiderThanThePageShrinksToFit) {
    ReportPrinter p = printer();
    const PrintReport report = reportOf(3, std::string(150, 'T'));
    ASSERT_EQ(p.printPage(report, 1), 0);
    const auto title = printers.last->find(report.title);
    ASSERT_EQ(title.size(), 1u);
    EXPECT_GE(title[0].x, 0);
    EXPECT_LE(title[0].x + title[0].extent.width, printers.last->width);
    EXPECT_LT(title[0].font.height, 125);
}

TEST_F(ReportPrinterTest, PrintAllTakesTheDefaultPrinterAndFailuresAreTold) {
    struct Case {
        const char* name;
        int mode;
        bool hasDefault, dialogAccepted, failStart;
        int failPage;
        int status, dialogs;
        const char* message;  // nullptr: none
        bool aborted;
    };
    const Case cases[] = {
        {"print all", 129, true, true, false, 0, 0, 0, nullptr, false},
        {"print all, no default printer", 129, false, true, false, 0, -1, 0,
         "You have no default printer!", false},
        {"dialog cancelled", 1, true, false, false, 0, -1, 1, nullptr, false},
        {"document cannot start", 1, true, true, true, 0, -1, 1, "Printer wouldn't initalize",
         false},
        {"second page cannot start", 4, true, true, false, 2, -1, 1, "Could not start page", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.errors.clear();
        printers.dialogs = 0;
        printers.last = nullptr;
        printers.hasDefault = c.hasDefault;
        printers.dialogAccepted = c.dialogAccepted;
        printers.prototype.failStart = c.failStart;
        printers.prototype.failPage = c.failPage;
        ReportPrinter p = printer();
        EXPECT_EQ(p.printPage(reportOf(300), c.mode), c.status);
        EXPECT_EQ(printers.dialogs, c.dialogs);
        if (c.message) {
            ASSERT_EQ(prompts.errors.size(), 1u);
            EXPECT_EQ(prompts.errors[0].text, c.message);
            EXPECT_EQ(prompts.errors[0].title, "Error");
        } else {
            EXPECT_TRUE(prompts.errors.empty());
        }
        if (printers.last) {
            EXPECT_EQ(printers.last->aborted, c.aborted);
            EXPECT_EQ(printers.last->ended, c.status == 0);  // no document left half open
        }
    }
}

}  // namespace
}  // namespace flowcfg
