#pragma once

#include <QPushButton>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "acquisition/BatteryGaugePage.h"
#include "ui/PageDialog.h"

class QDateTimeAxis;
class QGridLayout;
class QLabel;
class QLineSeries;
class QValueAxis;

namespace flowcfg {

class MacroPathDialog;
class PrinterChoice;
class WidgetProgress;

// The battery gauge page's window (BatteryGaugePage): every register of the reading with its
// bits, the board, the note on EDV1, a chart of the charge (left scale) and VSB and VTS in volts
// (right scale), the communication indicator and status text, the record button live, and for a
// recorded file the browsing and export buttons.
class BatteryDialog : public PageDialog, private AcquisitionObserver {
    Q_OBJECT
public:
    enum Button { kRecord, kFirst, kPrevious, kNext, kLast, kExport, kPrint, kButtons };

    BatteryDialog(Application& application, InstrumentLink& link, QWidget* parent = nullptr);
    ~BatteryDialog() override;

    // Builds the fields and opens the page: polling, or showing `recordedFile`. False when the
    // page closed at once.
    bool prepare(const std::string& recordedFile = {});
    // prepare(), then the modal run until the window closes.
    int runPage(const std::string& recordedFile = {});

    BatteryGaugePage& page() { return *page_; }
    QPushButton* button(Button which) const { return buttons_[std::size_t(which)]; }
    // The value label of a row of the page, by its caption; nullptr when there is none.
    QLabel* valueLabel(const std::string& caption) const;
    QLineSeries* chargeSeries() const { return series_[0]; }
    QLineSeries* vsbSeries() const { return series_[1]; }
    QLineSeries* vtsSeries() const { return series_[2]; }

    // Prints the page's report (BatteryGaugePage::Report) under the window's caption. 0 when
    // printed.
    int print();
    // Where print() sends the report instead of the print dialog and the system's printers.
    void setPrinters(PrinterChoice* printers) { printers_ = printers; }

    void done(int result) override;

private:
    // AcquisitionObserver.
    void pageStateChanged() override;
    void closeRequested() override;
    void sampleShown() override;

    QPushButton* addButton(Button which, const QString& text, std::function<void()> run);
    void refreshValues();
    void refreshChart();

    std::unique_ptr<BatteryGaugePage> page_;
    std::unique_ptr<MacroPathDialog> macro_;
    std::unique_ptr<WidgetProgress> exportProgress_;
    QGridLayout* grid_ = nullptr;
    std::vector<std::pair<std::string, QLabel*>> values_;
    QLabel* board_ = nullptr;
    QLabel* indicator_ = nullptr;
    QLabel* status_ = nullptr;
    std::array<QPushButton*, kButtons> buttons_{};
    std::array<QLineSeries*, 3> series_{};
    QDateTimeAxis* time_ = nullptr;
    QValueAxis* charge_ = nullptr;
    QValueAxis* volts_ = nullptr;
    std::size_t chartPoints_ = 0;
    long chartReadings_ = -1;
    PrinterChoice* printers_ = nullptr;
    bool closing_ = false;
};

}  // namespace flowcfg
