#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "params/BlockPage.h"
#include "shell/PrintReport.h"
#include "ui/PageDialog.h"

class QBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;

namespace flowcfg {

class PrinterChoice;
class WidgetFieldControlFactory;
class WidgetProgress;

// The window shared by the special settings, factory settings and function pages: the page's
// fields above (laid out by the page's dialog), the status line, progress bar and buttons
// below. The buttons report through controlNotified like any control; the dialog closes as
// soon as the page has a result.
class BlockPageDialog : public PageDialog {
    Q_OBJECT
public:
    static constexpr int kTransferButton = 5041;
    static constexpr int kSaveButton = 5040;
    static constexpr int kPrintButton = 4985;
    static constexpr int kCompareButton = 4978;
    static constexpr int kCancelButton = 5031;

    BlockPageDialog(Application& application, BlockPage& page, WidgetProgress& progress,
                    QWidget* parent = nullptr);
    ~BlockPageDialog() override;

    // Builds the fields and fills the page as its mode says, then runs the window while the page
    // stays open. The page's result (kCancel when the person closed the window).
    BlockPage::Result runPage();
    // The first half of runPage: kStayOpen when the window is to be shown.
    BlockPage::Result prepare();

    BlockPage& page() { return page_; }
    QPushButton* button(int id) const;
    WidgetFieldControlFactory& factory() { return *factory_; }
    // Where print() sends the report instead of the print dialog and the system's printers.
    void setPrinters(PrinterChoice* printers) { printers_ = printers; }
    // Prints the page's report (BlockPage::Report) under the window's caption. 0 when printed.
    int print();

protected:
    // Places the fields' controls (factory slots) in `content`; called before the page builds.
    virtual void layoutFields(QWidget* content) = 0;
    // Builds and opens the page with the factory.
    virtual BlockPage::Result startPage() = 0;
    virtual void fieldChanged(int controlId) { (void)controlId; }
    virtual void transfer() = 0;
    virtual void save() = 0;
    virtual void compare() {}
    virtual void buttonClicked(int id) { (void)id; }

    void addButton(int id, const std::string& text);
    void controlNotified(const ControlEvent& event) override;
    // Closes the window when the page has a result.
    void followPage();
    // The file dialog of the page's file type; nullopt when cancelled.
    std::optional<std::string> chooseFile(int fileTypeText, bool save);

    BlockPage& page_;
    WidgetProgress& progress_;
    std::unique_ptr<WidgetFieldControlFactory> factory_;

private:
    QWidget* content_;
    QBoxLayout* buttons_;
    QLabel* status_;
    QProgressBar* bar_;
    std::map<int, QPushButton*> buttonsById_;
    PrinterChoice* printers_ = nullptr;
    bool ready_ = false;
};

}  // namespace flowcfg
