#pragma once

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace flowcfg {

// What a custom control tells its owner page. Each kind keeps the name the program has always
// given it ("WM_USER_CEDITKV_ONCHANGE" ...).
enum class ControlNotification {
    EditOnChange,      // the edit's text changed
    EditLostFocus,     // focus left the edit, after its text was reformatted
    ComboSelSetFocus,  // the list received the focus
    ComboSelChange,    // the list's selection changed
    ComboSelEndOk,     // the drop-down list closed on a choice
    SpinNewDelta,      // an arrow was pressed; delta() is +1 (up) or -1 (down)
    ButtonClick,
    ButtonDbClick,
    ButtonKillFocus,  // the button lost the focus; focusWidget() receives it
};

const char* notificationName(ControlNotification notification);

// The notification as it travels: sent synchronously (QCoreApplication::sendEvent) to the
// owner, carrying the id of the field the control belongs to.
class ControlEvent : public QEvent {
public:
    ControlEvent(ControlNotification notification, int notifyId, int delta = 0,
                 QWidget* focusWidget = nullptr);

    // The event type, registered once for the process.
    static QEvent::Type eventType();

    ControlNotification notification() const { return notification_; }
    int notifyId() const { return notifyId_; }
    int delta() const { return delta_; }
    QWidget* focusWidget() const { return focusWidget_; }

private:
    ControlNotification notification_;
    int notifyId_;
    int delta_;
    QPointer<QWidget> focusWidget_;
};

}  // namespace flowcfg
