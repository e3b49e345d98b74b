#pragma once

#include <optional>

#include "shell/MenuModel.h"
#include "texts/LanguageTable.h"

namespace flowcfg {

// Builds a menu bar from text ids: entries go into a pending drop-down menu (and a pending
// submenu) until addMenu attaches the drop-down to the bar under its title.
class MenuBuilder {
public:
    // A language the text table does not have is refused: French is used.
    explicit MenuBuilder(int language = 1);

    int language() const { return language_; }

    // Adds an entry to the pending drop-down. When a submenu is pending, it is attached here
    // under this text instead and the command is ignored. MenuCommand::None adds nothing.
    void addItem(int textId, MenuCommand command, bool greyed = false);
    void addSeparator();
    // Entries of the pending submenu.
    void addSubItem(int textId, MenuCommand command, bool greyed = false);
    void addSubSeparator();
    // Attaches the pending drop-down to the bar under this title.
    void addMenu(int textId);

    // The bar as built; the builder starts again empty.
    MenuBar finish();

private:
    std::string text(int textId);

    LanguageTable texts_;
    int language_ = 1;
    MenuBar bar_;
    Menu pending_;
    std::optional<MenuEntry> pendingSubmenu_;
};

}  // namespace flowcfg
