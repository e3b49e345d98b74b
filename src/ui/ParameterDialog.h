#pragma once

#include <map>

#include "params/ParameterPage.h"
#include "ui/PageDialog.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace flowcfg {

class PrinterChoice;
class TabPages;
class WidgetFieldControlFactory;
class WidgetProgress;

// The parameter dialog's window over its page (ParameterPage): one tab per tab page the layout
// shows, each field in the group it belongs to with caption, value and unit, the coefficient
// commands beside their tables, the status line and progress bar, and the buttons "Transfer",
// "Save", "Print", "Compare" and "Cancel". The person's changes go to the page (FieldChanged) as
// each edit box is left, each list closes on a choice and each arrow is pressed; the dialog closes
// as soon as the page has a result (written, rebuild asked for).
class ParameterDialog : public PageDialog {
    Q_OBJECT
public:
    static constexpr int kTransferButton = 5041;
    static constexpr int kSaveButton = 5040;
    static constexpr int kPrintButton = 4985;
    static constexpr int kCompareButton = 5042;
    static constexpr int kCancelButton = 5031;
    static constexpr int kCommandBase = 9000;  // + the tabs' command ids

    ParameterDialog(Application& application, ParameterPage& page, WidgetProgress& progress,
                    QWidget* parent = nullptr);
    ~ParameterDialog() override;

    // Builds the fields and fills the set as the page's mode says. kStayOpen when the dialog is
    // to be shown; otherwise the page's result.
    ParameterPage::Result prepare();
    // prepare(), then the modal run while the page stays open. The page's result when the
    // dialog closed (kCancel when the person closed it).
    ParameterPage::Result runPage();

    ParameterPage& page() { return page_; }
    TabPages* tabs() const { return tabs_; }
    QPushButton* button(int id) const;
    QWidget* tabContent(int tabIndex) const;

    void transfer();
    void save();
    // Prints the set's report (the print-all sequence's mode 129 prints through it as well).
    // 0 when printed.
    int print();
    // Where print() sends the report instead of the print dialog and the system's printers.
    void setPrinters(PrinterChoice* printers) { printers_ = printers; }
    // Asks for a settings file and shows, in a window of its own, the fields whose values differ
    // between it and the set the dialog holds now, unsaved changes included. The set stays as
    // it is.
    void compare();

protected:
    void controlNotified(const ControlEvent& event) override;

private:
    void buildTabs();
    void buildTab(const ParameterTab& tab);
    void fieldChanged(int controlId);
    void followPage();
    void showCaption();

    ParameterPage& page_;
    WidgetProgress& progress_;
    TabPages* tabs_;
    QLabel* status_;
    QProgressBar* bar_;
    std::unique_ptr<WidgetFieldControlFactory> factory_;
    std::map<int, QPushButton*> buttons_;
    std::map<int, QWidget*> contents_;
    PrinterChoice* printers_ = nullptr;
    bool ready_ = false;
};

}  // namespace flowcfg
