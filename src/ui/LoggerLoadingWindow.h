#pragma once

#include <QDialog>

#include "acquisition/LoggerPage.h"

class QComboBox;
class QFormLayout;
class QDateEdit;
class QTimeEdit;

namespace flowcfg {

class PageBase;

// The download options of the logger page: "Loading" "All" or "From . . ."; with the latter a
// date picker and a time picker.
class LoggerLoadingWindow : public QDialog, public LoggerLoadingDialog {
    Q_OBJECT
public:
    LoggerLoadingWindow(PageBase& page, QWidget* parent);

    std::optional<LoggerLoading> chooseLoading() override;

    // The choice as the fields show it now.
    LoggerLoading shownLoading() const;
    QComboBox* choice() const { return choice_; }
    QDateEdit* datePicker() const { return date_; }
    QTimeEdit* timePicker() const { return time_; }

private:
    void showPickers();

    QFormLayout* form_ = nullptr;
    QComboBox* choice_;
    QDateEdit* date_;
    QTimeEdit* time_;
};

}  // namespace flowcfg
