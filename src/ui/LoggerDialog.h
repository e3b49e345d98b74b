#pragma once

#include <memory>
#include <string>

#include "acquisition/LoggerPage.h"
#include "ui/PageDialog.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace flowcfg {

class LoggerLoadingWindow;
class PrinterChoice;
class MacroPathDialog;
class WidgetFieldControlFactory;
class WidgetProgress;

// The logger page's window (LoggerPage): the logger's state, the records to load and loaded
// with the date and time of the last one, the progress bar and its text, the communication
// indicator and the status text, and the record button that starts a download and stops it.
class LoggerDialog : public PageDialog, private AcquisitionObserver {
    Q_OBJECT
public:
    static constexpr int kRecordButton = 5200;
    static constexpr int kPrintButton = 4985;

    LoggerDialog(Application& application, InstrumentLink& link, QWidget* parent = nullptr);
    ~LoggerDialog() override;

    // Builds the fields and opens the page: polling the logger state, or handing `logFile` to
    // the spreadsheet program. False when the page closed at once.
    bool prepare(const std::string& logFile = {});
    // prepare(), then the modal run until the window closes (at once for a file).
    int runPage(const std::string& logFile = {});

    LoggerPage& page() { return *page_; }
    QPushButton* recordButton() const { return record_; }
    QPushButton* printButton() const { return print_; }
    // Prints the page's report (LoggerPage::Report) under the window's caption. 0 when printed.
    int print();
    // Where print() sends the report instead of the print dialog and the system's printers.
    void setPrinters(PrinterChoice* printers) { printers_ = printers; }
    QProgressBar* progressBar() const { return bar_; }
    QLabel* progressLabel() const { return progressText_; }
    QLabel* indicatorLabel() const { return indicator_; }
    QLabel* statusLabel() const { return status_; }
    LoggerLoadingWindow* loadingWindow() const { return loading_.get(); }

    void done(int result) override;

protected:
    void controlNotified(const ControlEvent& event) override;

private:
    void pageStateChanged() override;
    void closeRequested() override;

    std::unique_ptr<LoggerPage> page_;
    std::unique_ptr<WidgetFieldControlFactory> factory_;
    std::unique_ptr<LoggerLoadingWindow> loading_;
    std::unique_ptr<MacroPathDialog> macro_;
    std::unique_ptr<WidgetProgress> exportProgress_;
    QProgressBar* bar_;
    QLabel* progressText_;
    QLabel* indicator_;
    QLabel* status_;
    QPushButton* record_;
    QPushButton* print_;
    PrinterChoice* printers_ = nullptr;
    bool closing_ = false;
};

}  // namespace flowcfg
