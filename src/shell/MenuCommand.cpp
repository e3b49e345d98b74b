#include "shell/MenuCommand.h"

#include <array>

namespace flowcfg {
namespace {

constexpr std::array<std::string_view, kMenuCommandCount> kNames{{
    "",
    "WM_USER_MENU_OUVRIR",
    "WM_USER_MENU_NEW_ETALONNAGE",
    "WM_USER_MENU_NEW_FONCTION",
    "WM_USER_MENU_NEW_REGSPE",
    "WM_USER_MENU_NEW_SONDESPE",
    "WM_USER_MENU_QUITTER",
    "WM_USER_MENU_DIAL_MESURE",
    "WM_USER_MENU_DIAL_ETALONNAGE",
    "WM_USER_MENU_DIAL_FONCTION",
    "WM_USER_MENU_DIAL_LOGGER",
    "WM_USER_MENU_DIAL_REGUS",
    "WM_USER_MENU_DIAL_BQ2014",
    "WM_USER_MENU_DIAL_REGSPE",
    "WM_USER_MENU_DIAL_TEST",
    "WM_USER_MENU_DIAL_TRAME_SPI",
    "WM_USER_MENU_DIAL_INIT",
    "WM_USER_MENU_DIAL_IMPRIME_ALL",
    "WM_USER_MENU_DIAL_SAUVE_ALL",
    "WM_USER_MENU_MODEM_CONNECT",
    "WM_USER_MENU_MODEM_DECONNECT",
    "WM_USER_MENU_CONF_CONF",
    "WM_USER_MENU_CONF_SAVE",
    "WM_USER_MENU_CONF_LOAD",
    "WM_USER_MENU_APROPO",
}};

}  // namespace

std::string_view commandName(MenuCommand command) {
    auto index = static_cast<std::size_t>(command);
    return index < kNames.size() ? kNames[index] : std::string_view();
}

MenuCommand commandFromName(std::string_view name) {
    if (name.empty()) return MenuCommand::None;
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name) return static_cast<MenuCommand>(i);
    return MenuCommand::None;
}

}  // namespace flowcfg
