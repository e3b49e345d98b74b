#include "ui/LoggerCommands.h"

#include "acquisition/LoggerPage.h"
#include "ui/LoggerDialog.h"
#include "ui/MainWindow.h"

namespace flowcfg {

LoggerCommands::LoggerCommands(MainWindow& window) : window_(window) {
    window_.setCommandHandler(MenuCommand::DialLogger, [this] { run(); });
    window_.setFileOpener(LoggerPage::kFileTypeText,
                          [this](const std::string& path) { run(path); });
}

LoggerCommands::~LoggerCommands() {
    window_.setCommandHandler(MenuCommand::DialLogger, nullptr);
    window_.setFileOpener(LoggerPage::kFileTypeText, nullptr);
}

int LoggerCommands::run(const std::string& logFile) {
    LoggerDialog dialog(window_.application(), window_.link(), &window_);
    const int result = dialog.runPage(logFile);
    window_.rebuildMenu();
    return result;
}

}  // namespace flowcfg
