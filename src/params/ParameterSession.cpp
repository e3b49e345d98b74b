#include "params/ParameterSession.h"

#include <filesystem>

#include "params/ParameterTexts.h"
#include "params/SettingsFile.h"

namespace flowcfg {
namespace {

// Removes the rebuild file when the session ends, whatever happened to it on the way.
class RebuildFileGuard {
public:
    explicit RebuildFileGuard(std::string path) : path_(std::move(path)) {}
    ~RebuildFileGuard() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    RebuildFileGuard(const RebuildFileGuard&) = delete;
    RebuildFileGuard& operator=(const RebuildFileGuard&) = delete;

private:
    std::string path_;
};

}  // namespace

ParameterSession::ParameterSession(const IniFile& config, PageContext context,
                                   StartDialog* startDialog, ParameterDialogHost& host)
    : config_(config), context_(context), startDialog_(startDialog), host_(host) {}

int ParameterSession::Run(int mode, const std::string& source) {
    dialogs_ = 0;
    LayoutChooser chooser(config_, context_, startDialog_);
    const int chosen = chooser.ChooseLayout(mode, source);
    if (chosen == LayoutChooser::kUnreadable) {
        PageMessages messages(context_.prompts, context_.language);
        messages.showError(paramtext::kIncorrectFile, paramtext::kError);
        return chosen;
    }
    if (chosen != LayoutChooser::kOk) return ParameterPage::kCancel;

    const bool fromFile = (mode & (ParameterPage::kModeFile | ParameterPage::kModeWriteOnly)) != 0;
    LayoutOptions options = chooser.options();
    int pageMode = mode;
    std::string file = fromFile ? source : std::string();
    std::string captionFile = file;
    bool rebuilt = false;
    std::unique_ptr<RebuildFileGuard> guard;
    for (;;) {
        ParameterPage page(options, context_, pageMode, file);
        page.setRebuildDirectory(rebuildDirectory_);
        page.setCaptionFile(captionFile, rebuilt);
        page.setFromRebuild(rebuilt);
        if (!rebuilt && (mode & ParameterPage::kModeRead)) page.setReadSource(chooser.readPage());
        if (prepare_) prepare_(page);
        ++dialogs_;
        ParameterPage::Result result = host_.run(page);
        if (result != ParameterPage::kRebuild)
            return result == ParameterPage::kOk ? ParameterPage::kOk : ParameterPage::kCancel;
        if (!guard) guard = std::make_unique<RebuildFileGuard>(page.rebuildPath());
        LayoutOptions next = options;
        if (SettingsFile::ReadLayout(page.fileName(), next) != SettingsFile::Status::Ok) {
            page.messages().showError(paramtext::kIncorrectFile, paramtext::kError);
            return ParameterPage::kCancel;
        }
        next.SaveLayoutOptions(config_);
        options = next;
        pageMode = ParameterPage::kModeFile;
        file = page.fileName();
        captionFile = page.captionFile();
        rebuilt = true;
    }
}

}  // namespace flowcfg
