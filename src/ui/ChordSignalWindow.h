#pragma once

#include <QWidget>

#include "acquisition/ChordSignalTrace.h"

class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QValueAxis;

namespace flowcfg {

class PageBase;

// The signals of one chord ("QA C1" ...): the delta-T trace with its mean above, the two gains,
// the transit-time trace with its mean below, and the water temperature that the chord's sound
// velocity stands for. Each plot's vertical range runs between multiples of 0.1 around its
// trace (ChordSignalTrace::Range).
class ChordSignalWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 380, kHeight = 330;
    // Texts: 88 (list) 2 "Delta-T (ns)", 1 "Transit time (µs)"; 420 (list) 0 "Mean",
    // 1 "Water temperature", 2 "Gains".
    static constexpr int kAxisTexts = 88, kWindowTexts = 420;

    ChordSignalWindow(PageBase& texts, int path, int chord, QWidget* parent = nullptr);

    // Draws `trace` as it stands.
    void refresh(const ChordSignalTrace& trace);
    // Puts the window in its cell of the 2 x 2 grid (C2 right of C1, QB below QA) from the
    // top left corner of `area`.
    void placeInGrid(const QRect& area);

    int path() const { return path_; }
    int chord() const { return chord_; }
    QLineSeries* deltaTSeries() const { return deltaT_; }
    QLineSeries* transitTimeSeries() const { return transit_; }
    QValueAxis* deltaTAxis() const { return deltaTAxis_; }
    QValueAxis* transitTimeAxis() const { return transitAxis_; }
    QLabel* deltaTMean() const { return deltaTMean_; }
    QLabel* transitTimeMean() const { return transitMean_; }
    QLabel* gains() const { return gains_; }
    QLabel* waterTemperature() const { return temperature_; }

private:
    QChartView* plot(QLineSeries*& series, QValueAxis*& xAxis, QValueAxis*& yAxis,
                     const QString& title);

    PageBase& texts_;
    int path_, chord_;
    QLineSeries* deltaT_ = nullptr;
    QLineSeries* transit_ = nullptr;
    QValueAxis* deltaTX_ = nullptr;
    QValueAxis* deltaTAxis_ = nullptr;
    QValueAxis* transitX_ = nullptr;
    QValueAxis* transitAxis_ = nullptr;
    QLabel* deltaTMean_;
    QLabel* transitMean_;
    QLabel* gains_;
    QLabel* temperature_;
};

}  // namespace flowcfg
