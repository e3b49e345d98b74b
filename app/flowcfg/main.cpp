#include <QApplication>

#include "shell/Application.h"
#include "shell/SettingsKeys.h"
#include "ui/BatteryCommands.h"
#include "ui/GuiIdleHook.h"
#include "ui/InstrumentPageCommands.h"
#include "ui/LoggerCommands.h"
#include "ui/MainWindow.h"
#include "ui/MeasurementCommands.h"
#include "ui/ParameterCommands.h"
#include "ui/ProgramArt.h"
#include "ui/SequenceCommands.h"
#include "ui/TestBenchCommands.h"
#include "ui/TestKvnCommands.h"

// Start-up: settings from "last.cfg", the configuration file and the machine-wide store, then
// the main window, run modally. When it closes the current configuration file is recorded, and
// the application object saves the save directory on its way out.
int main(int argc, char** argv) {
    flowcfg::Application application(flowcfg::StartupEnvironment::fromProcess(argc, argv),
                                     flowcfg::RegistryStore());
    application.loadSettings(flowcfg::keys::kDefaultPrefix);
    application.reloadLinkSettings();

    QApplication qt(argc, argv);
    QApplication::setWindowIcon(flowcfg::ProgramArt::applicationIcon());
    flowcfg::GuiIdleHook keepPainting;
    {
        flowcfg::MainWindow window(application);
        flowcfg::ParameterCommands settingsCommands(window);
        flowcfg::LoggerCommands loggerCommands(window);
        flowcfg::InstrumentPageCommands instrumentPages(window);
        flowcfg::MeasurementCommands measurementCommands(window);
        flowcfg::BatteryCommands batteryCommands(window);
        flowcfg::TestBenchCommands testBenchCommands(window);
        flowcfg::SequenceCommands sequences(window, settingsCommands, instrumentPages,
                                            measurementCommands);
        flowcfg::TestKvnCommands testKvnCommands(window);
        window.exec();
    }
    application.saveLastConfig();
    return 0;
}
