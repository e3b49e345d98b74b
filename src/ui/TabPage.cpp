#include "ui/TabPage.h"

#include <QCoreApplication>

#include "ui/ControlEvent.h"

namespace flowcfg {

TabPage::TabPage(QObject* owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

bool TabPage::event(QEvent* event) {
    if (event->type() == ControlEvent::eventType()) {
        auto* notification = static_cast<ControlEvent*>(event);
        if (notification->notifyId() != -1 && owner_) {
            ControlEvent forwarded(notification->notification(), notification->notifyId(),
                                   notification->delta(), notification->focusWidget());
            QCoreApplication::sendEvent(owner_, &forwarded);
        }
        return true;
    }
    return QWidget::event(event);
}

}  // namespace flowcfg
