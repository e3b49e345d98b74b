#pragma once

#include <QObject>
#include <vector>

#include "ui/ControlEvent.h"

namespace flowcfg::testing {

// An owner for custom controls that writes down every notification it receives.
class NotificationLog : public QObject {
public:
    struct Entry {
        ControlNotification notification;
        int notifyId;
        int delta;
        QWidget* focusWidget;
    };
    std::vector<Entry> entries;

    int count(ControlNotification n) const {
        int c = 0;
        for (const auto& e : entries)
            c += e.notification == n;
        return c;
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() != ControlEvent::eventType()) return QObject::event(event);
        auto* e = static_cast<ControlEvent*>(event);
        entries.push_back({e->notification(), e->notifyId(), e->delta(), e->focusWidget()});
        return true;
    }
};

}  // namespace flowcfg::testing
