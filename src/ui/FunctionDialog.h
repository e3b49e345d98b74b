#pragma once

#include "params/FunctionPage.h"
#include "ui/BlockPageDialog.h"

namespace flowcfg {

class TabPages;

// The modal editor of one function's parameters: its fields (FunctionEditor) with OK and
// Cancel. Its title names the function and its type.
class FunctionEditorDialog : public PageDialog {
    Q_OBJECT
public:
    FunctionEditorDialog(Application& application, FunctionEditor& editor,
                         QWidget* parent = nullptr);
    ~FunctionEditorDialog() override;
    // 0 once the fields exist, -1 when they cannot be made.
    int prepare();

protected:
    void controlNotified(const ControlEvent& event) override;

private:
    FunctionEditor& editor_;
    std::unique_ptr<WidgetFieldControlFactory> factory_;
};

// The function page: the tabs "Constant value", "Function 01 -> 10", "Function 11 -> 20" and
// "Output"; per function its "Settings" button, type list, summary and, online, value and
// default state; "Transfer", "Save", "Print", "Compare", "Cancel".
class FunctionDialog : public BlockPageDialog {
    Q_OBJECT
public:
    FunctionDialog(Application& application, FunctionPage& page, WidgetProgress& progress,
                   QWidget* parent = nullptr);

    TabPages* tabs() const { return tabs_; }
    // Runs the editor of function k as its button does. The editor's result.
    int editFunction(int k);

protected:
    void layoutFields(QWidget* content) override;
    BlockPage::Result startPage() override;
    void fieldChanged(int controlId) override;
    void transfer() override;
    void save() override;
    void compare() override;
    void buttonClicked(int id) override;

private:
    FunctionPage& functions_;
    TabPages* tabs_ = nullptr;
};

}  // namespace flowcfg
