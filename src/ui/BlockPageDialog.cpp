#include "ui/BlockPageDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "shell/CFileDialogKV.h"
#include "shell/PageFileTypes.h"
#include "ui/CButtonKV.h"
#include "ui/ControlEvent.h"
#include "ui/PagePrinter.h"
#include "ui/WidgetFieldControlFactory.h"
#include "ui/WidgetProgress.h"

namespace flowcfg {

BlockPageDialog::BlockPageDialog(Application& application, BlockPage& page,
                                 WidgetProgress& progress, QWidget* parent)
    : PageDialog(application, parent),
      page_(page),
      progress_(progress),
      content_(new QWidget(this)),
      status_(new QLabel(this)),
      bar_(new QProgressBar(this)) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(content_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status_, 1);
    bottom->addWidget(bar_);
    bar_->hide();
    buttons_ = bottom;
    layout->addLayout(bottom);
    progress_.attach(bar_, status_);
}

BlockPageDialog::~BlockPageDialog() {
    progress_.detach();
}

void BlockPageDialog::addButton(int id, const std::string& text) {
    auto* button = new CButtonKV(QString::fromStdString(text), this);
    button->setOwner(this);
    button->setNotifyId(id);
    button->setAutoDefault(false);
    buttonsById_[id] = button;
    buttons_->addWidget(button);
}

QPushButton* BlockPageDialog::button(int id) const {
    auto it = buttonsById_.find(id);
    return it == buttonsById_.end() ? nullptr : it->second;
}

BlockPage::Result BlockPageDialog::prepare() {
    factory_ = std::make_unique<WidgetFieldControlFactory>(this, nullptr);
    layoutFields(content_);
    page_.setPrintHook([this] { return print(); });
    // A page of a sequence (send, save, print) works with its window shown, modal so that no
    // other command starts meanwhile, and closes itself.
    const bool sequence = (page_.mode() & (BlockPage::kModeWriteOnly | BlockPage::kModeSave |
                                           BlockPage::kModePrint)) != 0;
    if (sequence) {
        setModal(true);
        show();
    }
    BlockPage::Result result = startPage();
    ready_ = true;
    if (sequence && result != BlockPage::kStayOpen)
        done(result == BlockPage::kOk ? QDialog::Accepted : QDialog::Rejected);
    return result;
}

BlockPage::Result BlockPageDialog::runPage() {
    BlockPage::Result result = prepare();
    if (result != BlockPage::kStayOpen) return result;
    exec();
    result = page_.result();
    return result == BlockPage::kStayOpen ? BlockPage::kCancel : result;
}

void BlockPageDialog::followPage() {
    if (page_.result() != BlockPage::kStayOpen && isVisible())
        done(page_.result() == BlockPage::kOk ? QDialog::Accepted : QDialog::Rejected);
}

int BlockPageDialog::print() {
    return PagePrinter::printPage(*this, page_.Report(caption()), page_.mode(), printers_,
                                  &page_.messages().prompts());
}

std::optional<std::string> BlockPageDialog::chooseFile(int fileTypeText, bool save) {
    PageFileTypes::Type type = PageFileTypes(language()).type(fileTypeText);
    FileRequest request;
    request.mode = save ? FileRequest::Mode::Save : FileRequest::Mode::Open;
    request.filter = PageFileTypes::filterEntry(type) + "|";
    request.defaultExtension = type.extension;
    request.initialPath =
        save && !page_.fileName().empty() ? page_.fileName() : settings().saveDirectory;
    if (save) return CFileDialogKV(*this, request).run();
    return page_.messages().prompts().chooseFile(request);
}

void BlockPageDialog::controlNotified(const ControlEvent& event) {
    const int id = event.notifyId();
    switch (event.notification()) {
        case ControlNotification::EditLostFocus:
        case ControlNotification::ComboSelEndOk:
            if (ready_) fieldChanged(id);
            break;
        case ControlNotification::ButtonClick:
            if (id == kTransferButton)
                transfer();
            else if (id == kSaveButton)
                save();
            else if (id == kPrintButton)
                print();
            else if (id == kCompareButton)
                compare();
            else if (id == kCancelButton)
                reject();
            else
                buttonClicked(id);
            followPage();
            break;
        default:
            break;
    }
}

}  // namespace flowcfg
