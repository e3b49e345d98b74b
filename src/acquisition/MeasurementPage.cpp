#include "acquisition/MeasurementPage.h"

#include <algorithm>
#include <cstdio>

#include "acquisition/MeasurementBlocks.h"
#include "acquisition/MeasurementControls.h"
#include "acquisition/MeasurementFields.h"
#include "shell/ValueDisplay.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

using B = MeasurementBlocks;

// Module words of the input-output slots and what their values are.
struct ModuleKind {
    int caption;  // text id; 0 for an empty slot
    int unit;     // text id of the value's unit; 0 for none
    const char* format;
};
ModuleKind moduleKind(int word) {
    switch (word) {
        case 1:
            return {487, 344, "%0.3f"};  // "Analog Output", mA
        case 2:
            return {488, 0, "%0.f"};  // "Relay output": 0 open, 1 closed
        case 3:
            return {198, 344, "%0.3f"};  // "Input 4 - 20 mA"
        case 4:
            return {197, 538, "%0.3f"};  // "Input 0 - 10 V"
        case 5:
            return {200, 176, "%0.2f"};  // "Input PT100", °C
        default:
            return {0, 0, "%0.3f"};
    }
}

constexpr const char* kNotShown = "---";

}  // namespace

MeasurementPage::MeasurementPage(Application& application, Prompts& prompts, InstrumentLink& link,
                                 const MeasurementLayout& layout)
    : AcquisitionPage(application, prompts, link, kFileTypeText), layout_(layout) {
    setCaptionId(kCaptionText);
    MeasurementFields::Register(table());
    declareGroups({kMeasurementParameterOrder.begin(), kMeasurementParameterOrder.end()},
                  {kMeasurementCycleOrder.begin(), kMeasurementCycleOrder.end()});
    setDateTimeField(mctl::kDateTime);
}

MeasurementPage::~MeasurementPage() {
    StopAcquisition();
}

void MeasurementPage::setMeasurementObserver(MeasurementObserver* observer) {
    measurementObserver_ = observer;
    setObserver(observer);
}

int MeasurementPage::fieldInteger(int controlId) {
    BoundField* field = table().FindField(controlId);
    return field ? int(field->integer()) : 0;
}

double MeasurementPage::fieldValue(int controlId) {
    BoundField* field = table().FindField(controlId);
    return field ? field->value() : 0;
}

void MeasurementPage::setFieldText(int controlId, const std::string& text) {
    if (BoundField* field = table().FindField(controlId)) field->setText(text);
}

void MeasurementPage::setUnitText(int controlId, const std::string& text) {
    BoundField* field = table().FindField(controlId);
    if (field && field->unitControl()) field->unitControl()->setText(text);
}

int MeasurementPage::InstrumentPaths() {
    const int fromPath = fieldInteger(mctl::kPathCount);
    return std::clamp(fromPath > 0 ? fromPath : fieldInteger(mctl::kPipes), 1, 2);
}

int MeasurementPage::ChordCount(int path) {
    if (path == 1 && InstrumentPaths() < 2) return 0;
    return std::clamp(fieldInteger(mctl::pathField(path, mctl::kPathChords)), 0, B::kChords);
}

// ---- the polling chain -----------------------------------------------------------------------

int MeasurementPage::Completion(const JBusRequest& result) {
    if (result.data.empty()) return kUnknownCompletion;
    const RegisterBlock* block = table().FindBlock(result.start);
    if (!block) return kUnknownCompletion;
    const int address = result.start;
    const int parameter = block->groupIndex[kParameterOnceGroup];
    const int measurement = block->groupIndex[kMeasurementGroup];
    if (parameter >= 0) {
        table().Decode(address, result.data);
        if (address == B::kProbeSets) ProbeSetsRead();
        const RegisterBlock* next = table().BlockAt(kParameterOnceGroup, parameter + 1);
        if (!next) next = table().BlockAt(kMeasurementGroup, 0);
        RequestBlock(next->address);
        return kChainGoesOn;
    }
    if (address == B::kPathA) {
        table().Decode(address, result.data);
        setIndicator(kIndicatorBlank);
        RefreshPath(0);
        link().SetInterval(100);
        if (InstrumentPaths() > 1) {
            RequestBlock(B::kPathB);
            return kChainGoesOn;
        }
        RequestBlock(B::kInputsOutputs);
        CycleComplete();
        return kCycleComplete;
    }
    if (address == B::kPathB) {
        table().Decode(address, result.data);
        RefreshPath(1);
        RequestBlock(B::kInputsOutputs);
        CycleComplete();
        return kCycleComplete;
    }
    if (address == B::kSummary) {
        table().Decode(address, result.data);
        RequestBlock(B::kInputsOutputs);
        for (int id : {mctl::kSerial, mctl::kBoardSerial, mctl::kSoftware, mctl::kDateTime})
            if (BoundField* field = table().FindField(id)) field->show(true);
        if (measurementObserver_) measurementObserver_->identityShown();
        return kCycleComplete;
    }
    if (measurement >= 0) {
        table().Decode(address, result.data);
        if (address == B::kOutputValues) {
            RefreshFunctions();
            RefreshInputsOutputs();
        } else if (address == B::kInputsOutputs) {
            RefreshInputsOutputs();
        }
        if (const RegisterBlock* next = table().BlockAt(kMeasurementGroup, measurement + 1))
            RequestBlock(next->address);
        return kChainGoesOn;
    }
    return kUnknownCompletion;
}

void MeasurementPage::CycleComplete() {
    TrendHistory::Point point;
    point.time = InstrumentTime();
    point.values[TrendHistory::kQA] = fieldValue(mctl::kFlowA);
    point.values[TrendHistory::kQB] = fieldValue(mctl::kFlowB);
    point.values[TrendHistory::kQT] = fieldValue(mctl::kTotalFlow);
    point.values[TrendHistory::kVelocityA] = fieldValue(mctl::kVelocityA);
    point.values[TrendHistory::kVelocityB] = fieldValue(mctl::kVelocityB);
    trend_.add(point);
    RefreshUnits();
    ++cycles_;
    if (!viewsSetUp_) SetUpViews();
}

// The one-time set-up: the fields that depend on the instrument's shape get their texts; the
// window shows the chords, slots and outputs the instrument has.
void MeasurementPage::SetUpViews() {
    viewsSetUp_ = true;
    for (int k = 0; k < B::kInputsOutputsShown; ++k)
        setUnitText(mctl::inputOutputField(k), InputOutputUnit(k));
    for (int k = 0; k < B::kOutputs; ++k)
        setUnitText(mctl::functionField(k), FunctionUnit(k));
    setFieldText(mctl::kSerial, IdentitySerial(0));
    setFieldText(mctl::kBoardSerial, IdentitySerial(1));
    ShowInstrumentShape();
    if (measurementObserver_) measurementObserver_->viewsSetUp();
}

// The fields of what the instrument has: nothing of path B for a one-path instrument, the
// chords each path has (at least the first, for a path not configured). The views and the
// printout both show only these.
void MeasurementPage::ShowInstrumentShape() {
    using namespace mctl;
    const bool twoPaths = InstrumentPaths() > 1;
    for (int id : {kFlowB, kVelocityB})
        if (BoundField* field = table().FindField(id)) field->show(twoPaths);
    for (int path = 0; path < 2; ++path) {
        const int chords = std::max(1, ChordCount(path));
        for (int c = 0; c < B::kChords; ++c)
            for (int v = 0; v < chord::kValues; ++v)
                if (BoundField* field = table().FindField(chordField(path, c, v)))
                    field->show(c < chords);
    }
}

void MeasurementPage::ProbeSetsRead() {
    ProbeCatalogue::ProbeSet sets[2];
    for (int set = 0; set < 2; ++set) {
        BoundField* name = table().FindField(mctl::probeName(set));
        sets[set].name = name ? name->text() : std::string();
        sets[set].t0 = fieldValue(mctl::probeT0(set));
        sets[set].angle = fieldValue(mctl::probeAngle(set));
    }
    catalogue_.MergeProbeSets(sets[0], sets[1]);
    for (int path = 0; path < 2; ++path)
        setFieldText(mctl::pathField(path, mctl::kPathProbe), ProbeText(path));
}

void MeasurementPage::RefreshInputsOutputs() {
    for (int k = 0; k < B::kInputsOutputsShown; ++k) {
        std::string text = kNotShown;
        if (fieldInteger(mctl::inputOutputNotUsed(k)) == 0)
            text = displayValue(fieldValue(mctl::inputOutputValue(k)),
                                moduleKind(fieldInteger(mctl::moduleWord(k))).format, 0, 0);
        setFieldText(mctl::inputOutputField(k), text);
    }
}

void MeasurementPage::RefreshFunctions() {
    for (int k = 0; k < B::kOutputs; ++k) {
        std::string text = kNotShown;
        if (fieldInteger(mctl::functionDefault(k)) == 0)
            text = displayValue(fieldValue(mctl::functionValue(k)), "auto4", 0, 0);
        setFieldText(mctl::functionField(k), text);
    }
}

void MeasurementPage::RefreshPath(int path) {
    using namespace mctl;
    for (int c = 0; c < B::kChords; ++c) {
        // The acoustic path between the probes: sound velocity (m/s) times the transit time
        // (µs), in mm.
        const double distance = fieldValue(chordField(path, c, chord::kSoundVelocity)) *
                                fieldValue(chordField(path, c, chord::kTransitTime)) / 1000.0;
        if (BoundField* field = table().FindField(chordField(path, c, chord::kDistance)))
            field->setValue(distance);
    }
    for (int c = 0; c < kTracedChords; ++c) {
        ChordSignalTrace::Sample sample;
        sample.deltaT = fieldValue(chordField(path, c, chord::kDeltaT));
        sample.transitTime = fieldValue(chordField(path, c, chord::kTransitTime));
        sample.gainUp = fieldValue(chordField(path, c, chord::kGainUp));
        sample.gainDown = fieldValue(chordField(path, c, chord::kGainDown));
        sample.soundVelocity = fieldValue(chordField(path, c, chord::kSoundVelocity));
        traces_[std::size_t(path)][std::size_t(c)].add(sample);
    }
    if (measurementObserver_) measurementObserver_->pathRefreshed(path);
}

void MeasurementPage::RefreshUnits() {
    const std::string flow = FlowUnitText();
    for (int id : {mctl::kTotalFlow, mctl::kFlowA, mctl::kFlowB,
                   mctl::pathField(0, mctl::kPathFlow), mctl::pathField(1, mctl::kPathFlow)})
        setUnitText(id, flow);
    for (int t = 0; t < 4; ++t)
        setUnitText(mctl::kTotalizer + 3 * t, TotalizerUnitText(t));
}

// ---- a recorded file -------------------------------------------------------------------------

void MeasurementPage::ParametersLoaded() {
    ProbeSetsRead();
}

void MeasurementPage::SampleLoaded() {
    RefreshFunctions();
    RefreshInputsOutputs();
    RefreshPath(0);
    if (InstrumentPaths() > 1) RefreshPath(1);
    CycleComplete();
}

// ---- texts of the views ----------------------------------------------------------------------

std::string MeasurementPage::FlowUnitText() {
    return item(textid::kListFlowUnits, fieldInteger(mctl::kPathFlowUnit));
}

std::string MeasurementPage::TotalizerUnitText(int totalizer) {
    return item(textid::kListTotalizerUnits, fieldInteger(mctl::totalizerUnit(totalizer)));
}

std::string MeasurementPage::InputOutputCaption(int slot) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d", slot + 1);
    const std::string module = ModuleText(slot);
    return module.empty() ? std::string(number) : std::string(number) + " " + module;
}

std::string MeasurementPage::ModuleText(int slot) {
    const ModuleKind kind = moduleKind(fieldInteger(mctl::moduleWord(slot)));
    return kind.caption ? text(kind.caption) : std::string();
}

std::string MeasurementPage::TotalizerSourceText(int totalizer) {
    return item(textid::kListTotalizerSource, fieldInteger(mctl::totalizerSource(totalizer)));
}

bool MeasurementPage::FunctionInUse(int output) {
    return fieldInteger(mctl::functionQuantity(output)) != 0;  // 0: "Not Used"
}

std::string MeasurementPage::FunctionSourceText(int output) {
    return item(textid::kListMeasuredQuantity, fieldInteger(mctl::functionQuantity(output)));
}

std::string MeasurementPage::FunctionNumberText(int output) {
    return item(textid::kListFunctionNumber, fieldInteger(mctl::functionNumber(output)));
}

std::string MeasurementPage::InputOutputUnit(int slot) {
    const ModuleKind kind = moduleKind(fieldInteger(mctl::moduleWord(slot)));
    return kind.unit ? text(kind.unit) : std::string();
}

std::string MeasurementPage::FunctionCaption(int output) {
    return item(textid::kListOutputValues, output);
}

std::string MeasurementPage::FunctionUnit(int output) {
    return item(textid::kListUnits, fieldInteger(mctl::functionUnit(output)));
}

std::string MeasurementPage::ProbeText(int path) {
    return catalogue_.ProbeName(fieldInteger(mctl::pipeProbeType(path)));
}

std::string MeasurementPage::IdentitySerial(int which) {
    const int first = mctl::kIdentitySerial + 3 * which;
    char text[64];
    std::snprintf(text, sizeof text, "%02.f/%02.f/%05.f", fieldValue(first), fieldValue(first + 1),
                  fieldValue(first + 2));
    return text;
}

// ---- the signal windows ----------------------------------------------------------------------

std::vector<std::pair<int, int>> MeasurementPage::ChordWindows() {
    std::vector<std::pair<int, int>> windows{{0, 0}};
    if (ChordCount(0) > 1) windows.emplace_back(0, 1);
    if (InstrumentPaths() > 1) {
        windows.emplace_back(1, 0);
        if (ChordCount(1) > 1) windows.emplace_back(1, 1);
    }
    return windows;
}

std::string MeasurementPage::ChordWindowTitle(int path, int chord) {
    return std::string(path == 0 ? "QA" : "QB") + " C" + std::to_string(chord + 1);
}

ChordSignalTrace& MeasurementPage::trace(int path, int chord) {
    return traces_[std::size_t(std::clamp(path, 0, 1))]
                  [std::size_t(std::clamp(chord, 0, kTracedChords - 1))];
}

}  // namespace flowcfg
