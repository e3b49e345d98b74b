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

bool MeasurementCommands::record(int periodSeconds, double durationMinutes,
                                 const std::string& path) {
    MeasurementDialog dialog(window_.application(), window_.link(),
                             MeasurementDialog::defaultLayout(), &window_);
    bool recorded = false;
    if (dialog.prepare()) {
        dialog.page().StartAutomaticRecording(periodSeconds, durationMinutes, path);
        // The page closes itself when the recording has ended, and also when a write failed;
        // only a recording that ran its whole duration counts. The person's close box stops it
        // early (Rejected).
        recorded = dialog.exec() == QDialog::Accepted && dialog.page().automaticRecordingDone() &&
                   dialog.page().sampleCounter() > 0;
    }
    window_.rebuildMenu();
    return recorded;
}

}  // namespace flowcfg
