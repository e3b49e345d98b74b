#pragma once

#include <string>
#include <vector>

namespace flowcfg {

// The kinds of tab pages of the parameter dialog, in the order the dialog shows them.
enum class TabKind {
    General,
    Pipe,           // per pipe
    Chords,         // "Definition of cords", per pipe
    Linearization,  // per pipe
    Logger,
    Totalizers,
    InputOutput,
    Function,
    Advanced,
};

// Fields shown together under a title (a chord, a totalizer, an input-output slot ...).
struct ParameterGroup {
    int titleText = 0;        // text id of the title; 0 = fields without a title
    std::string titleSuffix;  // appended to the title: " 1", " 01" ...
    std::vector<int> fields;  // control ids of the fields, in order
};

// A command button of a tab (the coefficient commands): the dialog calls
// ParameterPage::RunCommand with its id.
struct ParameterCommand {
    int id = 0;
    int text = 0;    // text id of the button
    int group = -1;  // the group it stands beside, -1 at the end of the tab
};

// One tab page of the parameter dialog with the fields whose home it is. A tab the layout does
// not show still lists its fields: their values are read, saved and written like any other, they
// only have no window.
struct ParameterTab {
    TabKind kind = TabKind::General;
    int pipe = -1;              // 0 pipe A, 1 pipe B, -1 not a pipe's tab
    int captionText = 0;        // text id of the tab's title
    std::string captionSuffix;  // " A", " B" for the tabs of a pipe when that needs saying
    bool shown = false;
    int index = -1;  // position among the shown tabs (the tab index of the fields' controls)
    std::vector<ParameterGroup> groups;
    std::vector<ParameterCommand> commands;
};

}  // namespace flowcfg
