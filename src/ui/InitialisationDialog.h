#pragma once

#include <memory>

#include "params/InitialisationPage.h"
#include "ui/PageDialog.h"

class QPushButton;

namespace flowcfg {

class WidgetFieldControlFactory;

// The initialisation page's window (InitialisationPage): the two Yes/No lists, "Settings" and
// "Factory Settings", and "Transfert". While the chosen pages run the window waits (button
// disabled, wait cursor); it closes with OK when every page that ran did, and otherwise stays
// open for another try.
class InitialisationDialog : public PageDialog {
    Q_OBJECT
public:
    InitialisationDialog(Application& application, SequenceRunner& runner,
                         QWidget* parent = nullptr);
    ~InitialisationDialog() override;

    // Builds the fields. False when they cannot be made.
    bool prepare();
    // prepare(), then the modal run. QDialog::Accepted when the page closed with OK.
    int runPage();

    InitialisationPage& page() { return page_; }
    QPushButton* transferButton() const { return transfer_; }
    // "Transfert".
    void transfer();

protected:
    void controlNotified(const ControlEvent& event) override;

private:
    InitialisationPage page_;
    std::unique_ptr<WidgetFieldControlFactory> factory_;
    QPushButton* transfer_;
};

}  // namespace flowcfg
