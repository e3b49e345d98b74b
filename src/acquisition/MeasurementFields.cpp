#include "acquisition/MeasurementFields.h"

#include <array>

#include "acquisition/MeasurementBlocks.h"
#include "acquisition/MeasurementControls.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

using B = MeasurementBlocks;
using VD = VariableDescriptor;

constexpr int kWindowless = VD::kWindowless | VD::kNeverPrinted;
constexpr int kFloat = 0x400, kText = 0x500, kU16 = 0x3000, kU32 = 0x4000, kS32 = 0x8000,
              kDate = 0x7000, kByte = 0xA000;
// Unit texts.
constexpr int kMetresPerSecond = 382;

// One field as the page registers it.
struct Field {
    int tab = -1;
    int id = 0;
    int caption = 0;
    int kind = VD::kDisplay;
    int list = 0;
    int unit = 0;
    double high = 0;
    const char* format = "%0.f";
    int encoding = 0;
    int offset = -1;
    int block = -1;
    int flags = 0;
    const char* initial = "";
};

void add(VariableTable& table, const Field& f) {
    VD d;
    d.tab = f.tab;
    d.controlId = f.id;
    d.flags = f.flags;
    d.captionText = f.caption;
    d.kind = f.kind;
    d.listText = f.list;
    d.initialValue = f.initial;
    d.unitText = f.unit;
    d.high = f.high;
    d.format = std::string(f.format);
    d.encoding = f.encoding;
    d.offset = f.offset;
    d.block = f.block;
    table.Register(d);
}

// A variable without window the views read.
void hidden(VariableTable& table, int id, const char* format, int encoding, int offset, int block) {
    add(table, {.id = id,
                .format = format,
                .encoding = encoding,
                .offset = offset,
                .block = block,
                .flags = kWindowless,
                .initial = "0"});
}

// A windowless text without control kind: never decoded, it only makes the block `registers`
// long (the block size rule counts its length).
void sizeBlock(VariableTable& table, int block, int registers) {
    VD d;
    d.flags = kWindowless;
    d.high = 2 * registers;
    d.format = "%s";
    d.encoding = kText;
    d.offset = 0;
    d.block = block;
    table.Register(d);
}

void generalView(VariableTable& table) {
    using namespace mctl;
    const int t = kTabGeneral;
    add(table, {.tab = t,
                .id = kDateTime,
                .caption = 162,
                .format = "%s",
                .encoding = kDate,
                .offset = B::kDate,
                .block = B::kPathA});
    struct Flow {
        int id, caption, offset, block;
    };
    for (Flow f : {Flow{kTotalFlow, textid::kTextTotalFlow, B::kTotalFlow, B::kPathA},
                   Flow{kFlowA, 447, B::kFlow, B::kPathA}, Flow{kFlowB, 448, B::kFlow, B::kPathB}})
        add(table, {.tab = t,
                    .id = f.id,
                    .caption = f.caption,
                    .unit = textid::kListFlowUnits,
                    .format = "auto4",
                    .encoding = kFloat,
                    .offset = f.offset,
                    .block = f.block,
                    .initial = "0"});
    add(table, {.tab = t,
                .id = kVelocityA,
                .caption = 569,
                .unit = kMetresPerSecond,
                .format = "%0.3f",
                .encoding = kFloat,
                .offset = B::kVelocity,
                .block = B::kPathA,
                .initial = "0"});
    add(table, {.tab = t,
                .id = kVelocityB,
                .caption = 570,
                .unit = kMetresPerSecond,
                .format = "%0.3f",
                .encoding = kFloat,
                .offset = B::kVelocity,
                .block = B::kPathB,
                .initial = "0"});
    for (int i = 0; i < 4; ++i)
        add(table, {.tab = t,
                    .id = kTotalizer + 3 * i,
                    .caption = 519,
                    .unit = textid::kListTotalizerUnits,
                    .format = "%09.f",
                    .encoding = kS32,
                    .offset = B::kTotalizerValues + 4 * i,
                    .block = B::kPathA,
                    .initial = "0"});
    add(table, {.tab = t,
                .id = kSoftware,
                .caption = 564,
                .high = 2 * B::kVersionRegisters,
                .format = "%s",
                .encoding = kText,
                .offset = 0,
                .block = B::kVersionText});
    add(table, {.tab = t,
                .id = kBoard,
                .caption = 38,
                .list = textid::kListHardware,
                .format = "%l",
                .encoding = kU16,
                .offset = 16,
                .block = B::kIdentity,
                .initial = "0"});
    add(table, {.tab = t,
                .id = kInstrumentType,
                .caption = 528,
                .list = textid::kListInstrumentType,
                .format = "%l",
                .encoding = kU16,
                .offset = 20,
                .block = B::kIdentity,
                .initial = "0"});
    add(table, {.tab = t, .id = kSerial, .caption = 406, .format = "%s"});
    add(table, {.tab = t, .id = kBoardSerial, .caption = 407, .format = "%s"});
    for (int i = 0; i < 4; ++i)
        add(table, {.tab = t,
                    .id = kModule + 3 * i,
                    .caption = 201,
                    .format = "%0.f",
                    .encoding = kU16,
                    .offset = 2 * i,
                    .block = B::kModuleList,
                    .initial = "0"});
    // The indicator word is big-endian: its bits 0 ... 7 are in its second byte.
    const int indicatorCaptions[kIndicatorCount] = {237, 195, 32, 511, 201, 239};
    for (int b = 0; b < kIndicatorCount; ++b)
        add(table, {.tab = t,
                    .id = kIndicator + 3 * b,
                    .caption = indicatorCaptions[b],
                    .format = "%0.f",
                    .encoding = 0x800 + 0x100 * b,
                    .offset = B::kIndicators + 1,
                    .block = B::kPathA,
                    .initial = "0"});
    add(table, {.tab = t,
                .id = kStatusWord,
                .caption = 50,
                .format = "%8h",
                .encoding = kU32,
                .offset = B::kStatusWord,
                .block = B::kPathA,
                .initial = "0x00000000"});
}

void pipeView(VariableTable& table, int p) {
    using namespace mctl;
    const int t = p == 0 ? kTabPipeA : kTabPipeB;
    const int values = B::chordValues(p), signals = B::chordSignals(p), path = B::path(p);
    for (int c = 0; c < B::kChords; ++c) {
        struct Value {
            int field;
            const char* format;
            int encoding, offset, block;
        };
        const int v = B::kChordEntry * c, s = B::kSignalEntry * c;
        for (Value value :
             {Value{chord::kDistance, "%0.1f", 0, -1, -1},
              Value{chord::kTransitTime, "%0.2f", kFloat, v + B::kTransitTime, values},
              Value{chord::kDeltaT, "%0.2f", kFloat, v + B::kDeltaT, values},
              Value{chord::kVelocity, "%0.3f", kFloat, v + B::kChordVelocity, values},
              Value{chord::kSoundVelocity, "%0.1f", kFloat, v + B::kChordSoundVelocity, values},
              Value{chord::kGainUp, "%0.1f", kU16, s + B::kGainUp, signals},
              Value{chord::kGainDown, "%0.1f", kU16, s + B::kGainDown, signals},
              Value{chord::kQuality, "%0.f", kU16, s + B::kQuality, signals}})
            add(table, {.tab = t,
                        .id = chordField(p, c, value.field),
                        .format = value.format,
                        .encoding = value.encoding,
                        .offset = value.offset,
                        .block = value.block,
                        .initial = "0"});
    }
    add(table, {.tab = t,
                .id = pathField(p, kPathFlow),
                .caption = 446,
                .unit = textid::kListFlowUnits,
                .format = "auto4",
                .encoding = kFloat,
                .offset = B::kFlow,
                .block = path,
                .initial = "0"});
    add(table, {.tab = t,
                .id = pathField(p, kPathVelocity),
                .caption = 568,
                .unit = kMetresPerSecond,
                .format = "%0.3f",
                .encoding = kFloat,
                .offset = B::kVelocity,
                .block = path,
                .initial = "0"});
    add(table, {.tab = t,
                .id = pathField(p, kPathK),
                .caption = 307,
                .format = "%0.3f",
                .encoding = kFloat,
                .offset = B::kKCoefficient,
                .block = path,
                .initial = "0"});
    add(table, {.tab = t,
                .id = pathField(p, kPathKMode),
                .caption = 530,
                .list = textid::kListAutomaticManual,
                .format = "%l",
                .encoding = kU16,
                .offset = B::kKMode,
                .block = path,
                .initial = "0"});
    add(table, {.tab = t,
                .id = pathField(p, kPathChords),
                .caption = 394,
                .format = "%0.f",
                .encoding = kU16,
                .offset = B::kPipeChords,
                .block = B::pipe(p),
                .initial = "0"});
    add(table, {.tab = t, .id = pathField(p, kPathProbe), .caption = 483, .format = "%s"});
    for (int i = 0; i < B::kProfilePoints; ++i)
        add(table, {.tab = t,
                    .id = pathField(p, kPathProfile + 3 * i),
                    .caption = MeasurementFields::profileCaption(i),
                    .unit = kMetresPerSecond,
                    .format = "%0.3f",
                    .encoding = kFloat,
                    .offset = B::kProfile + 4 * i,
                    .block = signals,
                    .initial = "0"});
    hidden(table, pipeProbeType(p), "%0.f", kU16, B::kPipeProbeType, B::pipe(p));
}

void inputOutputView(VariableTable& table) {
    using namespace mctl;
    for (int k = 0; k < B::kInputsOutputsShown; ++k) {
        add(table,
            {.tab = kTabInputOutput, .id = inputOutputField(k), .format = "%s", .initial = "---"});
        hidden(table, inputOutputValue(k), "%0.3f", kFloat, B::kEntry * k + B::kEntryValue,
               B::kInputsOutputs);
        hidden(table, inputOutputNotUsed(k), "%0.f", kU16, B::kEntry * k + B::kEntryNotUsed,
               B::kInputsOutputs);
    }
}

void functionView(VariableTable& table) {
    using namespace mctl;
    for (int k = 0; k < B::kOutputs; ++k) {
        add(table, {.tab = kTabFunction, .id = functionField(k), .format = "%s", .initial = "---"});
        hidden(table, functionValue(k), "auto4", kFloat, B::kEntry * k + B::kEntryValue,
               B::kOutputValues);
        hidden(table, functionDefault(k), "%0.f", 0xF00, B::kEntry * k + B::kEntryFlags,
               B::kOutputValues);
        hidden(table, functionUnit(k), "%0.f", kU16, B::kEntry * k + B::kOutputUnit,
               B::kFunctionOutputs);
    }
}

void parameterValues(VariableTable& table) {
    using namespace mctl;
    hidden(table, kPipes, "%0.f", kU16, B::kGeneralPipes, B::kGeneral);
    hidden(table, kGeneralFlowUnit, "%0.f", kU16, B::kGeneralFlowUnit, B::kGeneral);
    hidden(table, kPathFlowUnit, "%0.f", kU16, B::kFlowUnit, B::kPathA);
    hidden(table, kPathCount, "%0.f", kU16, B::kPathCount, B::kPathA);
    for (int t = 0; t < 4; ++t) {
        hidden(table, totalizerSource(t), "%0.f", kU16, 6 * t, B::kTotalizers);
        hidden(table, totalizerWeight(t), "%0.f", kU16, 6 * t + 2, B::kTotalizers);
        hidden(table, totalizerUnit(t), "%0.f", kU16, 6 * t + 4, B::kTotalizers);
    }
    for (int k = 0; k < B::kOutputs; ++k) {
        hidden(table, functionQuantity(k), "%0.f", kU16, B::kEntry * k, B::kFunctionOutputs);
        hidden(table, functionNumber(k), "%0.f", kU16, B::kEntry * k + 4, B::kFunctionOutputs);
    }
    for (int k = 0; k < B::kModules; ++k)
        hidden(table, moduleWord(k), "%0.f", kU16, 2 * k, B::kModuleList);
    struct Part {
        const char* format;
        int encoding, offset;
    };
    const Part parts[] = {{"%02.f", kU16, 0}, {"%02.f", kU16, 2},  {"%05.f", kU32, 4},
                          {"%02.f", kU16, 8}, {"%02.f", kU16, 10}, {"%05.f", kU32, 12}};
    for (int i = 0; i < 6; ++i)
        hidden(table, kIdentitySerial + i, parts[i].format, parts[i].encoding, parts[i].offset,
               B::kIdentity);
    for (int set = 0; set < 2; ++set) {
        const int base = 14 * set;
        hidden(table, probeT0(set), "%0.1f", kU16, 16 + base, B::kProbeSets);
        hidden(table, probeAngle(set), "%0.2f", kU16, 18 + base, B::kProbeSets);
        VD name;
        name.controlId = probeName(set);
        name.flags = kWindowless;
        name.kind = VD::kDisplay;
        name.high = 6;
        name.format = "%s";
        name.encoding = kText;
        name.offset = 22 + base;
        name.block = B::kProbeSets;
        table.Register(name);
    }
}

void blockLengths(VariableTable& table) {
    sizeBlock(table, B::kGeneral, B::kGeneralRegisters);
    sizeBlock(table, B::kPipeA, B::kPipeRegisters);
    sizeBlock(table, B::kPipeB, B::kPipeRegisters);
    sizeBlock(table, B::kIdentity, B::kIdentityRegisters);
    sizeBlock(table, B::kInputsOutputs, B::kInputOutputRegisters);
    sizeBlock(table, B::kOutputValues, B::kOutputValueRegisters);
    sizeBlock(table, B::kPathA, B::kPathRegisters);
    sizeBlock(table, B::kPathB, B::kPathRegisters);
    // Blocks kept as they come: recorded with the samples, shown nowhere.
    for (int k = 0; k < B::kModules; ++k)
        table.DeclareRawBlock(B::module(k), B::kModuleRegisters);
    table.DeclareRawBlock(B::kLogger, B::kLoggerRegisters);
    table.DeclareRawBlock(B::kFunctionDefinitions, B::kFunctionDefinitionRegisters);
    table.DeclareRawBlock(B::kFunctions, B::kFunctionRegisters);
    table.DeclareRawBlock(B::kFunctionValues, B::kFunctionValueRegisters);
    table.DeclareRawBlock(B::kSummary, B::kSummaryRegisters);
}

}  // namespace

int MeasurementFields::profileCaption(int point) {
    // "V1" is text 539, "V10" ... "V16" 540 ... 546, "V2" ... "V9" 547 ... 554.
    if (point == 0) return 539;
    if (point >= 9) return 540 + (point - 9);
    return 547 + (point - 1);
}

void MeasurementFields::Register(VariableTable& table) {
    generalView(table);
    pipeView(table, 0);
    pipeView(table, 1);
    inputOutputView(table);
    functionView(table);
    parameterValues(table);
    blockLengths(table);
}

}  // namespace flowcfg
