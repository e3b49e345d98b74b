// The screenshot tour of the special settings, factory settings and function pages: each page
// from its file, every tab of the function page and the editor of every function type; the
// initialisation window and the save dialog of "&Sauvegarder tout".
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "Screenshot.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"
#include "ui/FunctionDialog.h"
#include "ui/InitialisationDialog.h"
#include "ui/InstrumentPageCommands.h"
#include "ui/MainWindow.h"
#include "ui/MeasurementCommands.h"
#include "ui/ParameterCommands.h"
#include "ui/SequenceCommands.h"
#include "ui/SpecialSettingsDialog.h"
#include "ui/TabPages.h"
#include "ui/WidgetProgress.h"

namespace flowcfg {
namespace {

using testing::Screenshot;
using D = FunctionDefinitions;

void shoot(QWidget& window, const std::string& name) {
    window.move(40, 40 + Screenshot::kTitleHeight);
    window.show();
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QTest::qWait(5);
    }
    Screenshot shot(&window);
    shot.addOpenPopups();
    EXPECT_GT(Screenshot::colourCount(shot.save(name)), 8) << name;
}

struct Offline {
    testing::ScriptedPrompts prompts;
    NoProgress progress;
    OfflineExchange line;
    PageContext context(int language) { return {prompts, progress, line, language}; }
};

TEST(UiTourPages, SpecialFactoryAndFunctionPagesWithEveryTabAndEditor) {
    testing::TestApplication t;
    Offline offline;
    const std::string special = t.dir.file("unit.rsp"), factory = t.dir.file("upgrade.rus"),
                      functions = t.dir.file("site.fct");
    {
        SpecialSettingsPage page(offline.context(1), BlockPage::kModeNew);
        ASSERT_EQ(page.Build(), 0);
        ASSERT_EQ(page.Save(special), 0);
        FactorySettingsPage choices(offline.context(1), BlockPage::kModeNew);
        ASSERT_EQ(choices.Build(), 0);
        choices.setChoice(FactorySettingsPage::kUpgrade, true);
        choices.setUpgradeName("KV440-27.BIN");
        ASSERT_EQ(choices.Save(factory), 0);
        FunctionPage set(offline.context(1), BlockPage::kModeNew);
        ASSERT_EQ(set.Build(), 0);
        for (int k = 0; k < 18; ++k) {
            ASSERT_EQ(set.SetType(k, k + 1), 0);
            std::vector<double> values;
            for (std::size_t i = 0; i < D::ParametersOf(k + 1).size(); ++i)
                values.push_back(D::ParametersOf(k + 1)[i].kind == D::Kind::Source ? 1 + int(i)
                                                                                   : 2.5 + i);
            ASSERT_EQ(set.ApplyParameters(k, D::Store(k + 1, values)), 0);
        }
        ASSERT_EQ(set.Save(functions), 0);
    }
    for (int code : {1, 2}) {
        t.config().writeReal("Language", "Language", code - 1);
        const std::string language = code == 1 ? "fr" : "en";
        WidgetProgress progress(nullptr);
        {
            SpecialSettingsPage page(offline.context(code), BlockPage::kModeFile, special);
            SpecialSettingsDialog dialog(t.app, page, progress);
            ASSERT_EQ(dialog.prepare(), BlockPage::kStayOpen);
            shoot(dialog, "special-" + language);
        }
        {
            FactorySettingsPage page(offline.context(code), BlockPage::kModeFile, factory);
            FactorySettingsDialog dialog(t.app, page, progress);
            ASSERT_EQ(dialog.prepare(), BlockPage::kStayOpen);
            shoot(dialog, "factory-" + language);
        }
        FunctionPage page(offline.context(code), BlockPage::kModeFile, functions);
        FunctionDialog dialog(t.app, page, progress);
        ASSERT_EQ(dialog.prepare(), BlockPage::kStayOpen);
        for (int tab = 0; tab < dialog.tabs()->count(); ++tab) {
            dialog.tabs()->setCurrentIndex(tab);
            shoot(dialog, "functions-" + language + "-tab" + std::to_string(tab + 1));
        }
        if (code != 2) continue;
        for (int k = 0; k < 18; ++k) {
            auto editor = page.EditorFor(k);
            if (!editor) continue;  // "Not Used" has no parameters to edit
            FunctionEditorDialog editorDialog(t.app, *editor, &dialog);
            ASSERT_EQ(editorDialog.prepare(), 0);
            char name[48];
            std::snprintf(name, sizeof name, "function-editor-%02d", k + 1);
            shoot(editorDialog, name);
        }
    }
}

TEST(UiTourPages, InitialisationWindowAndSaveAllDialog) {
    testing::TestApplication t;
    t.config().writeReal("Language", "Language", 1);  // English
    MainWindow window(t.app);
    ParameterCommands settings(window);
    InstrumentPageCommands pages(window);
    MeasurementCommands measurement(window);
    SequenceCommands sequences(window, settings, pages, measurement);

    DesktopSequenceRunner runner(settings, pages, measurement);
    InitialisationDialog initialisation(t.app, runner);
    ASSERT_TRUE(initialisation.prepare());
    initialisation.page().choose(InitialisationPage::kSettingsField, true);
    shoot(initialisation, "initialisation");
    initialisation.hide();

    // The save dialog, cancelled: no page runs.
    QPointer<QFileDialog> shown;
    bool shot = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog == shown) return;
        shown = dialog;
        shoot(*dialog, "save-all");
        shot = true;
        dialog->reject();
    });
    watch.start(20);
    EXPECT_FALSE(sequences.saveAll().has_value());
    EXPECT_TRUE(shot);
}

}  // namespace
}  // namespace flowcfg
