#include "params/PipeFields.h"

#include <cstdio>

#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "params/ParameterTexts.h"
#include "texts/TextIds.h"

namespace flowcfg {

const std::array<int, PipeFields::kCoefficients> PipeFields::kCoefficientCaptions = {
    114, 126, 128, 129, 130, 131, 132, 133, 134, 135, 116};
const std::array<int, PipeFields::kProfilePoints> PipeFields::kProfileCaptions = {
    105, 106, 107, 108, 109, 110, 111, 112, 113, 115,
    117, 118, 119, 120, 121, 122, 123, 124, 125, 127};
const std::array<double, PipeFields::kProfilePoints> PipeFields::kDefaultProfile = {
    1.6,   1.417, 1.261, 1.154, 1.084, 1.039, 1.005, 0.978, 0.955, 0.936,
    0.921, 0.908, 0.895, 0.883, 0.871, 0.863, 0.858, 0.845, 0.837, 0.829};

namespace {

using namespace ctl::pipe;
using textid::kListFlowUnits;

constexpr int kMm = 368, kMetresPerSecond = 382, kSeconds = 474, kPercent = 440;

std::string fixed3(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%0.3f", value);
    return text;
}

// A flow value whose unit label follows a flow-unit list field (FieldRules).
FieldSpec flowField(int id, int caption, const std::string& format, double low, double high,
                    const std::string& initial, int offset, int block, int encoding = 0x3000) {
    return {.id = id,
            .caption = caption,
            .kind = VariableDescriptor::kEdit,
            .initial = initial,
            .unit = kListFlowUnits,
            .unitEntry = 4,
            .low = low,
            .high = high,
            .format = format,
            .encoding = encoding,
            .offset = offset,
            .block = block};
}

void pipeTab(FieldBuilder& b, int p, int block) {
    auto id = [p](int field) { return ctl::pipeField(p, field); };
    b.home(TabKind::Pipe, p);
    // Up to 6553.5 mm: the tenths of a millimetre must fit the 16-bit register.
    b.number(id(kDiameter), 188, "%0.1f", 6.0, 6553.5, "27.9", 0, block, kMm);
    b.add({.id = id(kProbeType),
           .caption = 483,
           .kind = VariableDescriptor::kList,
           .initial = "2",
           .format = "%l",
           .offset = 96,
           .block = block});
    const int materials[] = {8, 0, 0};
    for (int layer = 0; layer < 3; ++layer) {
        b.group(349, " " + std::to_string(layer + 1));
        b.list(id(kLayerMaterial + 3 * layer), 349, textid::kListMaterial, materials[layer],
               2 + 6 * layer, block);
        b.number(id(kLayerSpeed + 3 * layer), 41, "%0.f", 100, 15000, "3000", 4 + 6 * layer, block,
                 kMetresPerSecond);
        b.number(id(kLayerThickness + 3 * layer), 203, "%0.2f", 0, 600, "0.9", 6 + 6 * layer, block,
                 kMm);
    }
    b.group(0);
    b.list(id(kProduct), 444, textid::kListProduct, 1, 20, block);
    b.number(id(kC0), 35, "%0.f", 100, 4000, "1470", 22, block, kMetresPerSecond);
    b.number(id(kDeltaC), 178, "%0.f", 10, 2000, "400", 24, block, kMetresPerSecond);
    b.list(id(kProfileMode), 375, textid::kListAutomaticManual, 0, 38, block);
    b.number(id(kProfileValue), 445, "%0.2f", 0, 9.999, "0.7", 40, block);
    b.add(flowField(id(kCutOff), 449, "%0.2f", 0, 650, "0.01", 42, block));
    b.list(id(kCutOffUnit), 0, kListFlowUnits, 4, 44, block);
    b.list(id(kQUnit), 536, kListFlowUnits, 4, 98, block);
    b.number(id(kFilter), 236, "%0.f", 0, 3600, "10", 100, block, kSeconds);
    b.add(flowField(id(kMin), 362, "%0.1f", -99999.9, 99999.9, "0.0", 106, block, 0x8000));
    b.add(flowField(id(kMax), 350, "%0.1f", -99999.9, 99999.9, "10.0", 110, block, 0x8000));
    b.list(id(kStep), 433, textid::kListStep, 0, 114, block);
    b.number(id(kChords), 394, "%0.f", 1, 8, "1", 116, block);
}

void linearizationTab(FieldBuilder& b, int p, int block) {
    auto id = [p](int field) { return ctl::pipeField(p, field); };
    b.home(TabKind::Linearization, p);
    b.list(id(kRefUnit), 451, kListFlowUnits, 4, 46, block);
    const int refOffsets[] = {48, 72};
    const int refIds[] = {kRefFlow1, kRefFlow2};
    const int firstCoefficients[] = {kCoefficient1, kCoefficient2};
    const int commands[] = {ctl::command::kResetTable1, ctl::command::kResetTable2};
    for (int table = 0; table < 2; ++table) {
        b.group(338, " " + std::to_string(table + 1));
        b.add(flowField(id(refIds[table]), 450, "%0.f", 0, 32000, "0", refOffsets[table], block));
        for (int i = 0; i < PipeFields::kCoefficients; ++i)
            b.number(id(firstCoefficients[table] + i), PipeFields::kCoefficientCaptions[i], "%0.3f",
                     0, 9.999, "1.000", refOffsets[table] + 2 + 2 * i, block);
        b.command(ctl::command::forPipe(p, commands[table]), paramtext::kReset);
    }
    b.group(445);  // "Hydrolic profile"
    const int curve = ParameterBlocks::profile(p);
    for (int i = 0; i < PipeFields::kProfilePoints; ++i) {
        b.number(id(kProfileAbscissa + i), PipeFields::kProfileCaptions[i], "%0.f", 0, 100,
                 std::to_string(PipeFields::profileAbscissa(i)),
                 PipeFields::kProfileAbscissas + 2 * i, curve, kPercent);
        b.number(id(kProfileCoefficient + i), 0, "%0.3f", 0, 9.999,
                 fixed3(PipeFields::kDefaultProfile[std::size_t(i)]),
                 PipeFields::kProfileCoefficients + 2 * i, curve);
    }
    b.command(ctl::command::forPipe(p, ctl::command::kResetProfile), paramtext::kReset);
    b.command(ctl::command::forPipe(p, ctl::command::kDefaultProfile), paramtext::kDefaults);
}

void advancedFields(FieldBuilder& b, int p, int block) {
    auto id = [p](int field) { return ctl::pipeField(p, field); };
    b.home(TabKind::Advanced);
    b.onlyWhen(p == 0 || b.options().pipes >= 2);
    b.group(paramtext::kTabPipe, p == 0 ? " A" : " B");
    b.hiddenOnGeneralAtNormal(true);
    b.list(id(kKhType), 530, textid::kListAutomaticManual, 0, 26, block);
    b.number(id(kViscosity), 567, "%0.1f", 0.1, 999.9, "1.0", 28, block, 355);
    b.number(id(kRoughness), 466, "%0.2f", 0.01, 20, "0.10", 30, block, kMm);
    b.number(id(kKh), 307, "%0.3f", 0.001, 9.999, "1", 32, block);
    b.number(id(kCriticalReynolds), 465, "%0.f", 400, 9999, "2800", 34, block);
    b.number(id(kLbr), 334, "%0.3f", 1, 9.999, "3", 36, block);
    b.hiddenOnGeneralAtNormal(false);
    b.number(id(kFilterDeltaV), 182, "%0.3f", 0, 9.999, "5", 102, block, kMetresPerSecond);
    b.number(id(kMemory), 359, "%0.f", 0, 3600, "10", 104, block, kSeconds);
    b.list(id(kFunction), 239, textid::kListPipeFunction, 0, 118, block);
    // Negative simulated flows read back only from a signed register.
    b.add(flowField(id(kSimulationFlow), 453, "%0.2f", -320, 320, "10", 120, block, 0x200));
    b.number(id(kJitter), 418, "%0.f", 0, 100, "10", 122, block, kPercent);
}

void probeSets(FieldBuilder& b) {
    b.home(TabKind::Pipe, 0);
    const int block = ParameterBlocks::kProbeSets;
    for (int set = 0; set < 2; ++set) {
        int base = 14 * set;
        b.group(set == 0 ? 489 : 490);  // "SA Probe", "SB Probe"
        b.number(ctl::probeSet(set, ctl::kProbeT0), 493, "%0.1f", 0, 99.9, "0.0", 16 + base, block,
                 537);
        b.number(ctl::probeSet(set, ctl::kProbeAngle), 491, "%0.2f", 0, 90, "0.00", 18 + base,
                 block);
        // Stored as an index of the whole frequency list, offered from "3 MHz" on.
        b.list(ctl::probeSet(set, ctl::kProbeFrequency), 492, textid::kListProbeFrequency, 4,
               20 + base, block, 2, 0);
        b.text(ctl::probeSet(set, ctl::kProbeName), 483, 6, "----", 22 + base, block,
               VariableDescriptor::kEdit);
    }
}

}  // namespace

void PipeFields::Register(FieldBuilder& b, int p) {
    const int block = ParameterBlocks::pipe(p);
    pipeTab(b, p, block);
    if (p == 0) probeSets(b);
    linearizationTab(b, p, block);
    advancedFields(b, p, block);
}

}  // namespace flowcfg
