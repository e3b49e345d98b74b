#include "params/InitialisationPage.h"

#include "params/VariableDescriptor.h"

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

SequenceResult InitialisationPage::Transfer() {
    busy_ = true;
    struct Idle {
        bool& busy;
        ~Idle() { busy = false; }
    } idle{busy_};
    SequenceResult result =
        runInitialisation(runner_, config(), chosen(kSettingsField), chosen(kFactorySettingsField));
    closedWithOk_ = result.ok;
    return result;
}

}  // namespace flowcfg
