#include "ui/BatteryDialog.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "ui/MacroPathDialog.h"
#include "ui/PagePrinter.h"
#include "ui/ProgramArt.h"
#include "ui/WidgetProgress.h"

namespace flowcfg {
namespace {

constexpr int kRecordText = 196;   // "Record"
constexpr int kExportText = 221;   // "Export data"
constexpr int kVoltageText = 507;  // "Voltage"
constexpr int kTimeText = 508;     // "Time"
constexpr int kPrintText = 515;    // "Print"
// Rows of the reading in each column of the grid.
constexpr int kRowsPerColumn = 12;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Seconds since 1980 of the instrument's clock, placed where local time reads the same.
qint64 msecsOf(std::int64_t instrumentSeconds) {
    return QDateTime(QDate(1980, 1, 1), QTime(0, 0)).addSecs(instrumentSeconds).toMSecsSinceEpoch();
}

}  // namespace

BatteryDialog::BatteryDialog(Application& application, InstrumentLink& link, QWidget* parent)
    : PageDialog(application, parent),
      page_(std::make_unique<BatteryGaugePage>(application, prompts(), link)),
      board_(new QLabel(this)),
      indicator_(new QLabel(this)),
      status_(new QLabel(this)) {
    placement().section = "Battery";
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

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(board_);
    auto* registers = new QGroupBox(qs(text(BatteryGaugePage::kCaptionText)), this);
    grid_ = new QGridLayout(registers);
    layout->addWidget(registers);
    auto* note = new QLabel(qs(BatteryGaugePage::kEdv1Note), this);
    layout->addWidget(note);

    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    time_ = new QDateTimeAxis(chart);
    time_->setFormat(QStringLiteral("hh:mm:ss"));
    time_->setTitleText(qs(text(kTimeText)));
    charge_ = new QValueAxis(chart);
    charge_->setTitleText(QStringLiteral("%"));
    charge_->setRange(0, 100);
    volts_ = new QValueAxis(chart);
    volts_->setTitleText(qs(text(kVoltageText)) + QStringLiteral(" (V)"));
    chart->addAxis(time_, Qt::AlignBottom);
    chart->addAxis(charge_, Qt::AlignLeft);
    chart->addAxis(volts_, Qt::AlignRight);
    const char* names[] = {"%", "VSB", "VTS"};
    for (std::size_t s = 0; s < series_.size(); ++s) {
        auto* series = new QLineSeries(chart);
        series->setName(QString::fromLatin1(names[s]));
        chart->addSeries(series);
        series->attachAxis(time_);
        series->attachAxis(s == 0 ? charge_ : volts_);
        series_[s] = series;
    }
    auto* view = new QChartView(chart, this);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(640, 260);
    layout->addWidget(view, 1);

    auto* bottom = new QHBoxLayout;
    indicator_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    indicator_->setMinimumWidth(170);
    status_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    bottom->addWidget(indicator_);
    bottom->addWidget(status_, 1);
    BatteryGaugePage& page = *page_;
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
    layout->addLayout(bottom);
    for (Button b : {kFirst, kPrevious, kNext, kLast, kExport})
        button(b)->hide();
}

BatteryDialog::~BatteryDialog() {
    closing_ = true;
    page_->Close();
    page_->setObserver(nullptr);
}

QPushButton* BatteryDialog::addButton(Button which, const QString& text,
                                      std::function<void()> run) {
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [run = std::move(run)] { run(); });
    buttons_[std::size_t(which)] = button;
    return button;
}

bool BatteryDialog::prepare(const std::string& recordedFile) {
    if (page_->Build(nullptr) != 0) return false;
    page_->refreshCaption();
    setWindowTitle(qs(page_->caption()));
    const bool fileMode = !recordedFile.empty();
    for (Button b : {kFirst, kPrevious, kNext, kLast, kExport})
        button(b)->setVisible(fileMode);
    button(kRecord)->setVisible(!fileMode);
    const bool opened = page_->OpenPage(recordedFile) == 0 && !page_->closed();
    pageStateChanged();
    return opened;
}

int BatteryDialog::runPage(const std::string& recordedFile) {
    if (!prepare(recordedFile)) return QDialog::Rejected;
    return exec();
}

QLabel* BatteryDialog::valueLabel(const std::string& caption) const {
    for (const auto& [name, label] : values_)
        if (name == caption) return label;
    return nullptr;
}

void BatteryDialog::refreshValues() {
    const std::vector<BatteryGaugePage::Row> rows = page_->rows();
    // The rows are the same for every reading: the labels are made with the first.
    if (values_.empty() && !rows.empty()) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const int row = int(i) % kRowsPerColumn, column = 2 * (int(i) / kRowsPerColumn);
            auto* caption = new QLabel(qs(rows[i].caption), this);
            auto* value = new QLabel(this);
            value->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
            value->setMinimumWidth(90);
            grid_->addWidget(caption, row, column);
            grid_->addWidget(value, row, column + 1);
            values_.emplace_back(rows[i].caption, value);
        }
        // The charger's bits under their title.
        grid_->addWidget(new QLabel(qs(text(BatteryGaugePage::kChargerText)), this), kRowsPerColumn,
                         0);
    }
    for (std::size_t i = 0; i < rows.size() && i < values_.size(); ++i)
        values_[i].second->setText(qs(rows[i].value));
    board_->setText(qs(page_->boardType() + "   " + text(BatteryGaugePage::kBoardText) + " " +
                       page_->boardSerial()));
}

void BatteryDialog::refreshChart() {
    const auto& points = page_->chart();
    if (points.size() == chartPoints_ && page_->readings() == chartReadings_) return;
    chartPoints_ = points.size();
    chartReadings_ = page_->readings();
    std::array<QList<QPointF>, 3> lines;
    double low = 1e9, high = -1e9;
    for (const BatteryPoint& p : points) {
        const double x = double(msecsOf(p.seconds));
        lines[0].append(QPointF(x, p.charge));
        lines[1].append(QPointF(x, p.vsb));
        lines[2].append(QPointF(x, p.vts));
        low = std::min({low, p.vsb, p.vts});
        high = std::max({high, p.vsb, p.vts});
    }
    for (std::size_t s = 0; s < series_.size(); ++s)
        series_[s]->replace(lines[s]);
    if (points.empty()) return;
    time_->setRange(QDateTime::fromMSecsSinceEpoch(msecsOf(points.front().seconds)),
                    QDateTime::fromMSecsSinceEpoch(msecsOf(points.back().seconds) + 1000));
    volts_->setRange(low - 0.1, high + 0.1);
    volts_->applyNiceNumbers();
}

void BatteryDialog::pageStateChanged() {
    BatteryGaugePage& page = *page_;
    setWindowTitle(qs(page.caption()));
    indicator_->setText(qs(page.indicatorText()));
    status_->setText(qs(page.statusText()));
    const bool shown = page.controlsShown();
    button(kRecord)->setIcon(
        ProgramArt::recordIcon(page.recordingState() != AcquisitionPage::kIdle));
    button(kRecord)->setEnabled(shown);
    button(kExport)->setEnabled(shown && page.fileMode());
    button(kPrint)->setEnabled(shown);
    const AcquisitionPage::Navigation& n = page.navigation();
    button(kFirst)->setEnabled(n.first);
    button(kPrevious)->setEnabled(n.previous);
    button(kNext)->setEnabled(n.next);
    button(kLast)->setEnabled(n.last);
    if (n.focusPrevious && button(kPrevious)->isVisible() && !button(kNext)->isEnabled())
        button(kPrevious)->setFocus();
    refreshValues();
    refreshChart();
}

int BatteryDialog::print() {
    return PagePrinter::printPage(*this, page_->Report(page_->caption()), 0, printers_);
}

void BatteryDialog::sampleShown() {
    refreshValues();
}

void BatteryDialog::closeRequested() {
    if (!closing_ && isVisible()) done(QDialog::Accepted);
}

void BatteryDialog::done(int result) {
    closing_ = true;
    page_->Close();
    PageDialog::done(result);
}

}  // namespace flowcfg
