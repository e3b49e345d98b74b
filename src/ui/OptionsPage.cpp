#include "ui/OptionsPage.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "acquisition/SpreadsheetProgram.h"
#include "link/DeviceSearch.h"
#include "link/LinkSettings.h"
#include "link/PortTable.h"
#include "shell/CFileDialogKV.h"
#include "shell/ComboItemList.h"
#include "shell/ConfigurationFiles.h"
#include "shell/EditValueRules.h"
#include "texts/TextIds.h"
#include "ui/CButtonKV.h"
#include "ui/CComboKV.h"
#include "ui/CEditKV.h"
#include "ui/ControlEvent.h"
#include "ui/DeviceSearchDialog.h"
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
    kCannotWriteText = textid::kTextCannotWriteFile,
    kErrorText = 212,  // "Erreur"
    kComText = 137,    // "Com"
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

// Numbers sit in a short box with their unit after it; texts take the whole row.
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
    if (isTextFormat(format)) {
        grid->addWidget(edit, row, 1, 1, 3);
    } else {
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000000")));
        edit->setAlignment(Qt::AlignRight);
        grid->addWidget(edit, row, 1);
        if (unitTextId != -1) grid->addWidget(new QLabel(qs(text(unitTextId))), row, 2);
    }
    grid->setColumnStretch(3, 1);
    edits_[fieldId] = edit;
    return edit;
}

CComboKV* OptionsPage::addCombo(QGridLayout* grid, int row, int fieldId, int textId,
                                const std::vector<std::string>& items) {
    auto* label = new QLabel(qs(text(textId)));
    label->setObjectName(QStringLiteral("label%1").arg(fieldId));
    auto* combo = new CComboKV;
    combo->setObjectName(QStringLiteral("field%1").arg(fieldId));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setItems(items, 0);
    combo->setNotifyId(fieldId);
    label->setBuddy(combo);
    grid->addWidget(label, row, 0);
    grid->addWidget(combo, row, 1, 1, 2);
    grid->setColumnStretch(3, 1);
    combos_[fieldId] = combo;
    return combo;
}

// The value boxes of several groups start at one column.
static void alignLabels(const std::vector<QGridLayout*>& grids) {
    int widest = 0;
    for (QGridLayout* grid : grids)
        for (int row = 0; row < grid->rowCount(); ++row)
            if (QLayoutItem* item = grid->itemAtPosition(row, 0))
                widest = std::max(widest, item->sizeHint().width());
    for (QGridLayout* grid : grids)
        grid->setColumnMinimumWidth(0, widest);
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
    auto group = [&](int fieldId, int textId) {
        auto* box = new QGroupBox(qs(text(textId)));
        box->setObjectName(QStringLiteral("group%1").arg(fieldId));
        column->addWidget(box);
        return new QGridLayout(box);
    };

    QGridLayout* exportGrid = group(kExportGroup, 221);
    CEditKV* path = addEdit(exportGrid, 0, kSpreadsheet, 496, "%s", 0, -1);
    path->setReadOnlyField(true);
    path->setMinimumWidth(280);
    exportGrid->removeWidget(path);  // beside its buttons
    exportGrid->addWidget(path, 0, 1, 1, 2);
    auto* browse = new CButtonKV(QStringLiteral("..."));
    auto* clear = new CButtonKV(QStringLiteral("RAZ"));
    browse->setObjectName(QStringLiteral("button%1").arg(kBrowseButton));
    clear->setObjectName(QStringLiteral("button%1").arg(kClearButton));
    browse->setNotifyId(kBrowseButton);
    clear->setNotifyId(kClearButton);
    for (CButtonKV* b : {browse, clear})
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(b->text()) + 24);
    buttons_[kBrowseButton] = browse;
    buttons_[kClearButton] = clear;
    auto* pathButtons = new QHBoxLayout;
    pathButtons->setSpacing(4);
    pathButtons->addWidget(browse);
    pathButtons->addWidget(clear);
    exportGrid->addLayout(pathButtons, 0, 3);
    exportGrid->setColumnStretch(3, 0);
    exportGrid->setColumnStretch(1, 1);
    addCombo(exportGrid, 1, kExportFormat, textid::kTextExportAs, list(textid::kListExportFormat));
    exportGrid->setColumnStretch(3, 0);

    QGridLayout* saveGrid = group(kSaveGroup, 470);
    addEdit(saveGrid, 0, kLapTime, 473, "%0.f", 0, 99999, 372);
    addEdit(saveGrid, 1, kSampleTime, 471, "%0.f", 1, 86400, 474);

    // The language stands alone, aligned with the groups' contents.
    auto* languageGrid = new QGridLayout;
    QMargins inside = saveGrid->contentsMargins();
    languageGrid->setContentsMargins(inside.left() + 1, 2, inside.right() + 1, 2);
    addCombo(languageGrid, 0, kLanguage, 310, list(kLanguageList));
    column->addLayout(languageGrid);

    QGridLayout* comGrid = group(kComGroup, kComText);
    addEdit(comGrid, 0, kJBus, 306, "%0.f", 0, 255);
    CComboKV* port = addCombo(comGrid, 1, kPort, kComText, portNames());
    // Long device paths are shortened in the box and shown whole in its list.
    port->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    port->setMinimumContentsLength(26);
    addCombo(comGrid, 2, kBauds, 29, list(kBaudList));
    auto* detection = new CButtonKV(qs(text(textid::kTextDetection)));
    detection->setObjectName(QStringLiteral("button%1").arg(kDetectionButton));
    detection->setNotifyId(kDetectionButton);
    buttons_[kDetectionButton] = detection;
    comGrid->addWidget(detection, 3, 1, 1, 2, Qt::AlignLeft);
    showPorts();
    column->addStretch(1);

    alignLabels({exportGrid, saveGrid, languageGrid, comGrid});
    adopt(page, edits_, combos_, buttons_);
    return page;
}

// Every COM number has its place in the list (its position is the stored value): "Com 3", with
// the device path beside it when the port table has one.
std::vector<std::string> OptionsPage::portNames() {
    std::vector<std::string> names;
    for (int n = 1; n <= kLastComNumber; ++n) {
        std::string name = item(textid::kListComPorts, n - 1);
        names.push_back(name.empty() ? text(kComText) + " " + std::to_string(n) : name);
    }
    for (const auto& [number, device] : ports_)
        if (number >= 1 && number <= kLastComNumber)
            names[static_cast<std::size_t>(number - 1)] += "  \u2013  " + device;
    return names;
}

// Only the ports with a device are offered.
void OptionsPage::showPorts() {
    std::vector<std::uint8_t> shown(kLastComNumber, 0);
    for (const auto& [number, device] : ports_)
        if (number >= 1 && number <= kLastComNumber)
            shown[static_cast<std::size_t>(number - 1)] = ComboItemList::kShown;
    CComboKV* port = combos_[kPort];
    port->setAllFlags(shown);
    port->view()->setMinimumWidth(port->view()->sizeHintForColumn(0) + 24);
}

TabPage* OptionsPage::buildModemTab() {
    auto* page = new TabPage(this);
    auto* column = new QVBoxLayout(page);
    auto* box = new QGroupBox(qs(text(kModemText)));
    auto* grid = new QGridLayout(box);
    addCombo(grid, 0, kUseModem, 140, list(kYesNoList));
    addCombo(grid, 1, kNumerotation, 410, list(kDialList));
    addEdit(grid, 2, kInitString, 44, "%s", 0, -1)->setMinimumWidth(240);
    addEdit(grid, 3, kPhone, 411, "%s", 0, -1);
    addEdit(grid, 4, kDisconnect, 45, "%s", 0, -1);
    addEdit(grid, 5, kTimeout, 509, "%0.f", 0, 60000, 386);
    column->addWidget(box);
    column->addStretch(1);
    adopt(page, edits_, combos_, buttons_);
    return page;
}

OptionsPage::Ports OptionsPage::systemPorts(const IniFile& config) {
    return PortTable::Load(config).Entries();
}

void OptionsPage::fill(const OptionsSettings& s) {
    filling_ = true;
    edits_[kSpreadsheet]->setText(qs(s.spreadsheetPath));
    // Without a stored choice, the format the export would use with this program.
    SpreadsheetProgram program = SpreadsheetProgram::Load(config());
    program.path = s.spreadsheetPath;
    program.exportFormat = s.exportFormat;
    combos_[kExportFormat]->select(program.format());
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
    s.exportFormat = combos_.at(kExportFormat)->selectedValue();
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
            if (event.notifyId() == kDetectionButton) runDetection();
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

void OptionsPage::runDetection() {
    InstrumentLink own;
    own.SetAnswerTimeout(LinkSettings::kAnswerTimeoutMs);
    InstrumentLink& link = searchLink_ ? *searchLink_ : own;
    DeviceSearchDialog search(application(), link, DeviceSearch::kIdentificationRegister,
                              DeviceSearch::kIdentificationRegisters,
                              DeviceSearch::kAddressByteOffset, combos_[kBauds]->count(), this);
    search.exec();
    if (search.FoundBaudIndex() == -1) return;
    combos_[kPort]->select(search.FoundPort() - 1);
    combos_[kBauds]->select(search.FoundBaudIndex());
    edits_[kJBus]->setValue(search.FoundAddress());
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
