#include <QApplication>
#include <QMainWindow>

#include "shell/Application.h"
#include "shell/SettingsKeys.h"
#include "shell/VersionInfo.h"

// Start-up: settings from "last.cfg", the configuration file and the machine-wide store, then
// the main window; when it closes the current configuration file is recorded, and the
// application object saves the save directory on its way out.
int main(int argc, char** argv) {
    flowcfg::Application application(flowcfg::StartupEnvironment::fromProcess(argc, argv),
                                     flowcfg::RegistryStore());
    application.loadSettings(flowcfg::keys::kDefaultPrefix);
    application.reloadLinkSettings();

    QApplication qt(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QString::fromStdString(flowcfg::versionString("InternalName")));
    window.resize(563, 446);
    window.show();
    int status = qt.exec();

    application.saveLastConfig();
    return status;
}
