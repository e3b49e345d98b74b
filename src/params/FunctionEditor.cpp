#include "params/FunctionEditor.h"

#include <cstdio>

#include "texts/LanguageTable.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

using D = FunctionDefinitions;

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

}  // namespace

FunctionEditor::FunctionEditor(int function, int type, const std::vector<std::uint8_t>& parameters,
                               int language)
    : function_(function), type_(type), parameters_(parameters), table_(language) {}

int FunctionEditor::Build(FieldControlFactory* factory) {
    const std::vector<double> values = D::Values({type_, parameters_});
    const auto& parameters = D::ParametersOf(type_);
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        VariableDescriptor d;
        d.controlId = kFirstField + 3 * int(i);
        d.captionText = parameters[i].captionText;
        d.initialValue = number(values[i]);
        switch (parameters[i].kind) {
            case D::Kind::Source:
            case D::Kind::Unit:
                d.kind = VariableDescriptor::kList;
                d.listText = parameters[i].kind == D::Kind::Source ? textid::kListMeasuredQuantity
                                                                   : textid::kListUnits;
                d.format = "%l";
                break;
            case D::Kind::Seconds:
                d.kind = VariableDescriptor::kEdit;
                d.high = 65535;
                d.format = "%0.f";
                break;
            case D::Kind::Tenths:
                d.kind = VariableDescriptor::kEdit;
                d.high = 6553.5;
                d.format = "%0.1f";
                break;
            case D::Kind::Real:
                d.kind = VariableDescriptor::kEdit;
                d.low = -1e9;
                d.high = 1e9;
                d.format = "%0.4f";
                break;
        }
        table_.Register(d);
    }
    if (table_.Build(factory) != 0) return -1;
    for (std::size_t i = 0; i < parameters.size(); ++i)
        table_.fields()[i].setValue(values[i]);
    return 0;
}

BoundField* FunctionEditor::field(int i) {
    return table_.FindField(kFirstField + 3 * i);
}

std::string FunctionEditor::Title() {
    LanguageTable texts;
    char number[16];
    std::snprintf(number, sizeof number, " N°%0i", function_ + 1);
    return texts.text(239, table_.language()) + number + ": " +
           texts.item(textid::kListFunctionType, type_, table_.language());
}

std::vector<std::uint8_t> FunctionEditor::Parameters() {
    std::vector<double> values;
    for (std::size_t i = 0; i < D::ParametersOf(type_).size(); ++i)
        values.push_back(table_.fields()[i].value());
    return D::Store(type_, values);
}

std::string FunctionEditor::Summary(int type, const std::vector<std::uint8_t>& parameters,
                                    int language) {
    LanguageTable texts;
    const std::vector<double> v = D::Values({type, parameters});
    auto source = [&](std::size_t i) {
        return texts.item(textid::kListMeasuredQuantity, int(v[i]), language);
    };
    const std::string name = texts.item(textid::kListFunctionType, type, language);
    switch (type) {
        case 1:  // Min
        case 2:  // Max
        case 3:  // Average
        case 5:  // Derivative
        case 4:  // Filter
            return name + "(" + source(0) + ", " + number(v[1]) + " s)";
        case 6:  // Sinus
            return "y = " + number(v[0]) + " sin(2 pi t / " + number(v[2]) + " s) + " +
                   number(v[1]);
        case 7:  // Threshold
            return "y = 1 if " + source(0) + " >= " + number(v[2]) + ", 0 if " + source(0) +
                   " <= " + number(v[1]);
        case 8:
            return "y = " + number(v[1]) + " x " + source(0) + " + " + number(v[2]);
        case 9:
            return "y = (" + source(0) + " - " + number(v[2]) + ") / " + number(v[1]);
        case 10:  // Blanking
            return "y = " + source(0) + ", 0 from " + number(v[1]) + " to " + number(v[2]);
        case 11:  // Delay
            return "y = " + source(0) + " (t - " + number(v[1]) + " s)";
        case 13:
        case 14: {
            const char* op = type == 13 ? " + " : " * ";
            return "y = " + source(0) + op + source(1) + op + source(2) + op + source(3);
        }
        case 15:
            return "y = " + number(v[1]) + " x " + source(0) + "^5 + " + number(v[2]) + " x " +
                   source(0) + "^4 + " + number(v[3]) + " x " + source(0) + "^3";
        case 16:
            return "y = " + number(v[1]) + " x " + source(0) + "^2 + " + number(v[2]) + " x " +
                   source(0) + " + " + number(v[3]);
        case 17:
            return "y = " + source(0) + " * " + source(1) + " + " + source(1) + " * " + source(1);
        case 18:  // Totalizer
            return "y = sum " + source(0) + " x " + number(v[1]) + " " +
                   texts.item(textid::kListUnits, int(v[2]), language);
        default:
            return {};
    }
}

}  // namespace flowcfg
