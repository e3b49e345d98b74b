#include "params/WindowlessPageRunner.h"

#include "params/FactorySettingsPage.h"
#include "params/FunctionPage.h"
#include "params/ParameterSession.h"
#include "params/SpecialSettingsPage.h"

namespace flowcfg {
namespace {

// The settings page's dialog without a window: it opens, loads and sends in Start, and closes.
class StartOnlyHost : public ParameterDialogHost {
public:
    explicit StartOnlyHost(const std::function<void(int)>& pause) : pause_(pause) {}
    ParameterPage::Result run(ParameterPage& page) override {
        if (pause_) page.exchange().setPause(pause_);
        const ParameterPage::Result result = page.Start(nullptr);
        return result == ParameterPage::kStayOpen ? ParameterPage::kCancel : result;
    }

private:
    const std::function<void(int)>& pause_;
};

// A page that sends its file in Start: kCancel is its only failure (the function page stays
// open after a write to show what the instrument reads back).
template <typename Page>
bool sendFile(PageContext context, const std::string& file, const std::function<void(int)>& pause,
              const std::function<void(Page&)>& prepare = {}) {
    Page page(context, BlockPage::kModeWriteOnly, file);
    if (pause) page.exchange().setPause(pause);
    if (prepare) prepare(page);
    return page.Start(nullptr) != BlockPage::kCancel && page.result() != BlockPage::kCancel;
}

}  // namespace

WindowlessPageRunner::WindowlessPageRunner(const IniFile& config, PageContext context)
    : config_(config), context_(context) {}

bool WindowlessPageRunner::run(const SequenceStep& step) {
    if (step.mode != SequenceStep::kModeWriteOnly) return false;
    switch (step.page) {
        case SequencePage::Settings: {
            StartOnlyHost host(pause_);
            ParameterSession session(config_, context_, nullptr, host);
            return session.Run(ParameterPage::kModeWriteOnly, step.file) == ParameterPage::kOk;
        }
        case SequencePage::SpecialSettings:
            return sendFile<SpecialSettingsPage>(context_, step.file, pause_);
        case SequencePage::FactorySettings:
            return sendFile<FactorySettingsPage>(context_, step.file, pause_);
        case SequencePage::Function:
            return sendFile<FunctionPage>(context_, step.file, pause_, [this](FunctionPage& page) {
                if (pause_) page.setWait(pause_);
            });
        case SequencePage::Measurement:
            return false;
    }
    return false;
}

}  // namespace flowcfg
