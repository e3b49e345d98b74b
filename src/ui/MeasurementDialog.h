#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "acquisition/MeasurementPage.h"
#include "ui/PageDialog.h"

class QLabel;
class QPushButton;

namespace flowcfg {

class ChordSignalWindow;
class MacroPathDialog;
class MeasurementViews;
class PrinterChoice;
class TabPages;
class TrendWindow;
class WidgetFieldControlFactory;
class WidgetProgress;

// The measurement page's window (MeasurementPage): the five views on tabs, the communication
// indicator and the status text, the record button (live) or the browsing buttons and the
// export button (a recorded file), the print button, the command that shows the chord signal
// windows and the button that shows or hides the trend window.
class MeasurementDialog : public PageDialog, private MeasurementObserver {
    Q_OBJECT
public:
    // What "&Mesure" opens: any instrument up to two paths, with inputs and outputs (the views
    // of a one-path instrument hide path B at the first complete cycle).
    static MeasurementLayout defaultLayout() { return {2, true, true}; }

    MeasurementDialog(Application& application, InstrumentLink& link,
                      const MeasurementLayout& layout = defaultLayout(), QWidget* parent = nullptr);
    ~MeasurementDialog() override;

    // Builds the views and opens the page: polling the instrument, or showing `recordedFile`.
    // False when the page closed at once.
    bool prepare(const std::string& recordedFile = {});
    // prepare(), then the modal run until the window closes.
    int runPage(const std::string& recordedFile = {});

    MeasurementPage& page() { return *page_; }
    MeasurementViews& views() { return *views_; }
    TabPages* tabs() const;
    QLabel* indicatorLabel() const { return indicator_; }
    QLabel* statusLabel() const { return status_; }
    enum Button { kRecord, kFirst, kPrevious, kNext, kLast, kExport, kPrint, kChords, kTrend };
    QPushButton* button(Button which) const { return buttons_[std::size_t(which)]; }

    // The chord windows the page's command shows ("QA C1" always, the others as the instrument
    // has them), in the 2 x 2 grid.
    void showChordWindows();
    // The chord windows made so far (shown or not), by (path, chord).
    ChordSignalWindow* chordWindow(int path, int chord) const;
    void toggleTrendWindow();
    TrendWindow* trendWindow() const { return trend_; }

    // Prints the page's values. 0 when printed.
    int print();
    void setPrinters(PrinterChoice* printers) { printers_ = printers; }

    void done(int result) override;

private:
    void pageStateChanged() override;
    void closeRequested() override;
    void sampleShown() override;
    void pathRefreshed(int path) override;
    void viewsSetUp() override;
    void identityShown() override {}
    QPushButton* addButton(Button which, const QString& text, std::function<void()> run);
    void refreshValues();

    std::unique_ptr<MeasurementPage> page_;
    std::unique_ptr<WidgetFieldControlFactory> factory_;
    std::unique_ptr<MeasurementViews> views_;
    std::unique_ptr<MacroPathDialog> macro_;
    std::unique_ptr<WidgetProgress> exportProgress_;
    std::array<std::array<ChordSignalWindow*, MeasurementPage::kTracedChords>, 2> chords_{};
    TrendWindow* trend_ = nullptr;
    QLabel* indicator_;
    QLabel* status_;
    std::array<QPushButton*, 9> buttons_{};
    PrinterChoice* printers_ = nullptr;
    bool closing_ = false;
};

}  // namespace flowcfg
