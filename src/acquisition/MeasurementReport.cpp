// What the measurement page prints: the sample shown, view by view, labelled as the views
// label it.
#include "acquisition/MeasurementBlocks.h"
#include "acquisition/MeasurementControls.h"
#include "acquisition/MeasurementPage.h"
#include "params/PrintedFields.h"
#include "texts/TextIds.h"

namespace flowcfg {

std::string MeasurementPage::ViewTitle(int tab) {
    switch (tab) {
        case mctl::kTabGeneral:
            return text(kGeneralText);
        case mctl::kTabPipeA:
            return text(kPipeText) + " A";
        case mctl::kTabPipeB:
            return text(kPipeText) + " B";
        case mctl::kTabInputOutput:
            return text(kInputOutputText) + " 01-04";
        case mctl::kTabFunction:
            return text(kFunctionText);
        default:
            return {};
    }
}

PrintReport MeasurementPage::Report(const std::string& title) {
    using namespace mctl;
    using B = MeasurementBlocks;
    // The views the page's layout leaves out print nothing.
    const auto viewShown = [this](int tab) {
        if (tab == kTabPipeB) return layout_.showsPathB() && InstrumentPaths() > 1;
        if (tab == kTabInputOutput) return layout_.inputsOutputs;
        return true;
    };
    const std::string flowUnit = FlowUnitText();
    auto labels = [&](const BoundField& field) {
        const VariableDescriptor& d = field.descriptor();
        const int id = d.controlId;
        PrintedFields::Label label;
        if (d.tab < 0) return label;
        label.section = ViewTitle(d.tab);
        for (int path = 0; path < 2; ++path) {
            const int first = chordField(path, 0, 0);
            if (id >= first && id < first + B::kChords * chord::kValues) {
                // The chords' grid: a group per chord, a row per value.
                label.group = text(kChordText + (id - first) / chord::kValues);
                label.caption = item(kChordRowsText, (id - first) % chord::kValues);
            }
            if (id == pathField(path, kPathFlow)) label.unit = flowUnit;
        }
        if (id == kTotalFlow || id == kFlowA || id == kFlowB) label.unit = flowUnit;
        for (int t = 0; t < 4; ++t)
            if (id == kTotalizer + 3 * t) {
                label.caption = text(519) + " " + std::to_string(t + 1);  // "Totalizer 1"
                label.unit = TotalizerUnitText(t);
            }
        for (int m = 0; m < 4; ++m)
            if (id == kModule + 3 * m)  // "Input-output 1": the module of slot 1
                label.caption = text(d.captionText) + " " + std::to_string(m + 1);
        for (int k = 0; k < B::kInputsOutputsShown; ++k)
            if (id == inputOutputField(k)) {
                label.caption = InputOutputCaption(k);
                label.unit = InputOutputUnit(k);
            }
        for (int k = 0; k < B::kOutputs; ++k)
            if (id == functionField(k)) {
                label.caption = FunctionCaption(k);
                label.unit = FunctionUnit(k);
            }
        label.leftOut = !viewShown(d.tab);
        return label;
    };
    return PrintedFields::Of(table(), title, labels);
}

}  // namespace flowcfg
