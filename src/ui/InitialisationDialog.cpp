#include "ui/InitialisationDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "texts/TextIds.h"
#include "ui/CButtonKV.h"
#include "ui/ControlEvent.h"
#include "ui/WidgetFieldControlFactory.h"

namespace flowcfg {

InitialisationDialog::InitialisationDialog(Application& application, SequenceRunner& runner,
                                           QWidget* parent)
    : PageDialog(application, parent), page_(application, prompts(), runner) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setCaptionId(InitialisationPage::kCaptionText);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    factory_ = std::make_unique<WidgetFieldControlFactory>(this);
    factory_->setGrid(-1, grid);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* transfer = new CButtonKV(QString::fromStdString(text(textid::kTextTransfer)), this);
    transfer->setOwner(this);
    transfer->setNotifyId(InitialisationPage::kTransferButton);
    transfer->setAutoDefault(false);
    transfer_ = transfer;
    buttons->addWidget(transfer);
    layout->addLayout(buttons);
}

InitialisationDialog::~InitialisationDialog() = default;

bool InitialisationDialog::prepare() {
    return page_.Build(factory_.get()) == 0;
}

int InitialisationDialog::runPage() {
    if (!prepare()) return QDialog::Rejected;
    return exec();
}

void InitialisationDialog::transfer() {
    transfer_->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        QPushButton* button;
        ~Restore() {
            QApplication::restoreOverrideCursor();
            button->setEnabled(true);
        }
    } restore{transfer_};
    page_.Transfer();
    if (page_.closedWithOk()) done(QDialog::Accepted);
}

void InitialisationDialog::controlNotified(const ControlEvent& event) {
    if (event.notification() == ControlNotification::ButtonClick &&
        event.notifyId() == InitialisationPage::kTransferButton)
        transfer();
}

}  // namespace flowcfg
