#include "ui/CButtonKV.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>

namespace flowcfg {

CButtonKV::CButtonKV(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this,
            [this] { notify(ControlNotification::ButtonClick); });
}

void CButtonKV::mouseDoubleClickEvent(QMouseEvent* event) {
    QPushButton::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) notify(ControlNotification::ButtonDbClick);
}

void CButtonKV::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    notify(ControlNotification::ButtonKillFocus, 0, QApplication::focusWidget());
}

}  // namespace flowcfg
