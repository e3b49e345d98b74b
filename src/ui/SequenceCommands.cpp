#include "ui/SequenceCommands.h"

#include "shell/CFileDialogKV.h"
#include "ui/InitialisationDialog.h"
#include "ui/MainWindow.h"

namespace flowcfg {

SequenceCommands::SequenceCommands(MainWindow& window, ParameterCommands& settings,
                                   InstrumentPageCommands& instrumentPages,
                                   MeasurementCommands& measurement)
    : window_(window), runner_(settings, instrumentPages, measurement) {
    window_.setCommandHandler(MenuCommand::DialSauveAll, [this] { saveAll(); });
    window_.setCommandHandler(MenuCommand::DialImprimeAll, [this] { printAll(); });
    window_.setCommandHandler(MenuCommand::DialInit, [this] { initialise(); });
}

SequenceCommands::~SequenceCommands() {
    for (MenuCommand command :
         {MenuCommand::DialSauveAll, MenuCommand::DialImprimeAll, MenuCommand::DialInit})
        window_.setCommandHandler(command, nullptr);
}

const std::vector<std::string>& SequenceCommands::saveAllExtensions() {
    static const std::vector<std::string> extensions = {"eta", "rsp", "fct", "mes"};
    return extensions;
}

std::optional<SequenceResult> SequenceCommands::saveAll() {
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.filter = saveAllFilter(window_.text(kFileText), saveAllExtensions());
    request.initialPath = window_.settings().saveDirectory;
    // No default extension: the dialog asks before replacing any of the files the pages write.
    std::optional<std::string> chosen = CFileDialogKV(window_, request).run(saveAllExtensions());
    if (!chosen) return std::nullopt;
    SequenceResult result = runSaveAll(runner_, saveAllStem(*chosen, saveAllExtensions()));
    window_.rebuildMenu();
    return result;
}

SequenceResult SequenceCommands::printAll() {
    SequenceResult result = runPrintAll(runner_);
    window_.rebuildMenu();
    return result;
}

int SequenceCommands::initialise() {
    InitialisationDialog dialog(window_.application(), runner_, &window_);
    const int result = dialog.runPage();
    window_.rebuildMenu();
    return result;
}

}  // namespace flowcfg
