#include "ui/MeasurementCommands.h"

#include "acquisition/MeasurementPage.h"
#include "ui/MainWindow.h"
#include "ui/MeasurementDialog.h"

namespace flowcfg {

MeasurementCommands::MeasurementCommands(MainWindow& window) : window_(window) {
    window_.setCommandHandler(MenuCommand::DialMesure, [this] { run(); });
    window_.setFileOpener(MeasurementPage::kFileTypeText,
                          [this](const std::string& path) { run(path); });
}

MeasurementCommands::~MeasurementCommands() {
    window_.setCommandHandler(MenuCommand::DialMesure, nullptr);
    window_.setFileOpener(MeasurementPage::kFileTypeText, nullptr);
}

int MeasurementCommands::run(const std::string& recordedFile) {
    MeasurementDialog dialog(window_.application(), window_.link(),
                             MeasurementDialog::defaultLayout(), &window_);
    const int result = dialog.runPage(recordedFile);
    window_.rebuildMenu();
    return result;
}

}  // namespace flowcfg
