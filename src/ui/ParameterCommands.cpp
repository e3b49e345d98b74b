#include "ui/ParameterCommands.h"

#include "link/LinkSettings.h"
#include "params/LinkBlockExchange.h"
#include "params/ParameterTexts.h"
#include "ui/MainWindow.h"
#include "ui/ParameterDialog.h"
#include "ui/StartDialogWindow.h"

namespace flowcfg {

ParameterCommands::ParameterCommands(MainWindow& window)
    : window_(window), prompts_(window.prompts()), progress_(&window) {
    window_.setCommandHandler(MenuCommand::DialEtalonnage,
                              [this] { runSession(ParameterPage::kModeRead); });
    window_.setCommandHandler(MenuCommand::NewEtalonnage,
                              [this] { runSession(ParameterPage::kModeNew); });
    window_.setFileOpener(paramtext::kSettingFileType, [this](const std::string& path) {
        runSession(ParameterPage::kModeFile, path);
    });
}

ParameterCommands::~ParameterCommands() {
    window_.setCommandHandler(MenuCommand::DialEtalonnage, nullptr);
    window_.setCommandHandler(MenuCommand::NewEtalonnage, nullptr);
    window_.setFileOpener(paramtext::kSettingFileType, nullptr);
}

int ParameterCommands::runSession(int mode, const std::string& source, const std::string& stem) {
    Application& application = window_.application();
    const LinkSettings settings = LinkSettings::Load(window_.config());
    LinkBlockExchange line(window_.link(), settings, &application.modemConnected);
    StartDialogWindow start(application, &window_);
    ParameterSession session(window_.config(),
                             PageContext{prompts_, progress_, line, window_.language()}, &start,
                             *this);
    if (!stem.empty())
        session.setPreparePage([&stem](ParameterPage& page) { page.setSaveStem(stem); });
    const int result = session.Run(mode, source);
    window_.rebuildMenu();
    return result;
}

ParameterPage::Result ParameterCommands::run(ParameterPage& page) {
    ParameterDialog dialog(window_.application(), page, progress_, &window_);
    dialog.setPrinters(printers_);
    prompts_.push(dialog.prompts());
    ParameterPage::Result result = dialog.runPage();
    prompts_.pop();
    return result;
}

}  // namespace flowcfg
