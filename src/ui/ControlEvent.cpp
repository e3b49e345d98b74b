#include "ui/ControlEvent.h"

namespace flowcfg {

const char* notificationName(ControlNotification notification) {
    switch (notification) {
        case ControlNotification::EditOnChange:
            return "WM_USER_CEDITKV_ONCHANGE";
        case ControlNotification::EditLostFocus:
            return "WM_USER_CEDITKV_LOSTFOCUS";
        case ControlNotification::ComboSelSetFocus:
            return "WM_USER_CCOMBOKV_SELSETFOCUS";
        case ControlNotification::ComboSelChange:
            return "WM_USER_CCOMBOKV_SELCHANGE";
        case ControlNotification::ComboSelEndOk:
            return "WM_USER_CCOMBOKV_SELENDOK";
        case ControlNotification::SpinNewDelta:
            return "WM_USER_CSPINKV_NEW_DELTA";
        case ControlNotification::ButtonClick:
            return "WM_USER_CBUTTONKV_CLICK";
        case ControlNotification::ButtonDbClick:
            return "WM_USER_CBUTTONKV_DBCLICK";
        case ControlNotification::ButtonKillFocus:
            return "WM_USER_CBUTTONKV_KILL_FOCUS";
    }
    return "";
}

ControlEvent::ControlEvent(ControlNotification notification, int notifyId, int delta,
                           QWidget* focusWidget)
    : QEvent(eventType()),
      notification_(notification),
      notifyId_(notifyId),
      delta_(delta),
      focusWidget_(focusWidget) {}

QEvent::Type ControlEvent::eventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

}  // namespace flowcfg
