#include "params/FunctionFields.h"

#include <cstdio>

#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

std::string twoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, " %02d", n);
    return text;
}

}  // namespace

void FunctionFields::Register(FieldBuilder& b) {
    using namespace ctl;
    using namespace ctl::function;
    b.home(TabKind::Function);
    const int calculation = ParameterBlocks::kFunctions;
    b.group(141);  // "Constant value"
    b.display(kFunctionMain, 0, "%8h", 0, calculation, 0x4000);
    for (int k = 0; k < kRows; ++k) {
        b.group(408, twoDigits(k + 1));  // "N°"
        b.list(functionRow(k, kSource), 562, textid::kListMeasuredQuantity, 0, 4 + 6 * k,
               calculation);
        b.list(functionRow(k, kSource2), 561, textid::kListMeasuredQuantity, 0, 6 + 6 * k,
               calculation);
        b.list(functionRow(k, kUnit), 533, textid::kListUnits, 0, 8 + 6 * k, calculation);
    }
    const int outputs = ParameterBlocks::kFunctionOutputs;
    for (int k = 0; k < kOutputs; ++k) {
        b.group(486, twoDigits(k + 1));  // "Output"
        b.display(functionOutput(k, kOutputSource), 562, "%l", 8 * k, outputs, 0x3000,
                  textid::kListMeasuredQuantity);
        b.display(functionOutput(k, kOutputFunction), 239, "%l", 4 + 8 * k, outputs, 0x3000,
                  textid::kListFunctionNumber);
        b.display(functionOutput(k, kOutputUnit), 533, "%l", 6 + 8 * k, outputs, 0x3000,
                  textid::kListUnits);
    }
    const int parameters = ParameterBlocks::kFunctionParameters;
    for (int j = 0; j < kFunctions; ++j) {
        b.group(239, twoDigits(j + 1));  // "Function"
        const int fields[] = {kA, kB, kC};
        const int captions[] = {13, 28, 34};  // "a", "b", "c"
        for (int i = 0; i < 3; ++i)
            b.number(functionParameter(j, fields[i]), captions[i], "%0.4f", -999999, 999999,
                     "0.0000", 12 * j + 4 * i, parameters, 0, 0x400);
    }
}

}  // namespace flowcfg
