#include "ui/StartDialogWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cstdio>

#include "params/ModuleFields.h"
#include "params/ParameterTexts.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

StartDialogWindow::StartDialogWindow(Application& application, QWidget* parent)
    : PageDialog(application, parent),
      pipes_(new QSpinBox(this)),
      maxChords_(new QSpinBox(this)),
      chordsA_(new QSpinBox(this)),
      chordsB_(new QSpinBox(this)),
      modules_(new QListWidget(this)) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setCaptionId(paramtext::kSettings);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    struct Row {
        Field field;
        int caption;
        int list;
    };
    for (Row row : {Row{kType, 528, textid::kListInstrumentType},
                    Row{kLevel, 476, textid::kListParameterLevel},
                    Row{kLogger, 511, textid::kListEnableDisable},
                    Row{kTotalizers, 520, textid::kListEnableDisable},
                    Row{kInputsOutputs, 201, textid::kListEnableDisable},
                    Row{kFunctions, 239, textid::kListEnableDisable}}) {
        auto* combo = new QComboBox(this);
        for (const std::string& entry : texts().lookup(row.list, language()))
            combo->addItem(qs(entry));
        combos_[row.field] = combo;
        form->addRow(qs(text(row.caption)), combo);
    }
    pipes_->setRange(1, 2);
    maxChords_->setRange(1, 8);
    chordsA_->setRange(0, 8);
    chordsB_->setRange(0, 8);
    form->addRow(qs(text(393)), pipes_);
    form->addRow(qs(text(395)), maxChords_);
    form->addRow(qs(text(394) + " (" + text(447) + ")"), chordsA_);
    form->addRow(qs(text(394) + " (" + text(448) + ")"), chordsB_);
    form->addRow(qs(text(201)), modules_);
    modules_->setMinimumHeight(120);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(qs(text(377)), QDialogButtonBox::AcceptRole);  // "Edit"
    buttons->addButton(qs(text(textid::kTextCancel)), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void StartDialogWindow::showOptions(const LayoutOptions& o) {
    shown_ = o;
    combos_[kType]->setCurrentIndex(o.instrumentType);
    combos_[kLevel]->setCurrentIndex(o.level);
    combos_[kLogger]->setCurrentIndex(o.logger);
    combos_[kTotalizers]->setCurrentIndex(o.totalizers);
    combos_[kInputsOutputs]->setCurrentIndex(o.inputsOutputs);
    combos_[kFunctions]->setCurrentIndex(o.functions);
    pipes_->setValue(o.pipes);
    maxChords_->setValue(o.maxChords);
    chordsA_->setValue(o.chordsA);
    chordsB_->setValue(o.chordsB);
    modules_->clear();
    for (int k = 0; k < LayoutOptions::kModuleSlots; ++k) {
        const int word = o.modules[std::size_t(k)];
        char line[32];
        std::snprintf(line, sizeof line, "%02d  %06d  ", k + 1, word);
        const int kind = ModuleFields::kindCaption(word);
        modules_->addItem(qs(line + (kind ? text(kind) : std::string())));
    }
}

LayoutOptions StartDialogWindow::fieldOptions() const {
    LayoutOptions o = shown_;
    o.instrumentType = std::max(0, combos_.at(kType)->currentIndex());
    o.level = std::max(0, combos_.at(kLevel)->currentIndex());
    o.logger = std::max(0, combos_.at(kLogger)->currentIndex());
    o.totalizers = std::max(0, combos_.at(kTotalizers)->currentIndex());
    o.inputsOutputs = std::max(0, combos_.at(kInputsOutputs)->currentIndex());
    o.functions = std::max(0, combos_.at(kFunctions)->currentIndex());
    o.pipes = pipes_->value();
    o.maxChords = maxChords_->value();
    o.chordsA = chordsA_->value();
    o.chordsB = chordsB_->value();
    return o;
}

bool StartDialogWindow::confirm(LayoutOptions& options, int /*mode*/) {
    showOptions(options);
    if (exec() != QDialog::Accepted) return false;
    options = fieldOptions();
    return true;
}

}  // namespace flowcfg
