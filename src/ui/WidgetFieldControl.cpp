#include "ui/WidgetFieldControl.h"

#include <QLabel>
#include <QProgressBar>
#include <algorithm>
#include <cmath>

#include "shell/IniFile.h"
#include "ui/CComboKV.h"
#include "ui/CEditKV.h"

namespace flowcfg {

WidgetFieldControl::WidgetFieldControl(QWidget* widget, QWidget* removed)
    : widget_(widget), removed_(removed ? removed : widget) {}

WidgetFieldControl::~WidgetFieldControl() {
    delete removed_.data();
}

CComboKV* WidgetFieldControl::combo() const {
    return qobject_cast<CComboKV*>(widget_);
}

CEditKV* WidgetFieldControl::edit() const {
    return qobject_cast<CEditKV*>(widget_);
}

void WidgetFieldControl::setText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    if (auto* c = combo()) {
        // The list shows the item of that text.
        for (const auto& item : c->items().items())
            if (item.text == text) c->select(item.value);
    } else if (auto* e = edit()) {
        e->setText(shown);
    } else if (auto* label = qobject_cast<QLabel*>(widget_)) {
        label->setText(shown);
    } else if (auto* gauge = qobject_cast<QProgressBar*>(widget_)) {
        double value = IniFile::parseReal(text);
        if (std::isfinite(value))
            gauge->setValue(static_cast<int>(
                std::lround(std::clamp<double>(value, gauge->minimum(), gauge->maximum()))));
    }
}

std::string WidgetFieldControl::text() const {
    if (auto* c = combo()) return c->selectedText();
    if (auto* e = edit()) return e->text().toStdString();
    if (auto* label = qobject_cast<QLabel*>(widget_)) return label->text().toStdString();
    if (auto* gauge = qobject_cast<QProgressBar*>(widget_)) return std::to_string(gauge->value());
    return {};
}

void WidgetFieldControl::setVisible(bool visible) {
    if (removed_) removed_->setVisible(visible);
}

void WidgetFieldControl::setEnabled(bool enabled) {
    if (removed_) removed_->setEnabled(enabled);
}

void WidgetFieldControl::setItems(const std::vector<std::string>& items, int selection) {
    if (auto* c = combo()) c->setItems(items, selection);
}

int WidgetFieldControl::select(int value) {
    auto* c = combo();
    return c ? c->select(value) : -1;
}

int WidgetFieldControl::selectedValue() const {
    auto* c = combo();
    return c ? c->selectedValue() : 0;
}

void WidgetFieldControl::setItemFlags(int value, int flags) {
    if (auto* c = combo()) c->setItemFlags(value, static_cast<unsigned>(flags));
}

int WidgetFieldControl::setFormat(double low, double high, const std::string& format) {
    if (auto* e = edit()) return e->setFormat(low, high, format);
    return FieldControl::setFormat(low, high, format);
}

}  // namespace flowcfg
