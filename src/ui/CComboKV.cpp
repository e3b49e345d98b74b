#include "ui/CComboKV.h"

namespace flowcfg {

CComboKV::CComboKV(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) notify(ControlNotification::ComboSelChange);
    });
    connect(this, &QComboBox::activated, this,
            [this] { notify(ControlNotification::ComboSelEndOk); });
}

void CComboKV::setItems(const std::vector<std::string>& strings, int selection) {
    items_.setItems(strings);
    redraw();
    select(selection);
}

void CComboKV::redraw() {
    filling_ = true;
    clear();
    for (const auto& text : items_.shownTexts())
        addItem(QString::fromStdString(text));
    setCurrentIndex(-1);
    filling_ = false;
}

int CComboKV::selectedValue() const {
    return items_.valueAtRow(currentIndex());
}

std::string CComboKV::selectedText() const {
    return items_.textAtRow(currentIndex());
}

int CComboKV::select(int value) {
    auto landing = items_.landingValue(value);
    if (!landing) return -1;
    filling_ = true;
    setCurrentIndex(items_.rowOfValue(*landing));
    filling_ = false;
    return 0;
}

void CComboKV::keepSelection(int value) {
    bool hadSelection = currentIndex() >= 0;
    redraw();
    if (hadSelection) select(value);
}

int CComboKV::setItemFlags(int value, unsigned flags) {
    int selected = selectedValue();
    if (items_.setItemFlags(value, flags) != 0) return -1;
    keepSelection(selected);
    return 0;
}

int CComboKV::setAllFlags(const std::vector<std::uint8_t>& flags) {
    int selected = selectedValue();
    if (items_.setAllFlags(flags) != 0) return -1;
    keepSelection(selected);
    return 0;
}

void CComboKV::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    notify(ControlNotification::ComboSelSetFocus);
}

}  // namespace flowcfg
