#include "params/InitialisationPage.h"

#include "params/FactorySettingsPage.h"
#include "params/ParameterTexts.h"
#include "params/VariableDescriptor.h"
#include "shell/PageFileTypes.h"

namespace flowcfg {
namespace {

constexpr int kYesNoList = 84;  // "Yes", "No"
constexpr int kYes = 0;
constexpr int kNo = 1;

}  // namespace

InitialisationPage::InitialisationPage(Application& application, Prompts& prompts,
                                       SequenceRunner& runner)
    : PageBase(application, prompts), runner_(runner), table_(language()) {
    setCaptionId(kCaptionText);
    for (auto [id, caption] :
         {std::pair{kSettingsField, 521}, std::pair{kFactorySettingsField, 525}}) {
        VariableDescriptor d;
        d.controlId = id;
        d.captionText = caption;
        d.kind = VariableDescriptor::kList;
        d.listText = kYesNoList;
        d.initialValue = std::to_string(kNo);
        d.format = std::string("%l");
        table_.Register(d);
    }
}

int InitialisationPage::Build(FieldControlFactory* factory) {
    return table_.Build(factory);
}

bool InitialisationPage::chosen(int field) {
    const BoundField* f = table_.FindField(field);
    return f && f->integer() == kYes;
}

void InitialisationPage::choose(int field, bool yes) {
    if (BoundField* f = table_.FindField(field)) f->setInteger(yes ? kYes : kNo);
}

std::optional<InitialisationFiles> InitialisationPage::ChooseFiles(SequencePage& cancelled) {
    struct Choice {
        int field;
        SequencePage page;
        int fileType;
        int title;
        std::string InitialisationFiles::*file;
    };
    const Choice choices[] = {
        {kSettingsField, SequencePage::Settings, paramtext::kSettingFileType, kSettingsFileTitle,
         &InitialisationFiles::settings},
        {kFactorySettingsField, SequencePage::FactorySettings, FactorySettingsPage::kFileTypeText,
         kFactoryFileTitle, &InitialisationFiles::factorySettings},
    };
    InitialisationFiles files;
    PageFileTypes types(language());
    for (const Choice& c : choices) {
        if (!chosen(c.field)) continue;
        FileRequest request;
        request.mode = FileRequest::Mode::Open;
        request.filter = PageFileTypes::filterEntry(types.type(c.fileType)) + "|";
        request.initialPath = settings().saveDirectory;
        request.title = text(c.title);
        std::optional<std::string> path = prompts().chooseFile(request);
        if (!path || path->empty()) {
            cancelled = c.page;
            return std::nullopt;
        }
        files.*c.file = *path;
    }
    return files;
}

SequenceResult InitialisationPage::Transfer() {
    SequencePage cancelled = SequencePage::Settings;
    std::optional<InitialisationFiles> files = ChooseFiles(cancelled);
    if (!files) {
        SequenceResult stopped;
        stopped.ok = false;
        stopped.stoppedAt = cancelled;
        return stopped;
    }
    busy_ = true;
    struct Idle {
        bool& busy;
        ~Idle() { busy = false; }
    } idle{busy_};
    SequenceResult result = runInitialisation(runner_, config(), *files);
    closedWithOk_ = result.ok;
    return result;
}

}  // namespace flowcfg
