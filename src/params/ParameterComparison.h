#pragma once

#include <memory>
#include <string>
#include <vector>

#include "params/ParameterPage.h"
#include "params/ParameterRows.h"
#include "shell/Prompts.h"

namespace flowcfg {

// One field whose value is not the same in two parameter sets.
struct ParameterDifference {
    int controlId = 0;
    std::string tab;         // the tab's title in the first set (the second's for its own fields)
    std::string caption;     // as ParameterRows gives it
    std::string value;       // in the first set, with its unit; empty when it has no such field
    std::string otherValue;  // in the second set, likewise
};

// Two parameter sets side by side, without any window: settings files opened into pages of
// their own, and the fields whose values differ between two pages. The parameter dialog's
// "Compare" command and the command-line tool's "params show" and "params diff" stand on it.
class ParameterComparison {
public:
    // A page on the settings file `path`, laid out as the file's header says and loaded; null
    // when the file cannot be read, after telling the person why: "Couldn't open source file : "
    // with the path, or "Incorrect File". The page talks to the instrument only when asked to
    // (the command-line tool's "params write").
    static std::unique_ptr<ParameterPage> OpenSettingsFile(const std::string& path,
                                                           PageContext context);
    // The same for a set that is only looked at: no instrument, no progress bar.
    static std::unique_ptr<ParameterPage> OpenSettingsFile(const std::string& path,
                                                           Prompts& prompts, int language);

    // The fields whose value or unit differs, matched by control id, in the dialog's tab order
    // (that of `set`). A field that only one of the sets has is a difference too, with an empty
    // value on the other side, listed where it stands among the other set's fields.
    static std::vector<ParameterDifference> Compare(ParameterPage& set, ParameterPage& other);
    static std::vector<ParameterDifference> Compare(const std::vector<ParameterRow>& set,
                                                    const std::vector<ParameterRow>& other);

    // "value unit", or the value alone when the field has no unit.
    static std::string ValueWithUnit(const ParameterRow& row);
};

}  // namespace flowcfg
