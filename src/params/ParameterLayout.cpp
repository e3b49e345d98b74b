#include "params/ParameterLayout.h"

#include "params/ChordFields.h"
#include "params/FieldBuilder.h"
#include "params/FunctionFields.h"
#include "params/GeneralFields.h"
#include "params/LoggerFields.h"
#include "params/MarkerVariables.h"
#include "params/ModuleFields.h"
#include "params/ParameterControls.h"
#include "params/ParameterTexts.h"
#include "params/PipeFields.h"
#include "params/TotalizerFields.h"

namespace flowcfg {

void ParameterLayout::addTab(TabKind kind, int pipe, int captionText, bool shown) {
    const char* suffix = "";
    if (pipe == 1)
        suffix = " B";
    else if (pipe == 0 && options_.pipes >= 2)
        suffix = " A";
    tabs_.emplace_back();
    ParameterTab& tab = tabs_.back();
    tab.kind = kind;
    tab.pipe = pipe;
    tab.captionText = captionText;
    tab.captionSuffix.assign(suffix);
    tab.shown = shown;
}

ParameterLayout ParameterLayout::ApplyLayout(const LayoutOptions& options, VariableTable& table) {
    using namespace paramtext;
    ParameterLayout layout;
    layout.options_ = options;
    const bool advanced = options.level == LayoutOptions::kAdvanced;
    const bool twoPipes = options.pipes >= 2;
    layout.addTab(TabKind::General, -1, kTabGeneral, true);
    for (int p = 0; p < 2; ++p) {
        const bool pipeShown = p == 0 || twoPipes;
        layout.addTab(TabKind::Pipe, p, kTabPipe, pipeShown);
        layout.addTab(TabKind::Chords, p, kTabChords, pipeShown);
        layout.addTab(TabKind::Linearization, p, kTabLinearization, pipeShown && advanced);
    }
    layout.addTab(TabKind::Logger, -1, kTabLogger, options.loggerShown());
    layout.addTab(TabKind::Totalizers, -1, kTabTotalizers, options.totalizersShown());
    layout.addTab(TabKind::InputOutput, -1, kTabInputOutput, options.inputsOutputsShown());
    layout.addTab(TabKind::Function, -1, kTabFunction, options.functionsShown());
    layout.addTab(TabKind::Advanced, -1, kTabAdvanced, advanced);
    int index = 0;
    for (ParameterTab& tab : layout.tabs_)
        if (tab.shown) tab.index = index++;

    FieldBuilder builder(table, layout);
    GeneralFields::Register(builder);
    for (int p = 0; p < 2; ++p)
        PipeFields::Register(builder, p);
    ChordFields::Register(builder);
    TotalizerFields::Register(builder);
    LoggerFields::Register(builder);
    FunctionFields::Register(builder);
    ModuleFields::Register(builder);
    MarkerVariables::RegisterReboot(table, ctl::kEndMarker);
    return layout;
}

std::vector<const ParameterTab*> ParameterLayout::shownTabs() const {
    std::vector<const ParameterTab*> shown;
    for (const ParameterTab& tab : tabs_)
        if (tab.shown) shown.push_back(&tab);
    return shown;
}

ParameterTab* ParameterLayout::find(TabKind kind, int pipe) {
    for (ParameterTab& tab : tabs_)
        if (tab.kind == kind && tab.pipe == pipe) return &tab;
    return nullptr;
}

const ParameterTab* ParameterLayout::find(TabKind kind, int pipe) const {
    return const_cast<ParameterLayout*>(this)->find(kind, pipe);
}

const ParameterTab* ParameterLayout::homeOf(int controlId) const {
    for (const ParameterTab& tab : tabs_)
        for (const ParameterGroup& group : tab.groups)
            for (int id : group.fields)
                if (id == controlId) return &tab;
    return nullptr;
}

const ParameterGroup* ParameterLayout::groupOf(int controlId) const {
    for (const ParameterTab& tab : tabs_)
        for (const ParameterGroup& group : tab.groups)
            for (int id : group.fields)
                if (id == controlId) return &group;
    return nullptr;
}

}  // namespace flowcfg
