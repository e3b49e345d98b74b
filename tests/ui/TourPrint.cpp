// The screenshot tour's printouts: each page's report as it would come out of the printer
// (drawn into a PDF file, turned into pictures by poppler's pdftoppm), and the print dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>
#include <cstdlib>

#include "Screenshot.h"
#include "SettingsFiles.h"
#include "common/PdfText.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "params/ParameterComparison.h"
#include "params/PrintedFields.h"
#include "print/QtPrinters.h"
#include "shell/PageCaption.h"
#include "ui/DialogPrinterChoice.h"
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
