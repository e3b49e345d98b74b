#include "ui/SpecialSettingsDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>

#include "params/ParameterControls.h"
#include "texts/TextIds.h"
#include "ui/WidgetFieldControlFactory.h"

namespace flowcfg {
namespace {

// A field with a caption: caption at its id, value at id + 1.
void place(WidgetFieldControlFactory& factory, QGridLayout* grid, int id, int row) {
    factory.setSlot(id, grid, row, 0);
    factory.setSlot(id + 1, grid, row, 1, 1, 3);
}

}  // namespace

SpecialSettingsDialog::SpecialSettingsDialog(Application& application, SpecialSettingsPage& page,
                                             WidgetProgress& progress, QWidget* parent)
    : BlockPageDialog(application, page, progress, parent), special_(page) {
    placement().section = "ReglageSpecial";
    placement().flags = WindowPlacement::kRememberPosition;
    addButton(kTransferButton, text(textid::kTextTransfer));
    addButton(kSaveButton, text(468));
    addButton(kPrintButton, text(textid::kTextPrint));
    addButton(kCancelButton, text(textid::kTextCancel));
}

void SpecialSettingsDialog::layoutFields(QWidget* content) {
    using namespace ctl;
    auto* row = new QHBoxLayout(content);
    auto* identity = new QGroupBox(QString::fromStdString(text(SpecialSettingsPage::kTitleText)));
    auto* grid = new QGridLayout(identity);
    int line = 0;
    for (auto [textId, first] :
         {std::pair{kSerialText, kSerial1}, std::pair{kBoardSerialText, kBoardSerial1}}) {
        factory().setSlot(textId, grid, line, 0);
        factory().setSlot(textId + 1, grid, line, 1);
        for (int part = 0; part < 3; ++part)
            factory().setSlot(first + 3 * part, grid, line, 2 + part);
        ++line;
    }
    for (int id :
         {kHardware, kApplication, kInstrumentType, kMaxChords, kMaxChords + 3, kMaxChords + 6})
        place(factory(), grid, id, line++);
    auto* words = new QGroupBox(QString::fromStdString(text(238)));  // "Flag Array"
    auto* wordGrid = new QGridLayout(words);
    for (int i = 0; i < 8; ++i) {
        factory().setSlot(kConfigWord + 3 * i, wordGrid, i, 0);
        factory().setSlot(kConfigWord + 3 * i + 1, wordGrid, i, 1);
    }
    row->addWidget(identity, 2);
    row->addWidget(words, 1);
}

BlockPage::Result SpecialSettingsDialog::startPage() {
    setCaptionId(SpecialSettingsPage::kTitleText);
    BlockPage::Result result = special_.Start(&factory());
    setCaptionFile(special_.fileName());
    return result;
}

void SpecialSettingsDialog::fieldChanged(int controlId) {
    special_.FieldChanged(controlId);
}

void SpecialSettingsDialog::transfer() {
    special_.TransferToInstrument();
}

void SpecialSettingsDialog::save() {
    if (auto path = chooseFile(SpecialSettingsPage::kFileTypeText, true)) {
        special_.Save(*path);
        setCaptionFile(special_.fileName());
    }
}

FactorySettingsDialog::FactorySettingsDialog(Application& application, FactorySettingsPage& page,
                                             WidgetProgress& progress, QWidget* parent)
    : BlockPageDialog(application, page, progress, parent), factoryPage_(page) {
    placement().section = "ReglageUsine";
    placement().flags = WindowPlacement::kRememberPosition;
    addButton(kTransferButton, text(textid::kTextTransfer));
    addButton(kSaveButton, text(468));
    addButton(kCancelButton, text(textid::kTextCancel));
}

void FactorySettingsDialog::layoutFields(QWidget* content) {
    using F = FactorySettingsPage;
    auto* grid = new QGridLayout(content);
    int line = 0;
    for (int id : {F::kReboot, F::kReset, F::kUpgrade, F::kUpgradeName})
        place(factory(), grid, id, line++);
    grid->setColumnMinimumWidth(1, 220);
    grid->setRowStretch(line, 1);
}

BlockPage::Result FactorySettingsDialog::startPage() {
    setCaptionId(FactorySettingsPage::kTitleText);
    BlockPage::Result result = factoryPage_.Start(&factory());
    setCaptionFile(factoryPage_.fileName());
    return result;
}

void FactorySettingsDialog::transfer() {
    factoryPage_.TransferToInstrument();
}

void FactorySettingsDialog::save() {
    if (auto path = chooseFile(FactorySettingsPage::kFileTypeText, true)) {
        factoryPage_.Save(*path);
        setCaptionFile(factoryPage_.fileName());
    }
}

}  // namespace flowcfg
