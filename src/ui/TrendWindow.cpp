#include "ui/TrendWindow.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "acquisition/MeasurementBlocks.h"
#include "acquisition/MeasurementControls.h"
#include "acquisition/MeasurementFields.h"
#include "acquisition/MeasurementPage.h"

namespace flowcfg {
namespace {

using B = MeasurementBlocks;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// The instrument counts seconds from 1980-01-01 00:00:00 of its own clock; the axis writes
// its labels in local time, so the points are placed where local time reads the same.
qint64 msecsOf(std::int64_t instrumentSeconds) {
    return QDateTime(QDate(1980, 1, 1), QTime(0, 0)).addSecs(instrumentSeconds).toMSecsSinceEpoch();
}

// An axis range around [low, high] on round numbers, never empty.
void fitAxis(QValueAxis* axis, double low, double high) {
    if (!(high > low)) {
        low -= 1;
        high += 1;
    }
    const double margin = (high - low) * 0.05;
    axis->setRange(low - margin, high + margin);
    axis->applyNiceNumbers();
}

}  // namespace

TrendWindow::TrendWindow(MeasurementPage& page, QWidget* parent)
    : QWidget(parent, Qt::Window), page_(page) {
    setWindowTitle(qs(page.text(kTrendText)));
    setObjectName(QStringLiteral("trend"));
    auto* layout = new QVBoxLayout(this);

    auto* trend = new QChart;
    trend->setTitle(qs(page.text(kTrendText)));
    time_ = new QDateTimeAxis(trend);
    time_->setFormat(QStringLiteral("hh:mm:ss"));
    time_->setTitleText(qs(page.item(kAxisTexts, 0)));
    flow_ = new QValueAxis(trend);
    flow_->setTitleText(qs(page.item(kAxisTexts, 1)));
    velocity_ = new QValueAxis(trend);
    velocity_->setTitleText(qs(page.item(kAxisTexts, 2)));
    trend->addAxis(time_, Qt::AlignBottom);
    trend->addAxis(flow_, Qt::AlignLeft);
    trend->addAxis(velocity_, Qt::AlignRight);
    const char* names[TrendHistory::kSeriesCount] = {"QA", "QB", "QT", "V A", "V B"};
    for (int s = 0; s < TrendHistory::kSeriesCount; ++s) {
        auto* series = new QLineSeries(trend);
        series->setName(QString::fromLatin1(names[s]));
        trend->addSeries(series);
        series->attachAxis(time_);
        series->attachAxis(s <= TrendHistory::kQT ? flow_ : velocity_);
        series_[std::size_t(s)] = series;
    }
    auto* trendView = new QChartView(trend, this);
    trendView->setRenderHint(QPainter::Antialiasing);
    trendView->setMinimumSize(720, 300);
    layout->addWidget(trendView, 3);

    auto* profile = new QChart;
    profile->setTitle(qs(page.text(kProfileText)));
    auto* bars = new QBarSeries(profile);
    for (int path = 0; path < 2; ++path) {
        profile_[std::size_t(path)] = new QBarSet(QString::fromLatin1(path == 0 ? "QA" : "QB"));
        bars->append(profile_[std::size_t(path)]);
    }
    profile->addSeries(bars);
    auto* points = new QBarCategoryAxis(profile);
    for (int i = 0; i < B::kProfilePoints; ++i)
        points->append(qs(page.text(MeasurementFields::profileCaption(i))));
    profileAxis_ = new QValueAxis(profile);
    profileAxis_->setTitleText(qs(page.item(kAxisTexts, 2)));
    profile->addAxis(points, Qt::AlignBottom);
    profile->addAxis(profileAxis_, Qt::AlignLeft);
    bars->attachAxis(points);
    bars->attachAxis(profileAxis_);
    auto* profileView = new QChartView(profile, this);
    profileView->setMinimumSize(720, 220);
    layout->addWidget(profileView, 2);
    refresh();
}

void TrendWindow::refresh() {
    const auto& points = page_.trend().points();
    const bool twoPaths = page_.InstrumentPaths() > 1;
    // Per axis: the lowest and highest value plotted on it; none yet.
    struct Span {
        bool any = false;
        double low = 0, high = 0;
        void add(double value) {
            low = any ? std::min(low, value) : value;
            high = any ? std::max(high, value) : value;
            any = true;
        }
    } flows, velocities;
    for (int s = 0; s < TrendHistory::kSeriesCount; ++s) {
        const bool pathB = s == TrendHistory::kQB || s == TrendHistory::kVelocityB;
        QLineSeries* series = series_[std::size_t(s)];
        series->setVisible(!pathB || twoPaths);
        Span& span = s <= TrendHistory::kQT ? flows : velocities;
        QList<QPointF> line;
        line.reserve(qsizetype(points.size()));
        if (!pathB || twoPaths)
            for (const TrendHistory::Point& point : points) {
                const double value = point.values[std::size_t(s)];
                if (!std::isfinite(value)) continue;
                line.append(QPointF(double(msecsOf(point.time)), value));
                span.add(value);
            }
        series->replace(line);
    }
    const std::int64_t last = points.empty() ? 0 : points.back().time;
    const std::int64_t first = points.empty() ? 0 : points.front().time;
    time_->setRange(QDateTime::fromMSecsSinceEpoch(msecsOf(first)),
                    QDateTime::fromMSecsSinceEpoch(msecsOf(std::max(last, first + 10))));
    fitAxis(flow_, flows.low, flows.high);
    fitAxis(velocity_, velocities.low, velocities.high);

    double low = 0, high = 0;
    for (int path = 0; path < 2; ++path) {
        QBarSet* set = profile_[std::size_t(path)];
        QList<qreal> values;
        for (int i = 0; i < B::kProfilePoints; ++i) {
            const BoundField* field =
                page_.table().FindField(mctl::pathField(path, mctl::kPathProfile + 3 * i));
            const double value = path == 1 && !twoPaths ? 0 : field ? field->value() : 0;
            values.append(std::isfinite(value) ? value : 0);
            low = std::min(low, values.back());
            high = std::max(high, values.back());
        }
        set->remove(0, set->count());
        set->append(values);
    }
    fitAxis(profileAxis_, low, high);
}

}  // namespace flowcfg
