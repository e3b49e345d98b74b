#include "ui/WidgetProgress.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QProgressDialog>

namespace flowcfg {

WidgetProgress::WidgetProgress(QWidget* parent) : parent_(parent) {}

WidgetProgress::~WidgetProgress() = default;

void WidgetProgress::attach(QProgressBar* bar, QLabel* status) {
    bar_ = bar;
    label_ = status;
    if (label_) label_->setText(QString::fromStdString(status_));
}

void WidgetProgress::detach() {
    bar_ = nullptr;
    label_ = nullptr;
}

QProgressBar* WidgetProgress::currentBar() {
    return bar_ ? bar_.data() : nullptr;
}

void WidgetProgress::setRange(int range) {
    if (QProgressBar* bar = currentBar()) {
        bar->setRange(0, range);
        bar->setValue(0);
        bar->show();
    } else {
        window_ = std::make_unique<QProgressDialog>(parent_);
        window_->setCancelButton(nullptr);
        window_->setWindowModality(Qt::WindowModal);
        window_->setMinimumDuration(0);
        window_->setRange(0, range);
        window_->setValue(0);
        window_->show();
    }
    QCoreApplication::processEvents();
}

void WidgetProgress::step() {
    if (QProgressBar* bar = currentBar())
        bar->setValue(bar->value() + 1);
    else if (window_)
        window_->setValue(window_->value() + 1);
    QCoreApplication::processEvents();
}

void WidgetProgress::hide() {
    if (QProgressBar* bar = currentBar()) bar->hide();
    window_.reset();
}

void WidgetProgress::setStatus(const std::string& text) {
    status_ = text;
    if (label_) label_->setText(QString::fromStdString(text));
}

}  // namespace flowcfg
