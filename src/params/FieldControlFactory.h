#pragma once

#include <memory>
#include <string>

#include "params/FieldControl.h"

namespace flowcfg {

// What the variable table asks a page for when it builds the controls of a field.
struct FieldControlSpec {
    enum class Role { Caption, Value, Unit };

    Role role = Role::Value;
    // The dialog item where the control goes: with a caption, the caption sits at the field's
    // control id, the value at id + 1 and the unit at id + 2; without a caption the value sits
    // at the id and the unit at id + 1.
    int controlId = 0;
    // Tab page of the page's tab control holding the control; -1 for the page itself.
    int tab = -1;
    // The field's control kind (Value role: 0x1 list, 0x2 edit, 0x4 spin, 0x8 display only,
    // 0x800 gauge, with the layout bits above); 0 for the labels.
    int kind = 0;
    // The field's control id: the id the control reports the user's actions with.
    int fieldId = 0;
};

// Supplied by a page that has a window to VariableTable::Build, which calls it for every control
// of every field, in registration order. The table owns the controls it receives and destroys
// them with its fields, before the page's window goes.
class FieldControlFactory {
public:
    virtual ~FieldControlFactory() = default;

    // A new control; nullptr when it cannot be created (Build then stops with -1).
    virtual std::unique_ptr<FieldControl> createControl(const FieldControlSpec& request) = 0;
    // The title of tab page `tab`, set by SetLanguage and by Build for the tabs the table was
    // given titles for.
    virtual void setTabTitle(int tab, const std::string& title);
};

}  // namespace flowcfg
