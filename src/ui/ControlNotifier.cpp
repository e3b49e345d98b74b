#include "ui/ControlNotifier.h"

#include <QCoreApplication>

namespace flowcfg {

void ControlNotifier::notify(ControlNotification notification, int delta,
                             QWidget* focusWidget) const {
    if (notifyId_ == 0 || !owner_) return;
    ControlEvent event(notification, notifyId_, delta, focusWidget);
    QCoreApplication::sendEvent(owner_, &event);
}

}  // namespace flowcfg
