#pragma once

#include <string_view>

namespace flowcfg {

// The commands of the main window's menu. Each keeps the name under which the program has
// always known it ("WM_USER_MENU_OUVRIR" ...), so that logs and tests can name them.
enum class MenuCommand {
    None = 0,
    Ouvrir,
    NewEtalonnage,
    NewFonction,
    NewRegSpe,
    NewSondeSpe,  // handled, but no menu entry sends it
    Quitter,
    DialMesure,
    DialEtalonnage,
    DialFonction,
    DialLogger,
    DialRegUs,
    DialBq2014,
    DialRegSpe,
    DialTest,
    DialTrameSpi,
    DialInit,
    DialImprimeAll,
    DialSauveAll,
    ModemConnect,
    ModemDeconnect,
    ConfConf,
    ConfSave,
    ConfLoad,
    Apropo,
};

inline constexpr int kMenuCommandCount = static_cast<int>(MenuCommand::Apropo) + 1;

// "WM_USER_MENU_OUVRIR" for MenuCommand::Ouvrir ...; empty for None.
std::string_view commandName(MenuCommand command);
// The command of that name; None when the name is unknown.
MenuCommand commandFromName(std::string_view name);

}  // namespace flowcfg
