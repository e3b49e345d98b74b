#include "ui/BatteryCommands.h"

#include "acquisition/BatteryGaugePage.h"
#include "ui/BatteryDialog.h"
#include "ui/MainWindow.h"

namespace flowcfg {

BatteryCommands::BatteryCommands(MainWindow& window) : window_(window) {
    window_.setCommandHandler(MenuCommand::DialBq2014, [this] { run(); });
    window_.setFileOpener(BatteryGaugePage::kFileTypeText,
                          [this](const std::string& path) { run(path); });
}

BatteryCommands::~BatteryCommands() {
    window_.setCommandHandler(MenuCommand::DialBq2014, nullptr);
    window_.setFileOpener(BatteryGaugePage::kFileTypeText, nullptr);
}

int BatteryCommands::run(const std::string& recordedFile) {
    BatteryDialog dialog(window_.application(), window_.link(), &window_);
    const int result = dialog.runPage(recordedFile);
    window_.rebuildMenu();
    return result;
}

}  // namespace flowcfg
