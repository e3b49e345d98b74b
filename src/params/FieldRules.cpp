#include "params/FieldRules.h"

#include <algorithm>
#include <cstdio>

#include "params/ChordFields.h"
#include "params/FieldControl.h"
#include "params/LoggerFields.h"
#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "params/PipeFields.h"

namespace flowcfg {

FieldRules::FieldRules(VariableTable& table, const ParameterLayout& layout,
                       ProbeCatalogue& catalogue, int language)
    : table_(table), layout_(layout), catalogue_(catalogue), language_(language) {}

int FieldRules::integer(int controlId) {
    BoundField* field = table_.FindField(controlId);
    return field ? int(field->integer()) : 0;
}

void FieldRules::enable(int controlId, bool enabled) {
    if (BoundField* field = table_.FindField(controlId)) field->enable(enabled);
}

void FieldRules::show(int controlId, bool shown) {
    BoundField* field = table_.FindField(controlId);
    // Fields the layout hides stay hidden whatever the rules say.
    if (field && (field->descriptor().flags & VariableDescriptor::kHidden) == 0) field->show(shown);
}

int FieldRules::RulesFor(int controlId) {
    for (int p = 0; p < 2; ++p) {
        for (int field : {ctl::pipe::kChords, ctl::pipe::kProbeType, ctl::pipe::kQUnit,
                          ctl::pipe::kRefUnit, ctl::pipe::kCutOffUnit})
            if (controlId == ctl::pipeField(p, field)) return p;
    }
    if (controlId == ctl::kQUnit || controlId == ctl::kLoggerCount) return -1;
    if (controlId >= ctl::kSerial1 && controlId <= ctl::kBoardSerial3) return -1;
    for (int k = 0; k < ParameterBlocks::kModules; ++k)
        if (controlId == ctl::moduleField(k, ctl::module::kUnit)) return -1;
    return -2;
}

// The unit list field a flow field's unit follows, 0 for none.
int FieldRules::unitSource(int fieldId) const {
    using namespace ctl::pipe;
    if (fieldId == ctl::kMinimum || fieldId == ctl::kMaximum) return ctl::kQUnit;
    for (int p = 0; p < 2; ++p) {
        auto id = [p](int field) { return ctl::pipeField(p, field); };
        if (fieldId == id(kCutOff)) return id(kCutOffUnit);
        if (fieldId == id(kMin) || fieldId == id(kMax) || fieldId == id(kSimulationFlow))
            return id(kQUnit);
        if (fieldId == id(kRefFlow1) || fieldId == id(kRefFlow2)) return id(kRefUnit);
    }
    for (int k = 0; k < ParameterBlocks::kModules; ++k)
        if (fieldId == ctl::moduleField(k, ctl::module::kLow) ||
            fieldId == ctl::moduleField(k, ctl::module::kHigh))
            return ctl::moduleField(k, ctl::module::kUnit);
    return 0;
}

std::string FieldRules::UnitText(const BoundField& field) {
    const VariableDescriptor& d = field.descriptor();
    if (int source = unitSource(d.controlId)) {
        BoundField* unit = table_.FindField(source);
        if (unit) return texts_.item(d.unitText, int(unit->integer()), language_);
    }
    return d.unitText ? texts_.text(d.unitText, language_) : std::string();
}

void FieldRules::relabel(int fieldId, int sourceId) {
    BoundField* field = table_.FindField(fieldId);
    if (!field || !field->unitControl() || !table_.FindField(sourceId)) return;
    field->unitControl()->setText(UnitText(*field));
}

std::string FieldRules::ValueText(const BoundField& field) {
    int id = field.controlId();
    for (int p = 0; p < 2; ++p)
        if (id == ctl::pipeField(p, ctl::pipe::kProbeType)) {
            std::string name = catalogue_.ProbeName(int(field.integer()));
            return name.empty() ? field.text() : name;
        }
    return field.shownText();
}

void FieldRules::serialText(int textId, int first) {
    BoundField* text = table_.FindField(textId);
    BoundField* parts[3] = {table_.FindField(first), table_.FindField(first + 3),
                            table_.FindField(first + 6)};
    if (!text || !parts[0] || !parts[1] || !parts[2]) return;
    char serial[64];
    std::snprintf(serial, sizeof serial, "%02.f/%02.f/%05.f", parts[0]->value(), parts[1]->value(),
                  parts[2]->value());
    text->setText(serial);
}

void FieldRules::UpdateDependentFields(int p) {
    using namespace ctl::pipe;
    if (p < 0) {
        relabel(ctl::kMinimum, ctl::kQUnit);
        relabel(ctl::kMaximum, ctl::kQUnit);
        int logged = integer(ctl::kLoggerCount);
        for (int i = 0; i < LoggerFields::kSelections; ++i)
            for (int field :
                 {ctl::selection::kSource, ctl::selection::kValue, ctl::selection::kStatistic})
                enable(ctl::loggerSelection(i, field), i < logged);
        serialText(ctl::kSerialText, ctl::kSerial1);
        serialText(ctl::kBoardSerialText, ctl::kBoardSerial1);
        for (int k = 0; k < ParameterBlocks::kModules; ++k)
            for (int field : {ctl::module::kLow, ctl::module::kHigh})
                relabel(ctl::moduleField(k, field), ctl::moduleField(k, ctl::module::kUnit));
        return;
    }
    auto id = [p](int field) { return ctl::pipeField(p, field); };
    const int chords = std::clamp(integer(id(kChords)), 0, ChordFields::kChordsPerPipe);
    for (int k = 0; k < ChordFields::kChordsPerPipe; ++k)
        for (int field = 0; field <= ctl::chord::kTimeOffset; field += 3)
            enable(ctl::chordField(p, k, field), k < chords);

    const int flag = catalogue_.NoAngleFlag(integer(id(kProbeType)));
    for (int layer = 0; layer < 3; ++layer)
        for (int field : {kLayerMaterial, kLayerSpeed, kLayerThickness})
            show(id(field + 3 * layer), flag != 1);
    for (int k = 0; k < ChordFields::kChordsPerPipe; ++k)
        for (int field : {ctl::chord::kDistance, ctl::chord::kDistance2})
            show(ctl::chordField(p, k, field), flag == 1 || chords > 1);

    relabel(id(kCutOff), id(kCutOffUnit));
    for (int field : {kMin, kMax, kSimulationFlow})
        relabel(id(field), id(kQUnit));
    for (int field : {kRefFlow1, kRefFlow2})
        relabel(id(field), id(kRefUnit));

    const bool curve = hasProfileCurve(p);
    for (int i = 0; i < PipeFields::kProfilePoints; ++i)
        for (int field : {kProfileAbscissa, kProfileCoefficient})
            enable(id(field + i), curve);

    // The chords of both pipes share the instrument's chord blocks.
    const LayoutOptions& o = layout_.options();
    const int most = std::clamp(o.maxChords, 1, ChordFields::kChordsPerPipe);
    for (int q = 0; q < 2; ++q) {
        BoundField* count = table_.FindField(ctl::pipeField(q, kChords));
        if (!count || !count->valueControl()) continue;
        int other = o.pipes >= 2 ? integer(ctl::pipeField(1 - q, kChords)) : 0;
        int high = std::max({1, most - other, int(count->integer())});
        count->valueControl()->setFormat(1, high, count->descriptor().format);
    }
}

void FieldRules::UpdateAll() {
    UpdateDependentFields(-1);
    UpdateDependentFields(0);
    UpdateDependentFields(1);
}

std::array<int, 2> FieldRules::ProbePositions() {
    return {integer(ctl::pipeField(0, ctl::pipe::kProbeType)),
            integer(ctl::pipeField(1, ctl::pipe::kProbeType))};
}

void FieldRules::FillProbeLists(const std::array<int, 2>& positions) {
    for (int p = 0; p < 2; ++p) {
        BoundField* field = table_.FindField(ctl::pipeField(p, ctl::pipe::kProbeType));
        if (!field) continue;
        const int position = positions[std::size_t(p)];
        if (FieldControl* control = field->valueControl()) {
            control->setItems(catalogue_.ProbeNames(), 0);
            // A probe set no longer offered stays in the list of a pipe that uses it, so
            // that its value is not changed behind the user's back.
            for (int i = 0; i < catalogue_.size(); ++i)
                control->setItemFlags(i, catalogue_.offered(i) || i == position ? 1 : 0);
        }
        field->setInteger(position);
    }
}

void FieldRules::MergeProbeSets() {
    ProbeCatalogue::ProbeSet sets[2];
    for (int s = 0; s < 2; ++s) {
        BoundField* name = table_.FindField(ctl::probeSet(s, ctl::kProbeName));
        BoundField* t0 = table_.FindField(ctl::probeSet(s, ctl::kProbeT0));
        BoundField* angle = table_.FindField(ctl::probeSet(s, ctl::kProbeAngle));
        if (name) sets[s].name = name->text();
        if (t0) sets[s].t0 = t0->value();
        if (angle) sets[s].angle = angle->value();
    }
    const std::array<int, 2> positions = ProbePositions();
    catalogue_.BuildCatalogue();
    catalogue_.MergeProbeSets(sets[0], sets[1]);
    FillProbeLists(positions);
}

void FieldRules::ResetCoefficients(int p, int tableIndex) {
    int first = tableIndex == 0 ? ctl::pipe::kCoefficient1 : ctl::pipe::kCoefficient2;
    for (int i = 0; i < PipeFields::kCoefficients; ++i)
        if (BoundField* field = table_.FindField(ctl::pipeField(p, first + i)))
            field->setValue(1.0);
}

bool FieldRules::hasProfileCurve(int p) {
    const RegisterBlock* curve = table_.FindBlock(ParameterBlocks::profile(p));
    return curve && curve->present;
}

void FieldRules::ResetProfile(int p) {
    if (!hasProfileCurve(p)) return;
    for (int i = 0; i < PipeFields::kProfilePoints; ++i)
        if (BoundField* field =
                table_.FindField(ctl::pipeField(p, ctl::pipe::kProfileCoefficient + i)))
            field->setValue(1.0);
}

void FieldRules::DefaultProfile(int p) {
    if (!hasProfileCurve(p)) return;
    for (int i = 0; i < PipeFields::kProfilePoints; ++i) {
        if (BoundField* x = table_.FindField(ctl::pipeField(p, ctl::pipe::kProfileAbscissa + i)))
            x->setValue(PipeFields::profileAbscissa(i));
        if (BoundField* y = table_.FindField(ctl::pipeField(p, ctl::pipe::kProfileCoefficient + i)))
            y->setValue(PipeFields::kDefaultProfile[std::size_t(i)]);
    }
}

}  // namespace flowcfg
