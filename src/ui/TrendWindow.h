#pragma once

#include <QWidget>
#include <array>

#include "acquisition/TrendHistory.h"

class QBarSet;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

namespace flowcfg {

class MeasurementPage;

// The measurement page's fifth window: the flows QA, QB, QT and the path velocities over the
// last minutes against the instrument's clock, and the velocity profile V1 ... V16 of each
// path as a bar chart.
class TrendWindow : public QWidget {
    Q_OBJECT
public:
    // Texts: 85 "Trend", 86 "Velocity profile"; 421 (list) 0 "Instrument time", 1 "Flow",
    // 2 "Velocity (m/s)".
    static constexpr int kTrendText = 85, kProfileText = 86, kAxisTexts = 421;

    explicit TrendWindow(MeasurementPage& page, QWidget* parent = nullptr);

    // Draws the page's trend and the profile its fields hold.
    void refresh();

    QLineSeries* series(TrendHistory::Series which) const { return series_[std::size_t(which)]; }
    QDateTimeAxis* timeAxis() const { return time_; }
    QValueAxis* flowAxis() const { return flow_; }
    QValueAxis* velocityAxis() const { return velocity_; }
    QBarSet* profile(int path) const { return profile_[std::size_t(path)]; }

private:
    MeasurementPage& page_;
    std::array<QLineSeries*, TrendHistory::kSeriesCount> series_{};
    QDateTimeAxis* time_ = nullptr;
    QValueAxis* flow_ = nullptr;
    QValueAxis* velocity_ = nullptr;
    QValueAxis* profileAxis_ = nullptr;
    std::array<QBarSet*, 2> profile_{};
};

}  // namespace flowcfg
