#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace flowcfg {

// The items of a drop-down list whose entries can be hidden or marked without changing the
// values they stand for: an item keeps its value (its position in the list it was built from)
// whatever is shown.
class ComboItemList {
public:
    enum Flags : unsigned {
        kShown = 1,
        kStarred = 4,  // shown between "**" marks
        kDashed = 8,   // shown as "------"
    };

    struct Item {
        int value = 0;
        unsigned flags = kShown;
        std::string text;
        bool operator==(const Item&) const = default;
    };

    // Item i gets value i, flags kShown and the i-th string.
    void setItems(const std::vector<std::string>& strings);
    const std::vector<Item>& items() const { return items_; }

    // What the box shows for an item.
    static std::string displayText(const Item& item);
    // The shown items' texts, in list order.
    std::vector<std::string> shownTexts() const;

    // The value of the shown item at `row` of the box (a row outside the box counts as the
    // first shown item); the first item's value when nothing is shown; 0 when empty.
    int valueAtRow(int row) const;
    // The item text at `row`, as valueAtRow chooses it; empty when the list is empty.
    std::string textAtRow(int row) const;
    // The row of a shown value; -1 when it is hidden or unknown.
    int rowOfValue(int value) const;
    // The shown value that selecting `value` lands on: the value itself, or the next shown one
    // after it, wrapping to 0. Nothing when the value is out of range or nothing is shown.
    std::optional<int> landingValue(int value) const;

    // Changes one item's flags; -1 when there is no such value.
    int setItemFlags(int value, unsigned flags);
    // Flags for every item from the start of the list; -1 (and nothing changed) when the list
    // of flags is longer than the items.
    int setAllFlags(const std::vector<std::uint8_t>& flags);

private:
    std::vector<Item> items_;
};

}  // namespace flowcfg
