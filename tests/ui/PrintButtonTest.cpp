// The settings dialog's "Print" button: the print dialog over the page, and the report it
// prints.
#include <gtest/gtest.h>

#include <QFile>
#include <QPrintDialog>
#include <QPushButton>

#include "ModalDriver.h"
#include "SettingsFiles.h"
#include "common/PdfText.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "print/QtPrinters.h"
#include "ui/ParameterDialog.h"
#include "ui/WidgetProgress.h"

namespace flowcfg {
namespace {

TEST(PrintButtonTest, PrintsTheSetAsTheDialogShowsItOrNothingWhenCancelled) {
    testing::TestApplication t;
    t.config().writeReal("Language", "Language", 1);  // English
    LayoutOptions o;
    o.pipes = 2;
    const std::string file = t.dir.file("site.eta");
    ASSERT_EQ(testing::writeSettingsFile(file, o), 0);
    testing::ScriptedPrompts prompts;
    testing::NoLine line;
    WidgetProgress progress(nullptr);
    ParameterPage page(o, PageContext{prompts, progress, line, 2}, ParameterPage::kModeFile, file);
    ParameterDialog dialog(t.app, page, progress);
    ASSERT_EQ(dialog.prepare(), ParameterPage::kStayOpen);
    QPushButton* print = dialog.button(ParameterDialog::kPrintButton);
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->text().toStdString(), "Print");

    // The print dialog offers no page range and no selection; cancelled, nothing is printed.
    bool offered = false;
    testing::ModalDriver driver;
    driver.then<QPrintDialog>([&](QPrintDialog* shown) {
        offered = true;
        EXPECT_FALSE(shown->testOption(QAbstractPrintDialog::PrintPageRange));
        EXPECT_FALSE(shown->testOption(QAbstractPrintDialog::PrintSelection));
        shown->reject();
    });
    print->click();
    EXPECT_TRUE(offered);
    EXPECT_FALSE(driver.timedOut());
    EXPECT_TRUE(prompts.errors.empty());

    const std::string pdf = t.dir.file("site.pdf");
    FixedPrinterChoice toPdf([&] { return QtPrinters::pdfFile(pdf); });
    dialog.setPrinters(&toPdf);
    print->click();
    EXPECT_TRUE(prompts.errors.empty());
    const std::string text = testing::pdfText(pdf);
    EXPECT_GE(testing::pdfPages(pdf), 2);
    EXPECT_NE(text.substr(0, text.find('\n')).find("site.eta"), std::string::npos);
    EXPECT_TRUE(testing::hasLineWith(text, "Ext. Diameter", "512.3"));
    EXPECT_NE(text.find("Definition of cords B"), std::string::npos);  // both pipes' tabs
}

}  // namespace
}  // namespace flowcfg
