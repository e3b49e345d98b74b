#pragma once

#include <QDialog>

#include "shell/PageBase.h"
#include "ui/WidgetPrompts.h"

namespace flowcfg {

class ControlEvent;

// The window of a page: a modal dialog with the page base's caption, message boxes and file
// dialogs, and its placement memory. Escape does not close it: a page closes only through its
// own buttons or the window's close box. The notifications of its custom controls arrive in
// controlNotified.
class PageDialog : public QDialog, public PageBase {
    Q_OBJECT
public:
    PageDialog(Application& application, QWidget* parent = nullptr);
    ~PageDialog() override;

    void setVisible(bool visible) override;
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void captionChanged(const std::string& caption) override;

    // A custom control of this page (or of one of its tab pages) reports something.
    virtual void controlNotified(const ControlEvent& event) { (void)event; }

    // Where the window goes when it opens: remembered placement, then kept on screen.
    void restorePlacement();
    // Moves the window back onto the work area of its screen when it lies outside.
    void keepOnScreen();
    void savePlacement();

private:
    WidgetPrompts prompts_;
    bool placed_ = false;
    bool placementSaved_ = false;
};

}  // namespace flowcfg
