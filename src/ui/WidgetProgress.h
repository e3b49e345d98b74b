#pragma once

#include <QPointer>
#include <memory>

#include "params/ProgressView.h"

class QLabel;
class QProgressBar;
class QProgressDialog;
class QWidget;

namespace flowcfg {

// The progress bar and status line of the parameter pages. While a dialog lends its own bar and
// status label (attach), they show the progress; before the dialog exists (the start dialog's
// read) a small progress window over `parent` does.
class WidgetProgress : public ProgressView {
public:
    explicit WidgetProgress(QWidget* parent);
    ~WidgetProgress() override;

    void attach(QProgressBar* bar, QLabel* status);
    void detach();

    void setRange(int range) override;
    void step() override;
    void hide() override;
    void setStatus(const std::string& text) override;

    const std::string& status() const { return status_; }

private:
    QProgressBar* currentBar();

    QPointer<QWidget> parent_;
    QPointer<QProgressBar> bar_;
    QPointer<QLabel> label_;
    std::unique_ptr<QProgressDialog> window_;
    std::string status_;
};

}  // namespace flowcfg
