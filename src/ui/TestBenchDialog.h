#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "acquisition/TestBenchPage.h"
#include "ui/PageDialog.h"

class QComboBox;
class QLabel;
class QLineSeries;
class QPushButton;
class QValueAxis;

namespace flowcfg {

class MacroPathDialog;
class WidgetFieldControlFactory;
class WidgetProgress;

// The test bench page's window (TestBenchPage): the identity lines, the frame's fields and
// flags, the chords' values in a table, a plot of the six chords' delta-T over the frames, the
// communication indicator and the status text, the frame block (0xF100 or 0xF200) and the record
// button (live), or the browsing buttons and the export button (a recorded file).
class TestBenchDialog : public PageDialog, private AcquisitionObserver {
    Q_OBJECT
public:
    TestBenchDialog(Application& application, InstrumentLink& link,
                    int frameBlock = TestBenchPage::kFirstFrameBlock, QWidget* parent = nullptr);
    ~TestBenchDialog() override;

    // Builds the fields and opens the page: polling the instrument, or showing `recordedFile`.
    // False when the page closed at once.
    bool prepare(const std::string& recordedFile = {});
    // prepare(), then the modal run until the window closes.
    int runPage(const std::string& recordedFile = {});

    // The frame block chosen in the window, which closed it to read that block instead; 0 when
    // the window closed for good.
    int requestedBlock() const { return requestedBlock_; }
    void chooseBlock(int frameBlock);

    TestBenchPage& page() { return *page_; }
    enum Button { kRecord, kFirst, kPrevious, kNext, kLast, kExport };
    QPushButton* button(Button which) const { return buttons_[std::size_t(which)]; }
    QComboBox* blockChoice() const { return block_; }
    QLabel* indicatorLabel() const { return indicator_; }
    QLabel* statusLabel() const { return status_; }
    QLineSeries* deltaTSeries(int chord) const { return series_[std::size_t(chord)]; }

    void done(int result) override;

private:
    void pageStateChanged() override;
    void closeRequested() override;
    void sampleShown() override;
    QPushButton* addButton(Button which, const QString& text, std::function<void()> run);
    QWidget* makeChart();
    void refreshChart();

    std::unique_ptr<TestBenchPage> page_;
    std::unique_ptr<WidgetFieldControlFactory> factory_;
    std::unique_ptr<MacroPathDialog> macro_;
    std::unique_ptr<WidgetProgress> exportProgress_;
    QLabel* firmware_;
    QLabel* indicator_;
    QLabel* status_;
    QComboBox* block_;
    std::array<QPushButton*, 6> buttons_{};
    std::array<QLineSeries*, tbctl::kChords> series_{};
    QValueAxis* frames_ = nullptr;
    QValueAxis* deltaT_ = nullptr;
    long charted_ = -1;  // the frame count last drawn
    int requestedBlock_ = 0;
    bool closing_ = false;
};

}  // namespace flowcfg
