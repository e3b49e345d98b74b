#include "ui/FunctionDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "params/ParameterComparison.h"
#include "texts/TextIds.h"
#include "ui/CButtonKV.h"
#include "ui/ControlEvent.h"
#include "ui/ParameterComparisonWindow.h"
#include "ui/TabPage.h"
#include "ui/TabPages.h"
#include "ui/WidgetFieldControlFactory.h"

namespace flowcfg {
namespace {

constexpr int kOkButton = 1;
constexpr int kCancelEditor = 2;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QString numbered(const std::string& text, int n) {
    return qs(text) + QString(" %1").arg(n, 2, 10, QChar('0'));
}

}  // namespace

FunctionEditorDialog::FunctionEditorDialog(Application& application, FunctionEditor& editor,
                                           QWidget* parent)
    : PageDialog(application, parent), editor_(editor) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

FunctionEditorDialog::~FunctionEditorDialog() = default;

int FunctionEditorDialog::prepare() {
    setCaptionText(editor_.Title());
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    factory_ = std::make_unique<WidgetFieldControlFactory>(this, nullptr);
    const int count = int(FunctionDefinitions::ParametersOf(editor_.type()).size());
    for (int i = 0; i < count; ++i) {
        const int id = FunctionEditor::kFirstField + 3 * i;
        factory_->setSlot(id, grid, i, 0);
        factory_->setSlot(id + 1, grid, i, 1);
    }
    grid->setColumnMinimumWidth(1, 160);
    auto* summary = new QLabel(this);
    layout->addWidget(summary);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (auto [id, label] : {std::pair{kOkButton, QString("OK")},
                             std::pair{kCancelEditor, qs(text(textid::kTextCancel))}}) {
        auto* button = new CButtonKV(label, this);
        button->setOwner(this);
        button->setNotifyId(id);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    if (editor_.Build(factory_.get()) != 0) return -1;
    summary->setText(qs(editor_.Summary()));
    summary->setObjectName("summary");
    return 0;
}

void FunctionEditorDialog::controlNotified(const ControlEvent& event) {
    if (event.notification() == ControlNotification::ButtonClick) {
        if (event.notifyId() == kOkButton) accept();
        if (event.notifyId() == kCancelEditor) reject();
        return;
    }
    if (auto* summary = findChild<QLabel*>("summary")) summary->setText(qs(editor_.Summary()));
}

FunctionDialog::FunctionDialog(Application& application, FunctionPage& page,
                               WidgetProgress& progress, QWidget* parent)
    : BlockPageDialog(application, page, progress, parent), functions_(page) {
    placement().section = "Fonction";
    placement().flags = WindowPlacement::kRememberSize | WindowPlacement::kRememberPosition;
    placement().defaults = {60, 60, 60 + 900, 60 + 640};
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    addButton(kTransferButton, text(textid::kTextTransfer));
    addButton(kSaveButton, text(468));
    addButton(kPrintButton, text(textid::kTextPrint));
    addButton(kCompareButton, text(textid::kTextCompare));
    addButton(kCancelButton, text(textid::kTextCancel));
}

void FunctionDialog::layoutFields(QWidget* content) {
    using F = FunctionPage;
    auto* outer = new QVBoxLayout(content);
    tabs_ = new TabPages(this);
    outer->addWidget(tabs_);
    auto newTab = [&](int titleText) {
        auto* tab = new TabPage(this);
        tabs_->addPage(tab, qs(text(titleText)));
        auto* layout = new QVBoxLayout(tab);
        auto* scroll = new QScrollArea(tab);
        scroll->setWidgetResizable(true);
        layout->addWidget(scroll);
        auto* inner = new QWidget;
        scroll->setWidget(inner);
        auto* grid = new QGridLayout(inner);
        grid->setAlignment(Qt::AlignTop);
        return std::pair{tab, grid};
    };
    auto header = [&](QGridLayout* grid, std::initializer_list<int> texts) {
        int column = 1;
        for (int t : texts)
            grid->addWidget(new QLabel(qs(text(t))), 0, column++);
    };
    // "Constant value": the main value, then the ten rows.
    auto [constant, constantGrid] = newTab(141);
    header(constantGrid, {562, 561, 533});
    factory().setSlot(F::kMainValue, constantGrid, 1, 1);
    for (int k = 0; k < F::kRows; ++k) {
        constantGrid->addWidget(new QLabel(numbered(text(408), k + 1)), k + 2, 0);
        factory().setSlot(F::rowSource(k), constantGrid, k + 2, 1);
        factory().setSlot(F::rowSource2(k), constantGrid, k + 2, 2);
        factory().setSlot(F::rowUnit(k), constantGrid, k + 2, 3);
    }
    factory().setGrid(F::kConstantTab, constantGrid);
    // The functions, ten per tab.
    for (int half = 0; half < 2; ++half) {
        auto [tab, grid] = newTab(half == 0 ? 240 : 241);
        for (int j = 0; j < 10; ++j) {
            const int k = 10 * half + j;
            auto* button = new CButtonKV(qs(text(521)), tab);  // "Settings"
            button->setOwner(tab);
            button->setNotifyId(F::settingsButton(k));
            button->setAutoDefault(false);
            grid->addWidget(button, j, 0);
            factory().setSlot(F::typeList(k), grid, j, 1);
            factory().setSlot(F::typeList(k) + 1, grid, j, 2);
            factory().setSlot(F::summary(k), grid, j, 3);
            if (functions_.online()) {
                grid->addWidget(new QLabel(QString("V%1:").arg(k + 1)), j, 4);
                factory().setSlot(F::currentValue(k), grid, j, 5);
                factory().setSlot(F::defaultState(k), grid, j, 6);
            }
        }
        grid->setColumnStretch(3, 1);
        grid->setColumnMinimumWidth(3, 240);
        factory().setGrid(half == 0 ? F::kFirstFunctionsTab : F::kLastFunctionsTab, grid);
    }
    // "Output".
    auto [output, outputGrid] = newTab(486);
    header(outputGrid, {562, 239, 533});
    for (int k = 0; k < F::kOutputs; ++k) {
        outputGrid->addWidget(new QLabel(numbered(text(486), k + 1)), k + 1, 0);
        factory().setSlot(F::outputSource(k), outputGrid, k + 1, 1);
        factory().setSlot(F::outputFunction(k), outputGrid, k + 1, 2);
        factory().setSlot(F::outputUnit(k), outputGrid, k + 1, 3);
    }
    factory().setGrid(F::kOutputTab, outputGrid);
    (void)constant;
    (void)output;
}

BlockPage::Result FunctionDialog::startPage() {
    setCaptionId(FunctionPage::kTitleText);
    functions_.setWaitState([](bool waiting) {
        if (waiting)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    BlockPage::Result result = functions_.Start(&factory());
    setCaptionFile(functions_.fileName());
    return result;
}

void FunctionDialog::fieldChanged(int controlId) {
    for (int k = 0; k < FunctionPage::kFunctions; ++k)
        if (controlId == FunctionPage::typeList(k)) functions_.TypeChanged(k);
}

int FunctionDialog::editFunction(int k) {
    auto editor = functions_.EditorFor(k);
    if (!editor) {
        if (functions_.type(k) == FunctionDefinitions::kOff) functions_.ClearFunction(k);
        return QDialog::Rejected;
    }
    FunctionEditorDialog dialog(application(), *editor, this);
    if (dialog.prepare() != 0) return QDialog::Rejected;
    const int result = dialog.exec();
    if (result == QDialog::Accepted) functions_.ApplyEditor(k, *editor);
    return result;
}

void FunctionDialog::buttonClicked(int id) {
    const int k = FunctionPage::functionOf(id);
    if (k >= 0 && id == FunctionPage::settingsButton(k)) editFunction(k);
}

void FunctionDialog::transfer() {
    functions_.TransferToInstrument();
}

void FunctionDialog::save() {
    if (auto path = chooseFile(FunctionPage::kFileTypeText, true)) {
        functions_.Save(*path);
        setCaptionFile(functions_.fileName());
    }
}

void FunctionDialog::compare() {
    PageMessages& texts = functions_.messages();
    auto path = chooseFile(FunctionPage::kFileTypeText, false);
    if (!path) return;
    auto other = FunctionPage::OpenFile(*path, texts.prompts(), texts.language());
    if (!other) return;
    ParameterComparisonWindow window(application(), texts, *path,
                                     ParameterComparison::Compare(functions_.Rows(), other->Rows()),
                                     this);
    window.exec();
}

}  // namespace flowcfg
