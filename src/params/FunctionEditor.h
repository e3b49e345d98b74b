#pragma once

#include <string>
#include <vector>

#include "params/FunctionDefinitions.h"
#include "params/VariableTable.h"

namespace flowcfg {

// The editor of one function's parameters, without its window: one field per parameter of the
// function's type (FunctionDefinitions), filled from the function's stored parameters, and the
// parameters and summary text made from the fields. Sources and units are lists; periods, time
// constants and reals edit boxes with their limits. The desktop tool shows it as a modal
// dialog per type; tests and the command-line tool fill its fields directly.
class FunctionEditor {
public:
    static constexpr int kFirstField = 3000;  // parameter i at 3000 + 3 i

    // `function`: 0 ... 19.
    FunctionEditor(int function, int type, const std::vector<std::uint8_t>& parameters,
                   int language);

    // Registers and builds the fields (controls from `factory` when there is a window). 0 or -1.
    int Build(FieldControlFactory* factory = nullptr);

    int type() const { return type_; }
    int function() const { return function_; }
    VariableTable& table() { return table_; }
    // The field of parameter i; nullptr past the type's parameters.
    BoundField* field(int i);
    // "Function N°k: <type>".
    std::string Title();

    // The parameters as stored, from the fields.
    std::vector<std::uint8_t> Parameters();
    std::string Summary() { return Summary(type_, Parameters(), table_.language()); }

    // The text that sums a function up in its row, for example "y = 2.5 x QA + 0.1"; empty for
    // "Off" and "Not Used".
    static std::string Summary(int type, const std::vector<std::uint8_t>& parameters, int language);

private:
    int function_;
    int type_;
    std::vector<std::uint8_t> parameters_;
    VariableTable table_;
};

}  // namespace flowcfg
