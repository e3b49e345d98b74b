#include "ui/InstrumentPageCommands.h"

#include "link/LinkSettings.h"
#include "params/LinkBlockExchange.h"
#include "ui/FunctionDialog.h"
#include "ui/MainWindow.h"
#include "ui/SpecialSettingsDialog.h"

namespace flowcfg {

InstrumentPageCommands::InstrumentPageCommands(MainWindow& window)
    : window_(window), prompts_(window.prompts()), progress_(&window) {
    constexpr int kRead = BlockPage::kModeRead, kNew = BlockPage::kModeNew,
                  kFile = BlockPage::kModeFile;
    window_.setCommandHandler(MenuCommand::DialRegSpe, [this] { runSpecial(kRead); });
    window_.setCommandHandler(MenuCommand::NewRegSpe, [this] { runSpecial(kNew); });
    window_.setCommandHandler(MenuCommand::DialRegUs, [this] { runFactory(kRead); });
    window_.setCommandHandler(MenuCommand::DialFonction, [this] { runFunctions(kRead); });
    window_.setCommandHandler(MenuCommand::NewFonction, [this] { runFunctions(kNew); });
    window_.setFileOpener(SpecialSettingsPage::kFileTypeText,
                          [this](const std::string& path) { runSpecial(kFile, path); });
    window_.setFileOpener(FactorySettingsPage::kFileTypeText,
                          [this](const std::string& path) { runFactory(kFile, path); });
    window_.setFileOpener(FunctionPage::kFileTypeText,
                          [this](const std::string& path) { runFunctions(kFile, path); });
}

InstrumentPageCommands::~InstrumentPageCommands() {
    for (MenuCommand command :
         {MenuCommand::DialRegSpe, MenuCommand::NewRegSpe, MenuCommand::DialRegUs,
          MenuCommand::DialFonction, MenuCommand::NewFonction})
        window_.setCommandHandler(command, nullptr);
    for (int type : {SpecialSettingsPage::kFileTypeText, FactorySettingsPage::kFileTypeText,
                     FunctionPage::kFileTypeText})
        window_.setFileOpener(type, nullptr);
}

template <class Page, class Dialog>
int InstrumentPageCommands::run(int mode, const std::string& file, const std::string& stem) {
    const LinkSettings settings = LinkSettings::Load(window_.config());
    LinkBlockExchange line(window_.link(), settings, &window_.application().modemConnected);
    Page page(PageContext{prompts_, progress_, line, window_.language()}, mode, file);
    page.setSaveStem(stem);
    Dialog dialog(window_.application(), page, progress_, &window_);
    dialog.setPrinters(printers_);
    prompts_.push(dialog.prompts());
    const int result = dialog.runPage();
    prompts_.pop();
    window_.rebuildMenu();
    return result;
}

int InstrumentPageCommands::runSpecial(int mode, const std::string& file, const std::string& stem) {
    return run<SpecialSettingsPage, SpecialSettingsDialog>(mode, file, stem);
}

int InstrumentPageCommands::runFactory(int mode, const std::string& file, const std::string& stem) {
    return run<FactorySettingsPage, FactorySettingsDialog>(mode, file, stem);
}

int InstrumentPageCommands::runFunctions(int mode, const std::string& file,
                                         const std::string& stem) {
    return run<FunctionPage, FunctionDialog>(mode, file, stem);
}

}  // namespace flowcfg
