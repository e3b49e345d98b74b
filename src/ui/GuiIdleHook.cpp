#include "ui/GuiIdleHook.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

namespace flowcfg {

GuiIdleHook::GuiIdleHook() : previous_(SetIdleHook(&GuiIdleHook::Run)) {}

GuiIdleHook::~GuiIdleHook() {
    SetIdleHook(previous_);
}

int GuiIdleHook::Run(SerialPort&) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) return 0;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return 0;
}

}  // namespace flowcfg
