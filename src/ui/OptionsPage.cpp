#include "ui/OptionsPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/CFileDialogKV.h"
#include "shell/ComboItemList.h"
#include "shell/ConfigurationFiles.h"
#include "ui/CButtonKV.h"
#include "ui/CComboKV.h"
#include "ui/CEditKV.h"
#include "ui/ControlEvent.h"
#include "ui/TabPage.h"
#include "ui/TabPages.h"

namespace flowcfg {
namespace {

// Text ids of the page.
enum : int {
    kCaptionText = 499,       // "Option"
    kGeneralText = 249,       // "Général"
    kModemText = 374,         // "Modem"
    kSaveAsText = 388,        // "&Enregistrer fichier de config sous..."
    kSaveQuestionText = 469,  // "Attention voulez vous sauvegarder la configuration ?"
    kCautionText = 22,        // "Attention"
    kCannotWriteText = 205,   // "Impossible d'ouvrir le fichier destination !"
    kErrorText = 212,         // "Erreur"
    kComText = 137,           // "Com"
    kLanguageList = 339,
    kBaudList = 571,
    kYesNoList = 84,
    kDialList = 80,
};

constexpr int kLastComNumber = 255;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

OptionsPage::OptionsPage(Application& application, QWidget* parent)
    : OptionsPage(application, systemPorts(IniFile(application.settings().configFilePath)),
                  parent) {}

OptionsPage::OptionsPage(Application& application, Ports ports, QWidget* parent)
    : PageDialog(application, parent), ports_(std::move(ports)) {
    setCaptionId(kCaptionText);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    tabs_ = new TabPages(this);
    tabs_->addPage(buildGeneralTab(), qs(text(kGeneralText)));
    tabs_->addPage(buildModemTab(), qs(text(kModemText)));

    auto* saveAs = new CButtonKV(qs(text(kSaveAsText)), this);
    saveAs->setOwner(this);
    saveAs->setNotifyId(kSaveAsButton);
    buttons_[kSaveAsButton] = saveAs;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveAs);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    fill(OptionsSettings::read(config()));
}

std::vector<std::string> OptionsPage::list(int textId) {
    return texts().lookup(textId, language());
}

CEditKV* OptionsPage::addEdit(QGridLayout* grid, int row, int fieldId, int textId,
                              const char* format, double low, double high, int unitTextId) {
    auto* label = new QLabel(qs(text(textId)));
    label->setObjectName(QStringLiteral("label%1").arg(fieldId));
    auto* edit = new CEditKV;
    edit->setObjectName(QStringLiteral("field%1").arg(fieldId));
    edit->setFormat(low, high, format);
    edit->setNotifyId(fieldId);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    if (unitTextId != -1) grid->addWidget(new QLabel(qs(text(unitTextId))), row, 2);
    edits_[fieldId] = edit;
    return edit;
}

CComboKV* OptionsPage::addCombo(QGridLayout* grid, int row, int fieldId, int textId,
                                const std::vector<std::string>& items) {
    auto* label = new QLabel(qs(text(textId)));
    label->setObjectName(QStringLiteral("label%1").arg(fieldId));
    auto* combo = new CComboKV;
    combo->setObjectName(QStringLiteral("field%1").arg(fieldId));
    combo->setItems(items, 0);
    combo->setNotifyId(fieldId);
    label->setBuddy(combo);
    grid->addWidget(label, row, 0);
    grid->addWidget(combo, row, 1, 1, 2);
    combos_[fieldId] = combo;
    return combo;
}

// The controls of a tab page tell the tab page, which tells this page.
static void adopt(TabPage* page, const std::map<int, CEditKV*>& edits,
                  const std::map<int, CComboKV*>& combos,
                  const std::map<int, CButtonKV*>& buttons) {
    for (auto& [id, w] : edits)
        if (page->isAncestorOf(w)) w->setOwner(page);
    for (auto& [id, w] : combos)
        if (page->isAncestorOf(w)) w->setOwner(page);
    for (auto& [id, w] : buttons)
        if (page->isAncestorOf(w)) w->setOwner(page);
}

TabPage* OptionsPage::buildGeneralTab() {
    auto* page = new TabPage(this);
    auto* column = new QVBoxLayout(page);

    auto* exportGroup = new QGroupBox(qs(text(221)));
    exportGroup->setObjectName(QStringLiteral("group%1").arg(kExportGroup));
    auto* exportGrid = new QGridLayout(exportGroup);
    CEditKV* path = addEdit(exportGrid, 0, kSpreadsheet, 496, "%s", 0, -1);
    path->setReadOnlyField(true);
    path->setMinimumWidth(260);
    auto* browse = new CButtonKV(QStringLiteral("..."));
    auto* clear = new CButtonKV(QStringLiteral("RAZ"));
    browse->setObjectName(QStringLiteral("button%1").arg(kBrowseButton));
    clear->setObjectName(QStringLiteral("button%1").arg(kClearButton));
    browse->setNotifyId(kBrowseButton);
    clear->setNotifyId(kClearButton);
    browse->setFixedWidth(32);
    buttons_[kBrowseButton] = browse;
    buttons_[kClearButton] = clear;
    exportGrid->addWidget(browse, 0, 2);
    exportGrid->addWidget(clear, 0, 3);
    exportGrid->setColumnStretch(1, 1);
    column->addWidget(exportGroup);

    auto* saveGroup = new QGroupBox(qs(text(470)));
    saveGroup->setObjectName(QStringLiteral("group%1").arg(kSaveGroup));
    auto* saveGrid = new QGridLayout(saveGroup);
    addEdit(saveGrid, 0, kLapTime, 473, "%0.f", 0, 99999, 372);
    addEdit(saveGrid, 1, kSampleTime, 471, "%0.f", 1, 86400, 474);
    saveGrid->setColumnStretch(3, 1);
    column->addWidget(saveGroup);

    auto* languageGrid = new QGridLayout;
    addCombo(languageGrid, 0, kLanguage, 310, list(kLanguageList));
    languageGrid->setColumnStretch(3, 1);
    column->addLayout(languageGrid);

    auto* comGroup = new QGroupBox(qs(text(kComText)));
    comGroup->setObjectName(QStringLiteral("group%1").arg(kComGroup));
    auto* comGrid = new QGridLayout(comGroup);
    addEdit(comGrid, 0, kJBus, 306, "%0.f", 0, 255);
    // Every COM number has its place (its position is the stored value); only those with a
    // device are shown.
    std::vector<std::string> names;
    std::vector<std::uint8_t> shown(kLastComNumber, 0);
    for (int n = 1; n <= kLastComNumber; ++n)
        names.push_back(text(kComText) + " " + std::to_string(n));
    for (const auto& [number, device] : ports_) {
        if (number < 1 || number > kLastComNumber) continue;
        names[static_cast<std::size_t>(number - 1)] += "  \u2013  " + device;
        shown[static_cast<std::size_t>(number - 1)] = ComboItemList::kShown;
    }
    CComboKV* port = addCombo(comGrid, 1, kPort, kComText, names);
    port->setAllFlags(shown);
    port->setMinimumWidth(220);
    addCombo(comGrid, 2, kBauds, 29, list(kBaudList));
    comGrid->setColumnStretch(3, 1);
    column->addWidget(comGroup);
    column->addStretch(1);

    adopt(page, edits_, combos_, buttons_);
    return page;
}

TabPage* OptionsPage::buildModemTab() {
    auto* page = new TabPage(this);
    auto* column = new QVBoxLayout(page);
    auto* grid = new QGridLayout;
    addCombo(grid, 0, kUseModem, 140, list(kYesNoList));
    addCombo(grid, 1, kNumerotation, 410, list(kDialList));
    addEdit(grid, 2, kInitString, 44, "%s", 0, -1)->setMinimumWidth(220);
    addEdit(grid, 3, kPhone, 411, "%s", 0, -1);
    addEdit(grid, 4, kDisconnect, 45, "%s", 0, -1);
    addEdit(grid, 5, kTimeout, 509, "%0.f", 0, 60000, 386);
    grid->setColumnStretch(1, 1);
    column->addLayout(grid);
    column->addStretch(1);
    adopt(page, edits_, combos_, buttons_);
    return page;
}

OptionsPage::Ports OptionsPage::systemPorts(const IniFile& config) {
    (void)config;
    return {};
}

void OptionsPage::fill(const OptionsSettings& s) {
    filling_ = true;
    edits_[kSpreadsheet]->setText(qs(s.spreadsheetPath));
    edits_[kLapTime]->setValue(s.recordLapTime);
    edits_[kSampleTime]->setValue(s.sampleRecordTime);
    edits_[kJBus]->setValue(s.jbus);
    edits_[kInitString]->setText(qs(s.initialisationString));
    edits_[kPhone]->setText(qs(s.telephoneNumber));
    edits_[kDisconnect]->setText(qs(s.disconnectString));
    edits_[kTimeout]->setValue(s.answerTimeout);
    combos_[kLanguage]->select(s.language);
    combos_[kBauds]->select(s.bauds);
    combos_[kUseModem]->select(s.useModem);
    combos_[kNumerotation]->select(s.numerotation);
    CComboKV* port = combos_[kPort];
    port->select(s.port);
    // A port that is no longer there: the page shows another one, so it has changed.
    if (port->items().rowOfValue(s.port) < 0) modified_ = true;
    filling_ = false;
}

OptionsSettings OptionsPage::fieldSettings() const {
    OptionsSettings s;
    s.spreadsheetPath = edits_.at(kSpreadsheet)->text().toStdString();
    s.recordLapTime = edits_.at(kLapTime)->value();
    s.sampleRecordTime = edits_.at(kSampleTime)->value();
    s.language = combos_.at(kLanguage)->selectedValue();
    s.jbus = edits_.at(kJBus)->value();
    s.port = combos_.at(kPort)->selectedValue();
    s.bauds = combos_.at(kBauds)->selectedValue();
    s.useModem = combos_.at(kUseModem)->selectedValue();
    s.numerotation = combos_.at(kNumerotation)->selectedValue();
    s.initialisationString = edits_.at(kInitString)->text().toStdString();
    s.telephoneNumber = edits_.at(kPhone)->text().toStdString();
    s.disconnectString = edits_.at(kDisconnect)->text().toStdString();
    s.answerTimeout = edits_.at(kTimeout)->value();
    return s;
}

CEditKV* OptionsPage::edit(int fieldId) const {
    auto it = edits_.find(fieldId);
    return it == edits_.end() ? nullptr : it->second;
}

CComboKV* OptionsPage::combo(int fieldId) const {
    auto it = combos_.find(fieldId);
    return it == combos_.end() ? nullptr : it->second;
}

CButtonKV* OptionsPage::button(int fieldId) const {
    auto it = buttons_.find(fieldId);
    return it == buttons_.end() ? nullptr : it->second;
}

void OptionsPage::controlNotified(const ControlEvent& event) {
    switch (event.notification()) {
        case ControlNotification::EditOnChange:
        case ControlNotification::ComboSelChange:
            if (!filling_) modified_ = true;
            break;
        case ControlNotification::ButtonClick:
            if (event.notifyId() == kBrowseButton) browseSpreadsheet();
            if (event.notifyId() == kClearButton && !edits_[kSpreadsheet]->text().isEmpty()) {
                edits_[kSpreadsheet]->clear();
                modified_ = true;
            }
            if (event.notifyId() == kSaveAsButton) saveAs();
            break;
        default:
            break;
    }
}

// Programs on this system rarely carry an extension: every file is offered, ".exe" as well.
void OptionsPage::browseSpreadsheet() {
    FileRequest request;
    request.mode = FileRequest::Mode::Open;
    request.filter = "*|*|*.exe|*.exe||";
    request.initialPath = settings().saveDirectory;
    auto chosen = prompts().chooseFile(request);
    if (!chosen) return;
    edits_[kSpreadsheet]->setText(qs(*chosen));
    modified_ = true;
}

bool OptionsPage::writeFields() {
    if (fieldSettings().write(config()) == 0) return true;
    showError(kCannotWriteText, kErrorText);
    return false;
}

void OptionsPage::saveAs() {
    ConfigurationFiles files(*this);
    auto chosen = CFileDialogKV(*this, files.request(FileRequest::Mode::Save)).run();
    if (chosen && files.saveAs(*chosen) == ConfigurationFiles::Result::Saved) {
        setConfigFile(settings().configFilePath);
        if (writeFields()) modified_ = false;
    } else {
        // Not saved under a new name: the page closes as usual, asking about its changes.
        setConfigFile(settings().configFilePath);
    }
    accept();
}

void OptionsPage::done(int result) {
    if (!closing_) {
        closing_ = true;
        if (modified_ && askYesNo(kSaveQuestionText, "", kCautionText)) writeFields();
    }
    PageDialog::done(result);
}

}  // namespace flowcfg
