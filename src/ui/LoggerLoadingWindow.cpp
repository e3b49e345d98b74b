#include "ui/LoggerLoadingWindow.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "shell/PageBase.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

constexpr int kLoadingText = 46;  // "Loading"
constexpr int kDateText = 161;
constexpr int kTimeText = 508;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

LoggerLoadingWindow::LoggerLoadingWindow(PageBase& page, QWidget* parent)
    : QDialog(parent),
      choice_(new QComboBox(this)),
      date_(new QDateEdit(QDate::currentDate(), this)),
      time_(new QTimeEdit(QTime(0, 0, 0), this)) {
    setWindowTitle(qs(page.text(LoggerPage::kCaptionText)));
    auto* layout = new QVBoxLayout(this);
    auto* form = form_ = new QFormLayout;
    for (int i = 0; i < 2; ++i)
        choice_->addItem(qs(page.item(textid::kListLoadingChoice, i)));
    form->addRow(qs(page.text(kLoadingText)), choice_);
    date_->setCalendarPopup(true);
    date_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    date_->setDateRange(QDate(1980, 1, 1), QDate(2099, 12, 31));
    time_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    form->addRow(qs(page.text(kDateText)), date_);
    form->addRow(qs(page.text(kTimeText)), time_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QDialogButtonBox::Ok)->setDefault(true);
    buttons->addButton(qs(page.text(textid::kTextCancel)), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(choice_, &QComboBox::currentIndexChanged, this, [this] { showPickers(); });
    showPickers();
}

void LoggerLoadingWindow::showPickers() {
    const bool from = choice_->currentIndex() == 1;
    form_->setRowVisible(date_, from);
    form_->setRowVisible(time_, from);
    adjustSize();
}

LoggerLoading LoggerLoadingWindow::shownLoading() const {
    LoggerLoading loading;
    loading.fromDate = choice_->currentIndex() == 1;
    const QDate d = date_->date();
    const QTime t = time_->time();
    loading.date = InstrumentDate{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
    return loading;
}

std::optional<LoggerLoading> LoggerLoadingWindow::chooseLoading() {
    if (exec() != QDialog::Accepted) return std::nullopt;
    return shownLoading();
}

}  // namespace flowcfg
