#pragma once

#include <string>

#include "params/ParameterLayout.h"
#include "params/VariableTable.h"

namespace flowcfg {

// One field of the parameter set as its registration describes it; where its controls go and
// its presentation flags follow from its home tab (FieldBuilder).
struct FieldSpec {
    int id = 0;
    int caption = 0;
    int kind = 0;
    int list = 0;
    std::string initial = "0";
    int unit = 0;
    int unitEntry = 0;
    double low = 0;
    double high = 0;
    std::string format = "%0.f";
    int encoding = 0x3000;
    int offset = -1;
    int block = -1;
    int flags = 0;
};

// Registers the fields of the parameter set in the dialog's table on their home tabs and in
// the tabs' groups, placing each field as the layout says: on its tab when the tab is shown,
// otherwise without window (flags 6, 7 for the totalizers), on "General" without window for
// the linearization fields, hidden on "General" at level "Normal" for the advanced fields
// marked so. A field registered with the windowless flag never gets a window.
class FieldBuilder {
public:
    FieldBuilder(VariableTable& table, ParameterLayout& layout);

    // The fields that follow belong to this tab, without a group title.
    void home(TabKind kind, int pipe = -1);
    // At level "Normal", the "Advanced" fields that follow lie hidden on "General".
    void hiddenOnGeneralAtNormal(bool hidden) { hiddenAtNormal_ = hidden; }
    // The fields that follow get windows only when `condition` holds (the fields of pipe B on a
    // tab that both pipes share, the fields of an empty module slot).
    void onlyWhen(bool condition) { condition_ = condition; }
    // The fields that follow form a group with this title.
    void group(int titleText, const std::string& suffix = {});
    // A command button of the current tab, beside the current group.
    void command(int id, int text);

    void add(const FieldSpec& field);
    // A field of no tab and no group (the markers that size the chord blocks).
    void addUnlisted(const FieldSpec& field);

    // Common forms.
    void list(int id, int caption, int list, int initial, int offset, int block, double first = 0,
              double count = 0);
    void number(int id, int caption, const std::string& format, double low, double high,
                const std::string& initial, int offset, int block, int unit = 0,
                int encoding = 0x3000);
    void display(int id, int caption, const std::string& format, int offset, int block,
                 int encoding = 0x3000, int list = 0, int unit = 0);
    void text(int id, int caption, int length, const std::string& initial, int offset, int block,
              int kind);

    const LayoutOptions& options() const { return layout_.options(); }
    VariableTable& table() { return table_; }

private:
    VariableTable& table_;
    ParameterLayout& layout_;
    TabKind kind_ = TabKind::General;
    int pipe_ = -1;
    int group_ = -1;  // index of the current group in the home tab
    bool hiddenAtNormal_ = false;
    bool condition_ = true;
};

}  // namespace flowcfg
