#pragma once

#include "link/DeviceSearch.h"
#include "link/SearchProgress.h"
#include "ui/PageDialog.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace flowcfg {

// The automatic instrument search in a small window: a title line, a progress bar, the port and
// speed being tried, and an Ok button that appears when the search is over. The search runs as
// the dialog opens; the window repaints between its steps.
class DeviceSearchDialog : public PageDialog, private SearchProgress {
    Q_OBJECT
public:
    DeviceSearchDialog(Application& application, InstrumentLink& link, int startRegister,
                       int registerCount, int addressByteOffset, int baudLimit,
                       QWidget* parent = nullptr);

    // Opens the window, searches, then waits for Ok.
    int exec() override;

    // 1-based COM number of the instrument found, -1 when none answered.
    int FoundPort() const { return search_.FoundPort(); }
    // Baud table index it answered at, -1 when none answered.
    int FoundBaudIndex() const { return search_.FoundBaudIndex(); }
    // Its slave address.
    int FoundAddress() const { return search_.FoundAddress(); }

    QLabel* firstLine() const { return firstLine_; }
    QLabel* secondLine() const { return secondLine_; }
    QProgressBar* progressBar() const { return progress_; }
    QPushButton* okButton() const { return ok_; }

private:
    void SetTitle(const std::string& text) override;
    void SetFirstLine(const std::string& text) override;
    void SetSecondLine(const std::string& text) override;
    void SetRange(int maximum, int position) override;
    void SetPosition(int position) override;
    void Step() override;
    void Finished(bool found, const std::string& buttonText) override;
    // Lets the window paint what changed; input waits until the search is over.
    void repaintNow();

    DeviceSearch search_;
    QLabel* firstLine_;
    QLabel* secondLine_;
    QProgressBar* progress_;
    QPushButton* ok_;
};

}  // namespace flowcfg
