#pragma once

#include <QComboBox>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/ComboItemList.h"
#include "ui/ControlNotifier.h"

namespace flowcfg {

// A drop-down list whose items keep their values while some are hidden or marked: the value of
// an item is its position in the list it was built from, whatever the box shows.
class CComboKV : public QComboBox, public ControlNotifier {
    Q_OBJECT
public:
    explicit CComboKV(QWidget* parent = nullptr);

    // Item i gets value i, shown, with the i-th string; then `selection` is selected.
    void setItems(const std::vector<std::string>& strings, int selection);
    // Fills the box again with the shown items, keeping no selection.
    void redraw();

    // The value of the selected item (no selection: the first shown item).
    int selectedValue() const;
    // The text of that item; empty when the list is empty.
    std::string selectedText() const;
    // Selects the item of `value`, or the next shown value when it is hidden (wrapping to 0).
    // 0, or -1 when the value is out of range or nothing is shown.
    int select(int value);

    // Flags: ComboItemList::kShown, kStarred ("**text**"), kDashed ("------"). Both keep the
    // selection; -1 when the value or the flag list does not fit the items.
    int setItemFlags(int value, unsigned flags);
    int setAllFlags(const std::vector<std::uint8_t>& flags);

    const ComboItemList& items() const { return items_; }

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void keepSelection(int value);

    ComboItemList items_;
    bool filling_ = false;  // the box is being filled: no notifications
};

}  // namespace flowcfg
