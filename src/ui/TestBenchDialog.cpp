#include "ui/TestBenchDialog.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "ui/MacroPathDialog.h"
#include "ui/ProgramArt.h"
#include "ui/WidgetFieldControlFactory.h"
#include "ui/WidgetProgress.h"

namespace flowcfg {
namespace {

constexpr int kRecordText = 196;    // "Record"
constexpr int kExportText = 221;    // "Export data"
constexpr int kFirmwareText = 237;  // "Firmware"
constexpr int kDeltaTText = 179;    // "Delta T"
constexpr int kNumberText = 408;    // "N°"
constexpr int kChordText = 143;     // "Chord 1" ... "Chord 6"
constexpr int kFrameText = 532;     // "SPI frames"

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QString blockName(int block) {
    return QStringLiteral("0x") + QString::number(block, 16).toUpper();
}

}  // namespace

TestBenchDialog::TestBenchDialog(Application& application, InstrumentLink& link, int frameBlock,
                                 QWidget* parent)
    : PageDialog(application, parent),
      page_(std::make_unique<TestBenchPage>(application, prompts(), link, frameBlock)),
      firmware_(new QLabel(this)),
      indicator_(new QLabel(this)),
      status_(new QLabel(this)),
      block_(new QComboBox(this)) {
    placement().section = "SPI";
    placement().flags = WindowPlacement::kRememberPosition;
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    page_->setObserver(this);
    // Called on the link's worker: a queued call, so the worker never waits for this thread.
    page_->setFramePoster([this] {
        QMetaObject::invokeMethod(
            this, [this] { page_->HandleNewFrame(); }, Qt::QueuedConnection);
    });
    macro_ = std::make_unique<MacroPathDialog>(*this, this);
    exportProgress_ = std::make_unique<WidgetProgress>(this);
    page_->setExportTools(macro_.get(), exportProgress_.get(), nullptr);
    factory_ = std::make_unique<WidgetFieldControlFactory>(this, nullptr);

    auto* layout = new QVBoxLayout(this);
    auto* identity = new QGridLayout;
    identity->addWidget(new QLabel(qs(text(kFirmwareText)), this), 0, 0);
    identity->addWidget(firmware_, 0, 1);
    factory_->setSlot(tbctl::kTimingSoftware, identity, 1, 0);
    factory_->setSlot(tbctl::kTimingSoftware + 1, identity, 1, 1);
    identity->setColumnStretch(1, 1);
    layout->addLayout(identity);

    auto* middle = new QHBoxLayout;
    auto* frame = new QGroupBox(qs(text(kFrameText)), this);
    auto* frameGrid = new QGridLayout(frame);
    factory_->setGrid(-1, frameGrid);
    middle->addWidget(frame);
    auto* chords = new QGroupBox(qs(text(kDeltaTText)), this);
    auto* chordGrid = new QGridLayout(chords);
    for (int part = 0; part < tbctl::kChordWords; ++part)
        chordGrid->addWidget(new QLabel(qs(TestBenchPage::ChordTitle(0, part).substr(1)), this), 0,
                             part + 1);
    for (int c = 0; c < tbctl::kChords; ++c) {
        chordGrid->addWidget(new QLabel(qs(text(kChordText + c)), this), c + 1, 0);
        for (int part = 0; part < tbctl::kChordWords; ++part)
            factory_->setSlot(tbctl::chordValue(c, part), chordGrid, c + 1, part + 1);
    }
    chordGrid->setRowStretch(tbctl::kChords + 1, 1);
    middle->addWidget(chords);
    layout->addLayout(middle);
    layout->addWidget(makeChart(), 1);

    auto* bottom = new QHBoxLayout;
    indicator_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    indicator_->setMinimumWidth(170);
    status_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    bottom->addWidget(indicator_);
    bottom->addWidget(status_, 1);
    for (int block : {TestBenchPage::kFirstFrameBlock, TestBenchPage::kSecondFrameBlock})
        block_->addItem(blockName(block), block);
    block_->setCurrentIndex(page_->frameBlock() == TestBenchPage::kSecondFrameBlock ? 1 : 0);
    connect(block_, &QComboBox::activated, this,
            [this](int index) { chooseBlock(block_->itemData(index).toInt()); });
    bottom->addWidget(block_);
    TestBenchPage& page = *page_;
    bottom->addWidget(addButton(kFirst, QStringLiteral("|<"), [&page] { page.ShowFirst(); }));
    bottom->addWidget(addButton(kPrevious, QStringLiteral("<"), [&page] { page.ShowPrevious(); }));
    bottom->addWidget(addButton(kNext, QStringLiteral(">"), [&page] { page.ShowNext(); }));
    bottom->addWidget(addButton(kLast, QStringLiteral(">|"), [&page] { page.ShowLast(); }));
    QPushButton* record = addButton(kRecord, QString(), [&page] { page.ToggleRecording(); });
    record->setIcon(ProgramArt::recordIcon(false));
    record->setToolTip(qs(text(kRecordText)));
    bottom->addWidget(record);
    bottom->addWidget(addButton(kExport, qs(text(kExportText)), [&page] { page.Export(); }));
    layout->addLayout(bottom);
    for (Button b : {kFirst, kPrevious, kNext, kLast, kExport})
        button(b)->hide();
}

TestBenchDialog::~TestBenchDialog() {
    closing_ = true;
    page_->Close();
    page_->setObserver(nullptr);
}

QPushButton* TestBenchDialog::addButton(Button which, const QString& text,
                                        std::function<void()> run) {
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [run = std::move(run)] { run(); });
    buttons_[std::size_t(which)] = button;
    return button;
}

QWidget* TestBenchDialog::makeChart() {
    auto* chart = new QChart;
    chart->setTitle(qs(text(kDeltaTText)));
    frames_ = new QValueAxis(chart);
    frames_->setTitleText(qs(text(kNumberText)));
    frames_->setLabelFormat(QStringLiteral("%.0f"));
    deltaT_ = new QValueAxis(chart);
    deltaT_->setTitleText(qs(text(kDeltaTText)));
    chart->addAxis(frames_, Qt::AlignBottom);
    chart->addAxis(deltaT_, Qt::AlignLeft);
    for (int c = 0; c < tbctl::kChords; ++c) {
        auto* series = new QLineSeries(chart);
        series->setName(qs(TestBenchPage::ChordTitle(c, 0)));
        chart->addSeries(series);
        series->attachAxis(frames_);
        series->attachAxis(deltaT_);
        series_[std::size_t(c)] = series;
    }
    auto* view = new QChartView(chart, this);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(560, 260);
    return view;
}

// The six chords' delta-T over the frames the page keeps (live: the last ones; a file: all).
void TestBenchDialog::refreshChart() {
    const auto& history = page_->deltaTHistory();
    const long last = history.empty() ? 0 : history.back().frame;
    if (last == charted_ && !history.empty()) return;
    charted_ = last;
    double low = 0, high = 0;
    bool any = false;
    for (int c = 0; c < tbctl::kChords; ++c) {
        QList<QPointF> line;
        line.reserve(qsizetype(history.size()));
        for (const TestBenchPage::DeltaTPoint& point : history) {
            const double value = point.deltaT[std::size_t(c)];
            if (!std::isfinite(value)) continue;
            line.append(QPointF(double(point.frame), value));
            low = any ? std::min(low, value) : value;
            high = any ? std::max(high, value) : value;
            any = true;
        }
        series_[std::size_t(c)]->replace(line);
    }
    const double first = history.empty() ? 0 : double(history.front().frame);
    frames_->setRange(first, std::max(double(last), first + 10));
    if (!(high > low)) {
        low -= 1;
        high += 1;
    }
    const double margin = (high - low) * 0.05;
    deltaT_->setRange(low - margin, high + margin);
    deltaT_->applyNiceNumbers();
}

bool TestBenchDialog::prepare(const std::string& recordedFile) {
    if (page_->Build(factory_.get()) != 0) return false;
    page_->refreshCaption();
    setWindowTitle(qs(page_->caption()));
    const bool fileMode = !recordedFile.empty();
    for (Button b : {kFirst, kPrevious, kNext, kLast, kExport})
        button(b)->setVisible(fileMode);
    button(kRecord)->setVisible(!fileMode);
    block_->setVisible(!fileMode);
    pageStateChanged();
    if (page_->OpenPage(recordedFile) != 0 || page_->closed()) return false;
    refreshChart();
    return true;
}

int TestBenchDialog::runPage(const std::string& recordedFile) {
    if (!prepare(recordedFile)) return QDialog::Rejected;
    pageStateChanged();
    return exec();
}

void TestBenchDialog::chooseBlock(int frameBlock) {
    if (frameBlock == page_->frameBlock() || page_->fileMode()) return;
    requestedBlock_ = frameBlock;
    done(QDialog::Accepted);
}

void TestBenchDialog::pageStateChanged() {
    TestBenchPage& page = *page_;
    setWindowTitle(qs(page.caption()));
    firmware_->setText(qs(page.fieldText(AcquisitionPage::kIdFirmware)));
    indicator_->setText(qs(page.indicatorText()));
    status_->setText(qs(page.statusText()));
    const bool recording = page.recordingState() != AcquisitionPage::kIdle;
    button(kRecord)->setIcon(ProgramArt::recordIcon(recording));
    button(kRecord)->setEnabled(page.controlsShown());
    // A recording keeps its frame block.
    block_->setEnabled(!recording);
    button(kExport)->setEnabled(page.controlsShown() && page.fileMode());
    const AcquisitionPage::Navigation& n = page.navigation();
    button(kFirst)->setEnabled(n.first);
    button(kPrevious)->setEnabled(n.previous);
    button(kNext)->setEnabled(n.next);
    button(kLast)->setEnabled(n.last);
    if (n.focusPrevious && button(kPrevious)->isVisible() && !button(kNext)->isEnabled())
        button(kPrevious)->setFocus();
    if (!page.fileMode()) refreshChart();
}

void TestBenchDialog::sampleShown() {
    pageStateChanged();
}

void TestBenchDialog::closeRequested() {
    if (!closing_ && isVisible()) done(QDialog::Accepted);
}

void TestBenchDialog::done(int result) {
    closing_ = true;
    page_->Close();
    PageDialog::done(result);
}

}  // namespace flowcfg
