#pragma once

#include <functional>
#include <map>

#include "shell/MenuModel.h"

class QAction;
class QMenu;
class QMenuBar;

namespace flowcfg {

// Shows a menu bar model in a QMenuBar: one QMenu per menu, one action per entry, greyed
// entries disabled. Choosing an entry calls `trigger` with its command.
class MenuBarView {
public:
    using Trigger = std::function<void(MenuCommand)>;

    // Empties `bar` and fills it from `model`; returns the action of each command.
    static std::map<MenuCommand, QAction*> fill(QMenuBar& bar, const MenuBar& model,
                                                const Trigger& trigger);

private:
    static void addEntries(QMenu& menu, const std::vector<MenuEntry>& entries,
                           const Trigger& trigger, std::map<MenuCommand, QAction*>& actions);
};

}  // namespace flowcfg
