#include "ui/LoggerDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "ui/CButtonKV.h"
#include "ui/ControlEvent.h"
#include "ui/LoggerLoadingWindow.h"
#include "ui/MacroPathDialog.h"
#include "ui/PagePrinter.h"
#include "ui/ProgramArt.h"
#include "ui/WidgetFieldControlFactory.h"
#include "ui/WidgetProgress.h"

namespace flowcfg {
namespace {

constexpr int kRecordText = 196;  // "Record"
constexpr int kPrintText = 515;   // "Print"

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

LoggerDialog::LoggerDialog(Application& application, InstrumentLink& link, QWidget* parent)
    : PageDialog(application, parent),
      page_(std::make_unique<LoggerPage>(application, prompts(), link)),
      bar_(new QProgressBar(this)),
      progressText_(new QLabel(this)),
      indicator_(new QLabel(this)),
      status_(new QLabel(this)),
      record_(nullptr),
      print_(nullptr) {
    placement().section = "Logger";
    placement().flags = WindowPlacement::kRememberPosition;
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    page_->setObserver(this);
    // Called on the link's worker: a queued call, so the worker never waits for this thread.
    page_->setFramePoster([this] {
        QMetaObject::invokeMethod(
            this, [this] { page_->HandleNewFrame(); }, Qt::QueuedConnection);
    });
    loading_ = std::make_unique<LoggerLoadingWindow>(*this, this);
    macro_ = std::make_unique<MacroPathDialog>(*this, this);
    exportProgress_ = std::make_unique<WidgetProgress>(this);
    page_->setLoadingDialog(loading_.get());
    page_->setExportTools(macro_.get(), exportProgress_.get(), nullptr);

    auto* layout = new QVBoxLayout(this);
    auto* state = new QGroupBox(qs(text(LoggerPage::kStateText)), this);
    auto* stateGrid = new QGridLayout(state);
    auto* loading = new QGroupBox(qs(text(LoggerPage::kLoadingText)), this);
    auto* loadingGrid = new QGridLayout(loading);
    layout->addWidget(state);
    layout->addWidget(loading);
    factory_ = std::make_unique<WidgetFieldControlFactory>(this, nullptr);
    int row = 0;
    for (int id : {lctl::kParameters, lctl::kWritten, lctl::kCapacity, lctl::kRange}) {
        factory_->setSlot(id, stateGrid, row, 0);
        factory_->setSlot(id + 1, stateGrid, row++, 1);
    }
    row = 0;
    for (int id : {lctl::kToLoad, lctl::kLoaded, lctl::kLastRecord}) {
        factory_->setSlot(id, loadingGrid, row, 0);
        factory_->setSlot(id + 1, loadingGrid, row++, 1);
    }
    stateGrid->setColumnStretch(1, 1);
    stateGrid->setColumnMinimumWidth(1, 200);
    loadingGrid->setColumnStretch(1, 1);
    bar_->setRange(0, 1);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    loadingGrid->addWidget(bar_, row++, 0, 1, 2);
    progressText_->setMinimumHeight(progressText_->fontMetrics().height());
    // A line of marks as long as it gets: it never widens the window.
    progressText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setMinimumWidth(440);
    loadingGrid->addWidget(progressText_, row, 0, 1, 2);

    auto* bottom = new QHBoxLayout;
    indicator_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    indicator_->setMinimumWidth(170);
    status_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    bottom->addWidget(indicator_);
    bottom->addWidget(status_, 1);
    auto* button = new CButtonKV(QString(), this);
    button->setOwner(this);
    button->setNotifyId(kRecordButton);
    button->setAutoDefault(false);
    button->setIcon(ProgramArt::recordIcon(false));
    button->setToolTip(qs(text(kRecordText)));
    record_ = button;
    bottom->addWidget(record_);
    auto* print = new CButtonKV(qs(text(kPrintText)), this);
    print->setOwner(this);
    print->setNotifyId(kPrintButton);
    print->setAutoDefault(false);
    print_ = print;
    bottom->addWidget(print_);
    layout->addLayout(bottom);
}

LoggerDialog::~LoggerDialog() {
    closing_ = true;
    page_->Close();
    page_->setObserver(nullptr);
}

bool LoggerDialog::prepare(const std::string& logFile) {
    if (page_->Build(factory_.get()) != 0) return false;
    page_->refreshCaption();
    setWindowTitle(qs(page_->caption()));
    return page_->OpenPage(logFile) == 0 && !page_->closed();
}

int LoggerDialog::runPage(const std::string& logFile) {
    if (!prepare(logFile)) return QDialog::Rejected;
    pageStateChanged();
    return exec();
}

void LoggerDialog::controlNotified(const ControlEvent& event) {
    if (event.notification() != ControlNotification::ButtonClick) return;
    if (event.notifyId() == kRecordButton)
        page_->DownloadCommand();
    else if (event.notifyId() == kPrintButton)
        print();
}

int LoggerDialog::print() {
    return PagePrinter::printPage(*this, page_->Report(page_->caption()), 0, printers_);
}

void LoggerDialog::pageStateChanged() {
    LoggerPage& page = *page_;
    indicator_->setText(qs(page.indicatorText()));
    // The text's line breaks are the window's own: its lines start without their blank.
    status_->setText(qs(page.statusText())
                         .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                         .replace(QStringLiteral("\n "), QStringLiteral("\n")));
    record_->setIcon(ProgramArt::recordIcon(page.downloading()));
    record_->setEnabled(page.stateShown());
    print_->setEnabled(page.stateShown());
    bar_->setRange(0, int(std::max(1L, page.progressRange())));
    bar_->setValue(int(std::min(page.progressValue(), page.progressRange())));
    progressText_->setText(qs(page.progressText()));
}

void LoggerDialog::closeRequested() {
    if (!closing_ && isVisible()) done(QDialog::Accepted);
}

void LoggerDialog::done(int result) {
    closing_ = true;
    page_->Close();
    PageDialog::done(result);
}

}  // namespace flowcfg
