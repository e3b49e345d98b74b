// The spreadsheet export of the polling pages (see SpreadsheetExport): AcquisitionPage's export
// command and the filling of its blocks from a recording.
#include "acquisition/AcquisitionPage.h"

namespace flowcfg {
namespace {

// Without a dialog of its own a page exports without a macro.
class NoMacroDialog : public MacroDialog {
public:
    std::optional<std::string> chooseMacro(const std::string&, const std::string&,
                                           const std::string&) override {
        return std::nullopt;
    }
};

}  // namespace

void AcquisitionPage::setExportTools(MacroDialog* macroDialog, ProgressView* progress,
                                     ProgramLauncher* launcher) {
    macroDialog_ = macroDialog;
    exportProgress_ = progress;
    launcher_ = launcher;
}

int AcquisitionPage::Export(bool automatic) {
    SpreadsheetExport::Request request;
    request.pageType = fileType().extension;
    request.recordPath = fileMode_ ? recorded_.path() : recordPath_;
    request.convert = true;
    request.automatic = automatic;
    const int result = Export(request);
    // The conversion went through every sample: the one shown is shown again.
    if (fileMode_ && currentSample_ >= 0) ShowSample(currentSample_);
    return result;
}

int AcquisitionPage::Export(const SpreadsheetExport::Request& request) {
    ExportColumns* columns = exportColumns();
    if (!columns || request.recordPath.empty()) return -1;
    NoMacroDialog noMacro;
    NoProgress noProgress;
    SpawnLauncher spawn;
    std::string directory =
        LastSaveDirectory().empty() ? settings().saveDirectory : LastSaveDirectory();
    SpreadsheetExport exporter(*this, *columns, macroDialog_ ? *macroDialog_ : noMacro,
                               exportProgress_ ? *exportProgress_ : noProgress,
                               launcher_ ? *launcher_ : spawn, directory);
    const int result = exporter.run(request, this);
    if (directory != (LastSaveDirectory().empty() ? settings().saveDirectory : LastSaveDirectory()))
        LastSaveDirectory() = directory;
    return result;
}

int AcquisitionPage::parameterRecords() const {
    return parameterCount();
}

int AcquisitionPage::blocksPerSample() const {
    return measurementCount();
}

bool AcquisitionPage::storeRecord(int index, const std::vector<std::uint8_t>& payload) {
    const int parameters = parameterCount();
    const int measurements = measurementCount();
    RegisterBlock* block = nullptr;
    if (index >= 0 && index < parameters)
        block = table_.BlockAt(kParameterOnceGroup, index);
    else if (index >= parameters && measurements > 0)
        block = table_.BlockAt(kMeasurementGroup, (index - parameters) % measurements);
    if (!block) return false;
    table_.Decode(block->address, payload);
    if (index == parameters - 1) ParametersLoaded();
    return true;
}

}  // namespace flowcfg
