#include "ui/DeviceSearchDialog.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace flowcfg {
namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

DeviceSearchDialog::DeviceSearchDialog(Application& application, InstrumentLink& link,
                                       int startRegister, int registerCount, int addressByteOffset,
                                       int baudLimit, QWidget* parent)
    : PageDialog(application, parent),
      search_(link, startRegister, registerCount, addressByteOffset, baudLimit, language()),
      firstLine_(new QLabel(this)),
      secondLine_(new QLabel(this)),
      progress_(new QProgressBar(this)),
      ok_(new QPushButton(this)) {
    setObjectName("DeviceSearchDialog");
    firstLine_->setAlignment(Qt::AlignCenter);
    secondLine_->setAlignment(Qt::AlignCenter);
    // Room for the two-line outcome, so the window does not jump at the end.
    secondLine_->setMinimumHeight(2 * secondLine_->fontMetrics().lineSpacing());
    progress_->setTextVisible(false);
    progress_->setMinimumWidth(320);
    ok_->hide();
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->addWidget(firstLine_);
    column->addWidget(progress_);
    column->addWidget(secondLine_);
    column->addLayout(buttons);
}

int DeviceSearchDialog::exec() {
    setWindowModality(Qt::ApplicationModal);
    show();
    repaintNow();
    search_.Run(*this);
    return QDialog::exec();
}

void DeviceSearchDialog::repaintNow() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void DeviceSearchDialog::SetTitle(const std::string& text) {
    setCaptionText(text);
}

void DeviceSearchDialog::SetFirstLine(const std::string& text) {
    firstLine_->setText(qs(text));
    repaintNow();
}

void DeviceSearchDialog::SetSecondLine(const std::string& text) {
    secondLine_->setText(qs(text));
    repaintNow();
}

void DeviceSearchDialog::SetRange(int maximum, int position) {
    // An empty range would turn the bar into a busy indicator.
    progress_->setRange(0, std::max(maximum, 1));
    progress_->setValue(position);
    repaintNow();
}

void DeviceSearchDialog::SetPosition(int position) {
    progress_->setValue(position);
}

void DeviceSearchDialog::Step() {
    progress_->setValue(std::min(progress_->value() + 1, progress_->maximum()));
    repaintNow();
}

void DeviceSearchDialog::Finished(bool, const std::string& buttonText) {
    ok_->setText(qs(buttonText));
    ok_->show();
    ok_->setDefault(true);
    ok_->setFocus();
}

}  // namespace flowcfg
