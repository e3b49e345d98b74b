// The screenshot tour's printouts: each page's report as it would come out of the printer
// (drawn into a PDF file, turned into pictures by poppler's pdftoppm), and the print dialog.
// The polling pages print what they show live against flowsim.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>
#include <cstdlib>
#include <functional>

#include "Screenshot.h"
#include "SettingsFiles.h"
#include "common/PdfText.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "link/PortTable.h"
#include "params/BlockExchange.h"
#include "params/FunctionPage.h"
#include "params/ParameterComparison.h"
#include "params/PrintedFields.h"
#include "params/ProgressView.h"
#include "params/SpecialSettingsPage.h"
#include "print/QtPrinters.h"
#include "shell/PageCaption.h"
#include "sim/SimTestSupport.h"
#include "ui/BatteryDialog.h"
#include "ui/DialogPrinterChoice.h"
#include "ui/LoggerDialog.h"
#include "ui/MeasurementDialog.h"
#include "ui/QtTranslations.h"

namespace flowcfg {
namespace {

using testing::Screenshot;

// Where the pictures go: FLOWCFG_SHOTS, or a folder of the test that is removed afterwards.
std::string shotsFolder(const testing::TempDir& scratch) {
    const char* folder = std::getenv("FLOWCFG_SHOTS");
    std::string path = folder && *folder ? folder : scratch.path();
    QDir().mkpath(QString::fromStdString(path));
    return path;
}

// Prints `report` into NAME.pdf and turns its pages into NAME-1.png, NAME-2.png ... (pdftoppm
// numbers them); returns the number of pages.
int printToPictures(const PrintReport& report, const std::string& folder, const std::string& name,
                    int language) {
    testing::ScriptedPrompts prompts;
    const std::string pdf = folder + "/" + name + ".pdf";
    FixedPrinterChoice toPdf([&] { return QtPrinters::pdfFile(pdf); });
    ReportPrinter printer(PrintContext{prompts, toPdf, language, QtPrinters::dateTimeFormat()});
    EXPECT_EQ(printer.printPage(report, 1), 0) << name;
    EXPECT_TRUE(prompts.errors.empty());
    const std::string command =
        "pdftoppm -r 80 -png '" + pdf + "' '" + folder + "/" + name + "' 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return printer.pagesPrinted();
}

TEST(UiTourPrint, SettingsReportsInFrenchAndEnglish) {
    testing::TestApplication t;
    testing::TempDir scratch;
    const std::string folder = shotsFolder(scratch);
    LayoutOptions o;
    o.level = 2;
    o.pipes = 2;
    o.chordsA = 3;
    o.chordsB = 2;
    o.modules = {1, 1, 2, 3, 4, 5};
    const std::string file = t.dir.file("poste-2.eta");
    ASSERT_EQ(testing::writeSettingsFile(file, o), 0);
    for (int language : {1, 2}) {
        testing::ScriptedPrompts prompts;
        auto page = ParameterComparison::OpenSettingsFile(file, prompts, language);
        ASSERT_NE(page, nullptr);
        PageCaption caption;
        caption.file = "poste-2.eta";
        const std::string name = std::string("report-settings-") + (language == 1 ? "fr" : "en");
        const int pages =
            printToPictures(PrintedFields::Of(*page, caption.compose(page->messages().text(521))),
                            folder, name, language);
        ASSERT_GE(pages, 2);
        // pdftoppm pads the page number to the width of the page count.
        const std::string first = folder + "/" + name + (pages >= 10 ? "-01.png" : "-1.png");
        QImage picture(QString::fromStdString(first));
        ASSERT_FALSE(picture.isNull()) << first;
        EXPECT_GT(Screenshot::colourCount(picture), 8);
    }
}

// The first picture of a printout shows something: more than a few colours.
void expectPicture(const std::string& folder, const std::string& name, int pages) {
    const std::string first = folder + "/" + name + (pages >= 10 ? "-01.png" : "-1.png");
    QImage picture(QString::fromStdString(first));
    ASSERT_FALSE(picture.isNull()) << first;
    EXPECT_GT(Screenshot::colourCount(picture), 8) << name;
}

bool waitFor(const std::function<bool()>& done, int ms = 20000) {
    for (int waited = 0; waited < ms && !done(); waited += 10)
        QTest::qWait(10);
    return done();
}

TEST(UiTourPrint, EveryPagesReportInFrench) {
    testing::TestApplication t;
    testing::TempDir scratch;
    const std::string folder = shotsFolder(scratch);
    constexpr int kFrench = 1;
    testing::ScriptedPrompts prompts;
    NoProgress progress;
    OfflineExchange offline;
    const PageContext context{prompts, progress, offline, kFrench};
    auto caption = [](const std::string& title) { return PageCaption{}.compose(title); };

    SpecialSettingsPage special(context, BlockPage::kModeNew);
    ASSERT_EQ(special.Start(nullptr), BlockPage::kStayOpen);
    const std::string specialName = "report-special-fr";
    expectPicture(
        folder, specialName,
        printToPictures(
            special.Report(caption(special.messages().text(SpecialSettingsPage::kTitleText))),
            folder, specialName, kFrench));
    FunctionPage functions(context, BlockPage::kModeNew);
    ASSERT_EQ(functions.Start(nullptr), BlockPage::kStayOpen);
    const std::string functionName = "report-function-fr";
    expectPicture(folder, functionName,
                  printToPictures(functions.Report(
                                      caption(functions.messages().text(FunctionPage::kTitleText))),
                                  folder, functionName, kFrench));

    // The polling pages, each in its window against one flowsim.
    testing::RunningSim sim({"--logger-params", "4", "--logger-records", "600"});
    PortTable table;
    table.Assign(9, sim.path());
    PortTable::Install(table);
    IniFile config = t.config();
    config.writeReal("Com", "Port", 8);
    config.writeReal("Com", "Bauds", 5);
    config.writeReal("Com", "JBus", 1);
    {
        InstrumentLink link;
        MeasurementDialog dialog(t.app, link, {1, false, true});
        ASSERT_TRUE(dialog.prepare());
        ASSERT_TRUE(waitFor([&] { return dialog.page().cycles() >= 2; }));
        MeasurementPage& page = dialog.page();
        const std::string name = "report-measurement-fr";
        expectPicture(folder, name,
                      printToPictures(page.Report(page.caption()), folder, name, kFrench));
    }
    {
        InstrumentLink link;
        LoggerDialog dialog(t.app, link);
        ASSERT_TRUE(dialog.prepare());
        ASSERT_TRUE(waitFor([&] { return dialog.page().stateShown(); }));
        LoggerPage& page = dialog.page();
        const std::string name = "report-logger-fr";
        expectPicture(folder, name,
                      printToPictures(page.Report(page.caption()), folder, name, kFrench));
    }
    {
        InstrumentLink link;
        BatteryDialog dialog(t.app, link);
        ASSERT_TRUE(dialog.prepare());
        ASSERT_TRUE(waitFor([&] { return dialog.page().readings() >= 1; }));
        BatteryGaugePage& page = dialog.page();
        const std::string name = "report-battery-fr";
        expectPicture(folder, name,
                      printToPictures(page.Report(page.caption()), folder, name, kFrench));
    }
}

TEST(UiTourPrint, PrintDialog) {
    testing::TestApplication t;
    QtTranslations::use(1);
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer);
    DialogPrinterChoice::prepareDialog(dialog);
    dialog.move(40, 40 + Screenshot::kTitleHeight);
    dialog.show();
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QTest::qWait(5);
    }
    QImage image = Screenshot(&dialog).save("print-dialog");
    EXPECT_GT(Screenshot::colourCount(image), 8);
}

}  // namespace
}  // namespace flowcfg
