#pragma once

#include <map>

#include "params/StartDialog.h"
#include "ui/PageDialog.h"

class QComboBox;
class QListWidget;
class QSpinBox;

namespace flowcfg {

// The small start dialog before the parameter dialog: the instrument type, the parameter
// level, which groups are shown, the pipes and chords, and the module list, as ChooseLayout
// filled them; the person may change them before the parameter dialog opens (a new set, a
// settings file).
class StartDialogWindow : public PageDialog, public StartDialog {
    Q_OBJECT
public:
    enum Field { kType, kLevel, kLogger, kTotalizers, kInputsOutputs, kFunctions };

    StartDialogWindow(Application& application, QWidget* parent = nullptr);

    // Shows `options` and runs the dialog; false when it was cancelled.
    bool confirm(LayoutOptions& options, int mode) override;

    // The options as the fields show them now.
    LayoutOptions fieldOptions() const;
    void showOptions(const LayoutOptions& options);

    QComboBox* combo(Field field) const { return combos_.at(field); }
    QSpinBox* pipes() const { return pipes_; }
    QListWidget* modules() const { return modules_; }

private:
    std::map<Field, QComboBox*> combos_;
    QSpinBox* pipes_;
    QSpinBox* maxChords_;
    QSpinBox* chordsA_;
    QSpinBox* chordsB_;
    QListWidget* modules_;
    LayoutOptions shown_;
};

}  // namespace flowcfg
