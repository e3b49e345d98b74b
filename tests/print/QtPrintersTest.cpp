// The report drawing on QPrinter: PDF files, and the user's locale for the footer's date.
#include "print/QtPrinters.h"

#include <gtest/gtest.h>

#include <QFile>

#include "common/PdfText.h"
#include "common/ScriptedPrompts.h"
#include "common/TempDir.h"
#include "print/PrintSession.h"

namespace flowcfg {
namespace {

// One Qt application for the whole program, as the command-line tool makes it.
class SessionEnvironment : public ::testing::Environment {
public:
    void SetUp() override { session_ = std::make_unique<PrintSession>(); }
    void TearDown() override { session_.reset(); }

private:
    std::unique_ptr<PrintSession> session_;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new SessionEnvironment);

TEST(QtPrintersTest, DateOrderSeparatorsAndHoursFromTheLocale) {
    struct Case {
        const char* locale;
        int order;
        const char* dateSeparator;
        bool twelveHour;
        const char* time;  // 00:07:09
    };
    const Case cases[] = {
        {"en_US", LocaleDateTime::kMonthFirst, "/", true, "12:07:09 AM"},
        {"de_DE", LocaleDateTime::kDayFirst, ".", false, "00:07:09"},
        {"fr_FR", LocaleDateTime::kDayFirst, "/", false, "00:07:09"},
        {"ja_JP", LocaleDateTime::kYearFirst, "/", false, "00:07:09"},
    };
    for (const Case& c : cases) {
        const LocaleDateTime format = QtPrinters::dateTimeFormat(QLocale(c.locale));
        EXPECT_EQ(format.dateOrder, c.order) << c.locale;
        EXPECT_EQ(format.dateSeparator, c.dateSeparator) << c.locale;
        EXPECT_EQ(format.twelveHour, c.twelveHour) << c.locale;
        EXPECT_EQ(format.time(LocalTime{2024, 3, 5, 0, 7, 9}), c.time) << c.locale;
    }
}

TEST(QtPrintersTest, APdfFileIsWrittenWholeOrNotAtAll) {
    testing::TempDir dir;
    testing::ScriptedPrompts prompts;
    PrintReport report;
    report.title = "Mesure";
    report.addSection("Général");
    for (int i = 0; i < 200; ++i)
        report.addField("Débit " + std::to_string(i), std::to_string(i), "m3/h");

    const std::string whole = dir.file("whole.pdf");
    FixedPrinterChoice pdf([&] { return QtPrinters::pdfFile(whole); });
    ReportPrinter printer(PrintContext{prompts, pdf, 1, QtPrinters::dateTimeFormat()});
    ASSERT_EQ(printer.printPage(report, 1), 0);
    EXPECT_EQ(testing::pdfPages(whole), printer.pagesPrinted());
    EXPECT_GE(printer.pagesPrinted(), 2);
    const std::string text = testing::pdfText(whole);
    EXPECT_TRUE(testing::hasLineWith(text, "Débit 199", "199"));
    EXPECT_NE(text.find("Imprimé le "), std::string::npos);

    // A PDF printer's pixels are the points of the page at 1200 dpi.
    auto device = QtPrinters::pdfFile(dir.file("aborted.pdf"));
    EXPECT_EQ(device->pixelsPerInchY(), 1200);
    ASSERT_TRUE(device->startDocument("aborted"));
    ASSERT_TRUE(device->startPage());
    device->drawText(0, 0, "half");
    device->abortDocument();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.file("aborted.pdf"))));
    EXPECT_TRUE(prompts.errors.empty());
}

}  // namespace
}  // namespace flowcfg
