#include "ui/ChordSignalWindow.h"

#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QLabel>
#include <QLineSeries>
#include <QValueAxis>

#include "acquisition/MeasurementPage.h"
#include "shell/PageBase.h"

namespace flowcfg {
namespace {

QString number(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

// The series as points (index of the reading, value), the oldest reading first.
QList<QPointF> pointsOf(const std::deque<double>& values, long long added) {
    QList<QPointF> points;
    points.reserve(qsizetype(values.size()));
    long long index = added - (long long)values.size();
    for (double value : values)
        points.append(QPointF(double(index++), value));
    return points;
}

void setRange(QValueAxis* axis, ChordSignalTrace::Range range) {
    // A flat trace still gets a plot of one tenth.
    if (range.high <= range.low) range.high = range.low + 0.1;
    axis->setRange(range.low, range.high);
}

}  // namespace

ChordSignalWindow::ChordSignalWindow(PageBase& texts, int path, int chord, QWidget* parent)
    : QWidget(parent, Qt::Window),
      texts_(texts),
      path_(path),
      chord_(chord),
      deltaTMean_(new QLabel(this)),
      transitMean_(new QLabel(this)),
      gains_(new QLabel(this)),
      temperature_(new QLabel(this)) {
    setWindowTitle(QString::fromStdString(MeasurementPage::ChordWindowTitle(path, chord)));
    setObjectName(windowTitle());
    auto* grid = new QGridLayout(this);
    grid->addWidget(
        plot(deltaT_, deltaTX_, deltaTAxis_, QString::fromStdString(texts_.item(kAxisTexts, 2))), 0,
        0, 1, 2);
    grid->addWidget(deltaTMean_, 1, 0);
    grid->addWidget(gains_, 1, 1);
    grid->addWidget(
        plot(transit_, transitX_, transitAxis_, QString::fromStdString(texts_.item(kAxisTexts, 1))),
        2, 0, 1, 2);
    grid->addWidget(transitMean_, 3, 0);
    grid->addWidget(temperature_, 3, 1);
    resize(kWidth, kHeight);
    refresh(ChordSignalTrace());
}

QChartView* ChordSignalWindow::plot(QLineSeries*& series, QValueAxis*& xAxis, QValueAxis*& yAxis,
                                    const QString& title) {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setTitle(title);
    chart->setMargins(QMargins(2, 2, 2, 2));
    series = new QLineSeries(chart);
    chart->addSeries(series);
    xAxis = new QValueAxis(chart);
    xAxis->setLabelFormat(QStringLiteral("%d"));
    yAxis = new QValueAxis(chart);
    yAxis->setLabelFormat(QStringLiteral("%.2f"));
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    series->attachAxis(xAxis);
    series->attachAxis(yAxis);
    auto* view = new QChartView(chart, this);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(110);
    return view;
}

void ChordSignalWindow::refresh(const ChordSignalTrace& trace) {
    for (auto [series, x, y, values, range] :
         {std::tuple{deltaT_, deltaTX_, deltaTAxis_, &trace.deltaT(), trace.deltaTRange()},
          std::tuple{transit_, transitX_, transitAxis_, &trace.transitTime(),
                     trace.transitTimeRange()}}) {
        series->replace(pointsOf(*values, trace.added()));
        const double first = double(trace.added() - (long long)values->size());
        x->setRange(first, std::max(first + 1, double(trace.added() - 1)));
        setRange(y, range);
    }
    const QString mean = QString::fromStdString(texts_.item(kWindowTexts, 0));
    deltaTMean_->setText(mean + QStringLiteral(" ") + number(trace.meanDeltaT(), 2) +
                         QStringLiteral(" ns"));
    transitMean_->setText(mean + QStringLiteral(" ") + number(trace.meanTransitTime(), 2) +
                          QStringLiteral(" µs"));
    gains_->setText(QString::fromStdString(texts_.item(kWindowTexts, 2)) + QStringLiteral(" ") +
                    number(trace.latest().gainUp, 1) + QStringLiteral(" / ") +
                    number(trace.latest().gainDown, 1) + QStringLiteral(" dB"));
    temperature_->setText(QString::fromStdString(texts_.item(kWindowTexts, 1)) +
                          QStringLiteral(" ") + number(trace.waterTemperature(), 2) +
                          QStringLiteral(" °C"));
}

void ChordSignalWindow::placeInGrid(const QRect& area) {
    move(area.left() + chord_ * kWidth, area.top() + path_ * (kHeight + 30));
}

}  // namespace flowcfg
