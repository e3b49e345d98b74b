#pragma once

#include <string>
#include <vector>

#include "shell/MenuCommand.h"

namespace flowcfg {

// A menu bar as data: built by MenuBuilder from the text table, shown by the desktop tool and
// compared by the tests.
struct MenuEntry {
    enum class Kind { Item, Separator, Submenu };

    Kind kind = Kind::Item;
    std::string text;  // with its accelerator marker ("&Ouvrir")
    MenuCommand command = MenuCommand::None;
    bool greyed = false;
    std::vector<MenuEntry> children;  // the entries of a submenu

    bool operator==(const MenuEntry&) const = default;
};

struct Menu {
    std::string text;
    std::vector<MenuEntry> entries;

    bool operator==(const Menu&) const = default;
};

struct MenuBar {
    std::vector<Menu> menus;

    bool operator==(const MenuBar&) const = default;
};

}  // namespace flowcfg
