#include "ui/ParameterDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QVBoxLayout>

#include "params/ParameterComparison.h"
#include "params/ParameterTexts.h"
#include "params/PrintedFields.h"
#include "shell/CFileDialogKV.h"
#include "shell/PageFileTypes.h"
#include "texts/TextIds.h"
#include "ui/CButtonKV.h"
#include "ui/ControlEvent.h"
#include "ui/PagePrinter.h"
#include "ui/ParameterComparisonWindow.h"
#include "ui/TabPage.h"
#include "ui/TabPages.h"
#include "ui/WidgetFieldControlFactory.h"
#include "ui/WidgetProgress.h"

namespace flowcfg {
namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

ParameterDialog::ParameterDialog(Application& application, ParameterPage& page,
                                 WidgetProgress& progress, QWidget* parent)
    : PageDialog(application, parent),
      page_(page),
      progress_(progress),
      tabs_(new TabPages(this)),
      status_(new QLabel(this)),
      bar_(new QProgressBar(this)) {
    placement().section = "Parametrage";
    placement().flags = WindowPlacement::kRememberSize | WindowPlacement::kRememberPosition;
    placement().defaults = {40, 40, 40 + 980, 40 + 700};
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status_, 1);
    bottom->addWidget(bar_);
    bar_->hide();
    for (auto [id, text] : {std::pair{kTransferButton, this->text(textid::kTextTransfer)},
                            std::pair{kSaveButton, this->text(468)},
                            std::pair{kPrintButton, this->text(textid::kTextPrint)},
                            std::pair{kCompareButton, page_.messages().text(textid::kTextCompare)},
                            std::pair{kCancelButton, this->text(textid::kTextCancel)}}) {
        auto* button = new CButtonKV(qs(text), this);
        button->setOwner(this);
        button->setNotifyId(id);
        button->setAutoDefault(false);
        buttons_[id] = button;
        bottom->addWidget(button);
    }
    layout->addLayout(bottom);
    progress_.attach(bar_, status_);
}

ParameterDialog::~ParameterDialog() {
    progress_.detach();
}

QPushButton* ParameterDialog::button(int id) const {
    auto it = buttons_.find(id);
    return it == buttons_.end() ? nullptr : it->second;
}

QWidget* ParameterDialog::tabContent(int tabIndex) const {
    auto it = contents_.find(tabIndex);
    return it == contents_.end() ? nullptr : it->second;
}

void ParameterDialog::buildTab(const ParameterTab& tab) {
    auto* tabPage = new TabPage(this);
    tabs_->addPage(tabPage, qs(text(tab.captionText) + tab.captionSuffix));
    auto* outer = new QVBoxLayout(tabPage);
    auto* scroll = new QScrollArea(tabPage);
    scroll->setWidgetResizable(true);
    outer->addWidget(scroll);
    auto* content = new QWidget;
    scroll->setWidget(content);
    contents_[tab.index] = content;
    auto* row = new QHBoxLayout(content);

    std::map<int, const VariableDescriptor*> described;
    for (const VariableDescriptor& d : page_.table().descriptors())
        if (!described.count(d.controlId)) described[d.controlId] = &d;
    auto windowed = [&](int id) {
        auto it = described.find(id);
        return it != described.end() && it->second->tab == tab.index &&
               (it->second->flags & VariableDescriptor::kWindowless) == 0;
    };

    std::vector<std::size_t> groups;
    for (std::size_t g = 0; g < tab.groups.size(); ++g)
        for (int id : tab.groups[g].fields)
            if (windowed(id)) {
                groups.push_back(g);
                break;
            }
    // The groups go into columns, in order, each column about as tall as the others.
    auto rows = [&](std::size_t g) {
        int n = 1;
        for (int id : tab.groups[g].fields)
            n += windowed(id) ? 1 : 0;
        return n;
    };
    int total = 0;
    for (std::size_t g : groups)
        total += rows(g);
    const int count = groups.size() > 6 ? 3 : groups.size() > 2 ? 2 : 1;
    std::vector<QVBoxLayout*> columns;
    for (int c = 0; c < count; ++c) {
        columns.push_back(new QVBoxLayout);
        row->addLayout(columns.back(), 1);
    }
    std::size_t column = 0;
    int height = 0;
    for (std::size_t g : groups) {
        const ParameterGroup& group = tab.groups[g];
        auto* box = new QGroupBox(group.titleText ? qs(text(group.titleText) + group.titleSuffix)
                                                  : QString());
        auto* grid = new QGridLayout(box);
        int line = 0;
        for (int id : group.fields) {
            if (!windowed(id)) continue;
            const VariableDescriptor& d = *described[id];
            if (!d.captionText && line > 0) {
                // A field without a caption completes the line before it (a unit list beside
                // its value, a profile coefficient beside its abscissa).
                factory_->setSlot(id, grid, line - 1, 3);
                if (d.unitText) factory_->setSlot(id + 1, grid, line - 1, 4);
                continue;
            }
            int value = id;
            if (d.captionText) factory_->setSlot(value++, grid, line, 0);
            factory_->setSlot(value, grid, line, 1);
            if (d.unitText) factory_->setSlot(value + 1, grid, line, 2);
            ++line;
        }
        for (const ParameterCommand& command : tab.commands) {
            if (command.group != int(g)) continue;
            auto* button = new CButtonKV(qs(text(command.text)), box);
            button->setOwner(tabPage);
            button->setNotifyId(kCommandBase + command.id);
            button->setAutoDefault(false);
            buttons_[kCommandBase + command.id] = button;
            grid->addWidget(button, line++, 1);
        }
        if (height > 0 && height + rows(g) / 2 > total / count && column + 1 < columns.size()) {
            ++column;
            height = 0;
        }
        columns[column]->addWidget(box);
        height += rows(g);
    }
    for (QVBoxLayout* column : columns)
        column->addStretch(1);
    // Fields laid here from a tab that is not shown (hidden ones) go aside, out of sight.
    auto* rest = new QWidget(content);
    auto* restGrid = new QGridLayout(rest);
    rest->hide();
    columns.front()->addWidget(rest);
    factory_->setGrid(tab.index, restGrid);
}

void ParameterDialog::buildTabs() {
    factory_ = std::make_unique<WidgetFieldControlFactory>(this, tabs_);
    for (const ParameterTab* tab : page_.layout().shownTabs())
        buildTab(*tab);
}

ParameterPage::Result ParameterDialog::prepare() {
    setCaptionId(paramtext::kSettings);
    buildTabs();
    page_.setPrintHook([this](ParameterPage&) { return print(); });
    // A page of a sequence (send, save, print) works with its window shown, modal so that no
    // other command starts meanwhile, and closes itself.
    const bool sequence =
        (page_.mode() & (ParameterPage::kModeWriteOnly | ParameterPage::kModeSave |
                         ParameterPage::kModePrint)) != 0;
    if (sequence) {
        setModal(true);
        show();
    }
    ParameterPage::Result result = page_.Start(factory_.get());
    showCaption();
    ready_ = true;
    if (sequence && result != ParameterPage::kStayOpen)
        done(result == ParameterPage::kOk ? QDialog::Accepted : QDialog::Rejected);
    return result;
}

ParameterPage::Result ParameterDialog::runPage() {
    ParameterPage::Result result = prepare();
    if (result != ParameterPage::kStayOpen) return result;
    exec();
    result = page_.result();
    return result == ParameterPage::kStayOpen ? ParameterPage::kCancel : result;
}

void ParameterDialog::showCaption() {
    setCaptionFile(page_.captionFile());
    setCaptionExtra(page_.captionExtra());
}

void ParameterDialog::followPage() {
    showCaption();
    if (page_.result() != ParameterPage::kStayOpen && isVisible())
        done(page_.result() == ParameterPage::kOk ? QDialog::Accepted : QDialog::Rejected);
}

void ParameterDialog::fieldChanged(int controlId) {
    if (!ready_) return;
    page_.FieldChanged(controlId);
    followPage();
}

void ParameterDialog::transfer() {
    page_.TransferToInstrument();
    followPage();
}

void ParameterDialog::save() {
    PageFileTypes types(language());
    PageFileTypes::Type type = types.type(paramtext::kSettingFileType);
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.filter = PageFileTypes::filterEntry(type) + "|";
    request.defaultExtension = type.extension;
    request.initialPath =
        page_.captionFile().empty() ? settings().saveDirectory : page_.captionFile();
    auto path = CFileDialogKV(*this, request).run();
    if (!path) return;
    page_.SaveParameterSet(*path);
    showCaption();
}

int ParameterDialog::print() {
    return PagePrinter::printPage(*this, PrintedFields::Of(page_, caption()), page_.mode(),
                                  printers_, &page_.messages().prompts());
}

void ParameterDialog::compare() {
    PageMessages& texts = page_.messages();
    PageFileTypes::Type type = PageFileTypes(texts.language()).type(paramtext::kSettingFileType);
    FileRequest request;
    request.mode = FileRequest::Mode::Open;
    request.filter = PageFileTypes::filterEntry(type) + "|";
    request.defaultExtension = type.extension;
    request.initialPath = settings().saveDirectory;
    request.title = texts.text(textid::kTextCompare);
    auto path = texts.prompts().chooseFile(request);
    if (!path) return;
    auto other = ParameterComparison::OpenSettingsFile(*path, texts.prompts(), texts.language());
    if (!other) return;
    ParameterComparisonWindow window(application(), texts, *path,
                                     ParameterComparison::Compare(page_, *other), this);
    window.exec();
}

void ParameterDialog::controlNotified(const ControlEvent& event) {
    const int id = event.notifyId();
    switch (event.notification()) {
        case ControlNotification::EditLostFocus:
        case ControlNotification::ComboSelEndOk:
            fieldChanged(id);
            break;
        case ControlNotification::SpinNewDelta:
            if (BoundField* field = page_.table().FindField(id)) {
                field->setValue(field->value() + event.delta());
                fieldChanged(id);
            }
            break;
        case ControlNotification::ButtonClick:
            if (id == kTransferButton)
                transfer();
            else if (id == kSaveButton)
                save();
            else if (id == kCompareButton)
                compare();
            else if (id == kPrintButton)
                print();
            else if (id == kCancelButton)
                reject();
            else if (id >= kCommandBase)
                page_.RunCommand(id - kCommandBase);
            break;
        default:
            break;
    }
}

}  // namespace flowcfg
