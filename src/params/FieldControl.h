#pragma once

#include <string>
#include <vector>

namespace flowcfg {

// One control of a field on a page: its caption label, its value control or its unit label.
// A BoundField drives its controls only through this interface, so the variable table stays
// free of any window system: the desktop tool implements it with its custom controls
// (CEditKV, CComboKV, CSpinKV, labels, the gauge), tests with plain objects.
//
// The control reports user actions to its page itself (with the field id it was created for,
// see FieldControlFactory); the field only reads and writes it.
class FieldControl {
public:
    virtual ~FieldControl() = default;

    // Every control: the text shown (for a list, the text of the selected item), visibility
    // and whether the user can act on it.
    virtual void setText(const std::string& text) = 0;
    virtual std::string text() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual void setEnabled(bool enabled) = 0;

    // Drop-down lists (control kind 0x1) only.
    // Replaces the items: item i gets the value i and is shown; then selects `selection`.
    virtual void setItems(const std::vector<std::string>& items, int selection);
    // Selects the shown item with that value; when that item is hidden, the next shown value
    // (wrapping to 0). 0, or -1 when the value is out of range or nothing is shown.
    virtual int select(int value);
    // The value of the selected item (the first shown item when nothing is selected).
    virtual int selectedValue() const;
    // Item flags: 1 shown, 4 shown between "**" marks, 8 shown as "------".
    virtual void setItemFlags(int value, int flags);

    // Edit and spin boxes (control kinds 0x2 and 0x4) only: the limits and the display format
    // with which the control reformats and clamps what the user typed when it loses the focus
    // (shell/ValueDisplay.h). 0, or -1 for a format shorter than two characters.
    virtual int setFormat(double low, double high, const std::string& format);
};

}  // namespace flowcfg
