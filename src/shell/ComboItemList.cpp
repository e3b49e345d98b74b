#include "shell/ComboItemList.h"

namespace flowcfg {

void ComboItemList::setItems(const std::vector<std::string>& strings) {
    items_.clear();
    items_.reserve(strings.size());
    for (std::size_t i = 0; i < strings.size(); ++i)
        items_.push_back({static_cast<int>(i), kShown, strings[i]});
}

std::string ComboItemList::displayText(const Item& item) {
    if (item.flags & kDashed) return "------";
    if (item.flags & kStarred) return "**" + item.text + "**";
    return item.text;
}

std::vector<std::string> ComboItemList::shownTexts() const {
    std::vector<std::string> texts;
    for (const auto& item : items_)
        if (item.flags & kShown) texts.push_back(displayText(item));
    return texts;
}

int ComboItemList::valueAtRow(int row) const {
    const Item* first = nullptr;
    int shown = 0;
    for (const auto& item : items_) {
        if (!(item.flags & kShown)) continue;
        if (!first) first = &item;
        if (shown++ == row) return item.value;
    }
    if (first) return first->value;
    return items_.empty() ? 0 : items_.front().value;
}

std::string ComboItemList::textAtRow(int row) const {
    if (items_.empty()) return {};
    int value = valueAtRow(row);
    for (const auto& item : items_)
        if (item.value == value) return item.text;
    return {};
}

int ComboItemList::rowOfValue(int value) const {
    int row = 0;
    for (const auto& item : items_) {
        if (!(item.flags & kShown)) continue;
        if (item.value == value) return row;
        ++row;
    }
    return -1;
}

std::optional<int> ComboItemList::landingValue(int value) const {
    int count = static_cast<int>(items_.size());
    if (value < 0 || value >= count) return std::nullopt;
    for (int step = 0; step < count; ++step) {
        int candidate = (value + step) % count;
        if (items_[static_cast<std::size_t>(candidate)].flags & kShown) return candidate;
    }
    return std::nullopt;
}

int ComboItemList::setItemFlags(int value, unsigned flags) {
    if (value < 0 || value >= static_cast<int>(items_.size())) return -1;
    items_[static_cast<std::size_t>(value)].flags = flags;
    return 0;
}

int ComboItemList::setAllFlags(const std::vector<std::uint8_t>& flags) {
    if (flags.size() > items_.size()) return -1;
    for (std::size_t i = 0; i < flags.size(); ++i)
        items_[i].flags = flags[i];
    return 0;
}

}  // namespace flowcfg
