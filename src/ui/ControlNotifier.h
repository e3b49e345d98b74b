#pragma once

#include <QPointer>

#include "ui/ControlEvent.h"

namespace flowcfg {

// The part every custom control shares: the owner that hears about it and the id of the field
// it belongs to. A control with id 0 tells nobody anything.
class ControlNotifier {
public:
    void setOwner(QObject* owner) { owner_ = owner; }
    QObject* owner() const { return owner_; }
    void setNotifyId(int id) { notifyId_ = id; }
    int notifyId() const { return notifyId_; }

    // Sends the notification to the owner and returns when it has been handled.
    void notify(ControlNotification notification, int delta = 0,
                QWidget* focusWidget = nullptr) const;

private:
    QPointer<QObject> owner_;
    int notifyId_ = 0;
};

}  // namespace flowcfg
