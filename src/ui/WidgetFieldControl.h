#pragma once

#include <QPointer>
#include <QWidget>

#include "params/FieldControl.h"

namespace flowcfg {

class CComboKV;
class CEditKV;

// A field's control as the variable table drives it, on a widget of the desktop tool: a label
// (caption, unit, display-only value), a CComboKV (list), a CEditKV (edit box, also inside a
// spin box) or a progress bar (gauge). Destroying it removes the widget from its page.
class WidgetFieldControl : public FieldControl {
public:
    // `widget` is what the control shows; `removed` is what goes when the control is destroyed
    // (a spin box's frame holding the edit and its arrows); null means `widget` itself.
    explicit WidgetFieldControl(QWidget* widget, QWidget* removed = nullptr);
    ~WidgetFieldControl() override;

    WidgetFieldControl(const WidgetFieldControl&) = delete;
    WidgetFieldControl& operator=(const WidgetFieldControl&) = delete;

    void setText(const std::string& text) override;
    std::string text() const override;
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;

    void setItems(const std::vector<std::string>& items, int selection) override;
    int select(int value) override;
    int selectedValue() const override;
    void setItemFlags(int value, int flags) override;

    int setFormat(double low, double high, const std::string& format) override;

    QWidget* widget() const { return widget_; }

private:
    CComboKV* combo() const;
    CEditKV* edit() const;

    QPointer<QWidget> widget_;
    QPointer<QWidget> removed_;
};

}  // namespace flowcfg
