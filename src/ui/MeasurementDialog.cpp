#include "ui/MeasurementDialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/ChordSignalWindow.h"
#include "ui/MacroPathDialog.h"
#include "ui/MeasurementViews.h"
#include "ui/PagePrinter.h"
#include "ui/ProgramArt.h"
#include "ui/TabPages.h"
#include "ui/TrendWindow.h"
#include "ui/WidgetFieldControlFactory.h"
#include "ui/WidgetProgress.h"

namespace flowcfg {
namespace {

constexpr int kRecordText = 196;  // "Record"
constexpr int kExportText = 221;  // "Export data"
constexpr int kPrintText = 515;   // "Print"
constexpr int kChordsText = 87;   // "Chord signals"
constexpr int kTrendText = 85;    // "Trend"

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

MeasurementDialog::MeasurementDialog(Application& application, InstrumentLink& link,
                                     const MeasurementLayout& layout, QWidget* parent)
    : PageDialog(application, parent),
      page_(std::make_unique<MeasurementPage>(application, prompts(), link, layout)),
      indicator_(new QLabel(this)),
      status_(new QLabel(this)) {
    placement().section = "Measurement";
    placement().flags = WindowPlacement::kRememberPosition;
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    page_->setMeasurementObserver(this);
    // Called on the link's worker: a queued call, so the worker never waits for this thread.
    page_->setFramePoster([this] {
        QMetaObject::invokeMethod(
            this, [this] { page_->HandleNewFrame(); }, Qt::QueuedConnection);
    });
    macro_ = std::make_unique<MacroPathDialog>(*this, this);
    exportProgress_ = std::make_unique<WidgetProgress>(this);
    page_->setExportTools(macro_.get(), exportProgress_.get(), nullptr);

    auto* layoutBox = new QVBoxLayout(this);
    factory_ = std::make_unique<WidgetFieldControlFactory>(this, nullptr);
    views_ = std::make_unique<MeasurementViews>(*page_, this, *factory_);
    layoutBox->addWidget(views_->tabs());

    auto* bottom = new QHBoxLayout;
    indicator_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    indicator_->setMinimumWidth(170);
    status_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    bottom->addWidget(indicator_);
    bottom->addWidget(status_, 1);
    MeasurementPage& page = *page_;
    bottom->addWidget(addButton(kFirst, QStringLiteral("|<"), [&page] { page.ShowFirst(); }));
    bottom->addWidget(addButton(kPrevious, QStringLiteral("<"), [&page] { page.ShowPrevious(); }));
    bottom->addWidget(addButton(kNext, QStringLiteral(">"), [&page] { page.ShowNext(); }));
    bottom->addWidget(addButton(kLast, QStringLiteral(">|"), [&page] { page.ShowLast(); }));
    QPushButton* record = addButton(kRecord, QString(), [&page] { page.ToggleRecording(); });
    record->setIcon(ProgramArt::recordIcon(false));
    record->setToolTip(qs(text(kRecordText)));
    bottom->addWidget(record);
    bottom->addWidget(addButton(kExport, qs(text(kExportText)), [&page] { page.Export(); }));
    bottom->addWidget(addButton(kPrint, qs(text(kPrintText)), [this] { print(); }));
    bottom->addWidget(addButton(kChords, qs(text(kChordsText)), [this] { showChordWindows(); }));
    bottom->addWidget(addButton(kTrend, qs(text(kTrendText)), [this] { toggleTrendWindow(); }));
    button(kTrend)->setCheckable(true);
    layoutBox->addLayout(bottom);
    for (Button b : {kFirst, kPrevious, kNext, kLast, kExport})
        button(b)->hide();
}

MeasurementDialog::~MeasurementDialog() {
    closing_ = true;
    page_->Close();
    page_->setMeasurementObserver(nullptr);
}

QPushButton* MeasurementDialog::addButton(Button which, const QString& text,
                                          std::function<void()> run) {
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [run = std::move(run)] { run(); });
    buttons_[std::size_t(which)] = button;
    return button;
}

TabPages* MeasurementDialog::tabs() const {
    return views_->tabs();
}

bool MeasurementDialog::prepare(const std::string& recordedFile) {
    if (page_->Build(factory_.get()) != 0) return false;
    page_->refreshCaption();
    setWindowTitle(qs(page_->caption()));
    const bool fileMode = !recordedFile.empty();
    for (Button b : {kFirst, kPrevious, kNext, kLast, kExport})
        button(b)->setVisible(fileMode);
    button(kRecord)->setVisible(!fileMode);
    pageStateChanged();
    return page_->Open(recordedFile) == 0 && !page_->closed();
}

int MeasurementDialog::runPage(const std::string& recordedFile) {
    if (!prepare(recordedFile)) return QDialog::Rejected;
    pageStateChanged();
    return exec();
}

void MeasurementDialog::pageStateChanged() {
    MeasurementPage& page = *page_;
    // The caption names the recorded file shown, with its creation date and time.
    setWindowTitle(qs(page.caption()));
    indicator_->setText(qs(page.indicatorText()));
    status_->setText(qs(page.statusText()));
    const bool shown = page.controlsShown();
    button(kRecord)->setIcon(
        ProgramArt::recordIcon(page.recordingState() != AcquisitionPage::kIdle));
    button(kRecord)->setEnabled(shown);
    button(kPrint)->setEnabled(shown);
    button(kExport)->setEnabled(shown && page.fileMode());
    const AcquisitionPage::Navigation& n = page.navigation();
    button(kFirst)->setEnabled(n.first);
    button(kPrevious)->setEnabled(n.previous);
    button(kNext)->setEnabled(n.next);
    button(kLast)->setEnabled(n.last);
    // At the last sample the focus goes to "previous", the button that still leads somewhere.
    if (n.focusPrevious && button(kPrevious)->isVisible() && !button(kNext)->isEnabled())
        button(kPrevious)->setFocus();
    views_->refreshStatusBits();
}

void MeasurementDialog::closeRequested() {
    if (!closing_ && isVisible()) done(QDialog::Accepted);
}

void MeasurementDialog::sampleShown() {
    refreshValues();
}

void MeasurementDialog::pathRefreshed(int path) {
    for (int chord = 0; chord < MeasurementPage::kTracedChords; ++chord)
        if (ChordSignalWindow* window = chordWindow(path, chord))
            window->refresh(page_->trace(path, chord));
    // Path A ends a one-path cycle, path B a two-path one.
    if (path == 1 || page_->InstrumentPaths() < 2) refreshValues();
}

void MeasurementDialog::refreshValues() {
    views_->refreshStatusBits();
    if (trend_ && trend_->isVisible()) trend_->refresh();
}

void MeasurementDialog::viewsSetUp() {
    views_->setUp();
}

ChordSignalWindow* MeasurementDialog::chordWindow(int path, int chord) const {
    if (path < 0 || path > 1 || chord < 0 || chord >= MeasurementPage::kTracedChords)
        return nullptr;
    return chords_[std::size_t(path)][std::size_t(chord)];
}

void MeasurementDialog::showChordWindows() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
    for (auto [path, chord] : page_->ChordWindows()) {
        ChordSignalWindow*& window = chords_[std::size_t(path)][std::size_t(chord)];
        if (!window) {
            window = new ChordSignalWindow(*this, path, chord, this);
            window->placeInGrid(area);
        }
        window->refresh(page_->trace(path, chord));
        window->show();
        window->raise();
    }
}

void MeasurementDialog::toggleTrendWindow() {
    if (!trend_) trend_ = new TrendWindow(*page_, this);
    const bool show = !trend_->isVisible();
    if (show) {
        // To the right of the page.
        const QRect frame = frameGeometry();
        trend_->move(frame.right() + 8, frame.top());
        trend_->refresh();
    }
    trend_->setVisible(show);
    button(kTrend)->setChecked(show);
}

int MeasurementDialog::print() {
    return PagePrinter::printPage(*this, page_->Report(page_->caption()), 0, printers_);
}

void MeasurementDialog::done(int result) {
    closing_ = true;
    page_->Close();
    for (auto& path : chords_)
        for (ChordSignalWindow* window : path)
            if (window) window->hide();
    if (trend_) trend_->hide();
    PageDialog::done(result);
}

}  // namespace flowcfg
