#pragma once

#include <functional>

#include "shell/MenuModel.h"

namespace flowcfg {

// What the main window's menu depends on besides the language.
struct MainMenuState {
    bool useModem = false;        // adds the modem menu
    bool modemConnected = false;  // which modem entry; greys the configuration entries
    // True for the commands the window can carry out now; the others are shown greyed.
    std::function<bool(MenuCommand)> available;
};

// The main window's menu bar: "&Fichier", "&Dialogue", the modem menu when the link uses a
// modem, "&Configuration" and "&A propos...".
MenuBar buildMainMenu(int language, const MainMenuState& state);

}  // namespace flowcfg
