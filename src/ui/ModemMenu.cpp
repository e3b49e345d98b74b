#include "ui/ModemMenu.h"

#include "ui/MainWindow.h"
#include "ui/ModemDialog.h"

namespace flowcfg {

void ModemMenu::connect(MainWindow& window) {
    Application& application = window.application();
    if (!application.settings().useModem || application.modemConnected) return;
    {
        ModemDialog dialog(application, window.link(), ModemDialog::kConnect,
                           &application.modemConnected, &window);
        application.modemConnected = dialog.exec() == QDialog::Accepted;
    }
    window.rebuildMenu();
}

void ModemMenu::disconnect(MainWindow& window) {
    Application& application = window.application();
    if (!application.settings().useModem || !application.modemConnected) return;
    hangUp(application, window.link(), &window);
    window.rebuildMenu();
}

void ModemMenu::hangUp(Application& application, SerialLink& link, QWidget* parent) {
    if (!application.modemConnected) return;
    {
        ModemDialog dialog(application, link, ModemDialog::kDisconnect, &application.modemConnected,
                           parent);
        dialog.exec();
    }
    application.modemConnected = false;
    link.Close();
}

}  // namespace flowcfg
