#include "shell/MainMenu.h"

#include <gtest/gtest.h>

#include "shell/MenuBuilder.h"

namespace flowcfg {
namespace {

using Kind = MenuEntry::Kind;

std::vector<std::string> titles(const MenuBar& bar) {
    std::vector<std::string> out;
    for (const auto& menu : bar.menus)
        out.push_back(menu.text);
    return out;
}

// The commands of a menu in order, separators as None.
std::vector<MenuCommand> commands(const std::vector<MenuEntry>& entries) {
    std::vector<MenuCommand> out;
    for (const auto& e : entries)
        out.push_back(e.command);
    return out;
}

MainMenuState everythingAvailable(bool useModem = false, bool connected = false) {
    return {useModem, connected, [](MenuCommand) { return true; }};
}

TEST(MainMenuTest, WithoutModemTheBarHasFourMenusInOrder) {
    MenuBar bar = buildMainMenu(1, everythingAvailable());
    EXPECT_EQ(titles(bar), (std::vector<std::string>{"&Fichier", "&Dialogue", "&Configuration",
                                                     "&A propos..."}));

    const Menu& file = bar.menus[0];
    ASSERT_EQ(file.entries.size(), 5u);
    EXPECT_EQ(file.entries[0].text, "&Ouvrir");
    EXPECT_EQ(file.entries[0].command, MenuCommand::Ouvrir);
    EXPECT_EQ(file.entries[1].kind, Kind::Separator);
    const MenuEntry& nouveau = file.entries[2];
    EXPECT_EQ(nouveau.kind, Kind::Submenu);
    EXPECT_EQ(nouveau.text, "&Nouveau");
    EXPECT_EQ(commands(nouveau.children),
              (std::vector<MenuCommand>{MenuCommand::NewEtalonnage, MenuCommand::None,
                                        MenuCommand::NewFonction, MenuCommand::None,
                                        MenuCommand::NewRegSpe}));
    EXPECT_EQ(nouveau.children[0].text, "&Paramétrage");
    EXPECT_EQ(nouveau.children[1].kind, Kind::Separator);
    EXPECT_EQ(file.entries[3].kind, Kind::Separator);
    EXPECT_EQ(file.entries[4].text, "&Quitter");
    EXPECT_EQ(file.entries[4].command, MenuCommand::Quitter);

    using C = MenuCommand;
    EXPECT_EQ(commands(bar.menus[1].entries),
              (std::vector<C>{
                  C::DialMesure, C::None, C::DialEtalonnage, C::DialFonction, C::None,
                  C::DialLogger, C::None, C::DialRegUs,      C::DialBq2014,   C::None,
                  C::DialRegSpe, C::None, C::DialTest,       C::DialTrameSpi, C::None,
                  C::DialInit,   C::None, C::DialImprimeAll, C::None,         C::DialSauveAll}));
    EXPECT_EQ(bar.menus[1].entries[0].text, "&Mesure");
    EXPECT_EQ(bar.menus[1].entries.back().text, "&Sauvegarder tout");

    EXPECT_EQ(commands(bar.menus[2].entries),
              (std::vector<C>{C::ConfConf, C::None, C::ConfSave, C::ConfLoad}));
    EXPECT_EQ(bar.menus[2].entries[2].text, "&Enregistrer fichier de config sous...");
    EXPECT_EQ(bar.menus[3].entries.size(), 1u);
    EXPECT_EQ(bar.menus[3].entries[0].command, C::Apropo);
    for (const auto& menu : bar.menus)
        for (const auto& entry : menu.entries)
            EXPECT_FALSE(entry.greyed) << entry.text;
}

TEST(MainMenuTest, ModemMenuStandsBetweenDialogueAndConfiguration) {
    MenuBar off = buildMainMenu(1, everythingAvailable(true, false));
    EXPECT_EQ(titles(off), (std::vector<std::string>{"&Fichier", "&Dialogue", "&Modem déconnecté",
                                                     "&Configuration", "&A propos..."}));
    ASSERT_EQ(off.menus[2].entries.size(), 1u);
    EXPECT_EQ(off.menus[2].entries[0].text, "&Connecter");
    EXPECT_EQ(off.menus[2].entries[0].command, MenuCommand::ModemConnect);
    for (const auto& entry : off.menus[3].entries)
        EXPECT_FALSE(entry.greyed);

    // Connected: the other entry, and the configuration may not change.
    MenuBar on = buildMainMenu(1, everythingAvailable(true, true));
    EXPECT_EQ(on.menus[2].text, "&Modem connecté");
    EXPECT_EQ(on.menus[2].entries[0].command, MenuCommand::ModemDeconnect);
    EXPECT_EQ(on.menus[2].entries[0].text, "&Déconnecter");
    for (const auto& entry : on.menus[3].entries) {
        if (entry.kind == Kind::Item) {
            EXPECT_TRUE(entry.greyed) << entry.text;
        }
    }
    EXPECT_FALSE(on.menus[4].entries[0].greyed);
}

TEST(MainMenuTest, CommandsTheWindowCannotCarryOutAreGreyed) {
    MainMenuState state;
    state.available = [](MenuCommand c) {
        return c == MenuCommand::Quitter || c == MenuCommand::ConfConf;
    };
    MenuBar bar = buildMainMenu(1, state);
    EXPECT_FALSE(bar.menus[0].entries[4].greyed);  // Quitter
    EXPECT_TRUE(bar.menus[0].entries[0].greyed);   // Ouvrir
    EXPECT_TRUE(bar.menus[0].entries[2].children[0].greyed);
    EXPECT_TRUE(bar.menus[1].entries[0].greyed);
    EXPECT_FALSE(bar.menus[2].entries[0].greyed);
    EXPECT_TRUE(bar.menus[2].entries[2].greyed);
    // No availability at all: nothing can be chosen.
    MenuBar none = buildMainMenu(1, MainMenuState{});
    EXPECT_TRUE(none.menus[3].entries[0].greyed);
}

TEST(MainMenuTest, TextsFollowTheLanguageAndUnknownLanguagesGiveFrench) {
    MenuBar english = buildMainMenu(2, everythingAvailable(true));
    EXPECT_EQ(titles(english),
              (std::vector<std::string>{"&File", "&Dialogue", "&Modem desconnected", "&Option",
                                        "&About..."}));
    EXPECT_EQ(english.menus[0].entries[4].text, "&Exit");
    EXPECT_EQ(english.menus[3].entries[2].text, "&Save Option File As...");
    EXPECT_EQ(buildMainMenu(6, everythingAvailable()), buildMainMenu(1, everythingAvailable()));
    EXPECT_EQ(buildMainMenu(0, everythingAvailable()), buildMainMenu(1, everythingAvailable()));
    EXPECT_NE(buildMainMenu(5, everythingAvailable()), buildMainMenu(1, everythingAvailable()));
}

TEST(MenuBuilderTest, PendingSubmenuIsAttachedByTheNextItemAndNoneAddsNothing) {
    MenuBuilder b(2);
    b.addItem(380, MenuCommand::None);  // nothing
    b.addSubItem(381, MenuCommand::NewEtalonnage);
    b.addSubItem(239, MenuCommand::None);  // nothing
    b.addItem(373, MenuCommand::Quitter);  // attaches the submenu; the command is ignored
    b.addItem(383, MenuCommand::Quitter);
    b.addMenu(360);
    MenuBar bar = b.finish();
    ASSERT_EQ(bar.menus.size(), 1u);
    ASSERT_EQ(bar.menus[0].entries.size(), 2u);
    EXPECT_EQ(bar.menus[0].entries[0].kind, Kind::Submenu);
    EXPECT_EQ(bar.menus[0].entries[0].command, MenuCommand::None);
    EXPECT_EQ(bar.menus[0].entries[0].text, "&New");
    ASSERT_EQ(bar.menus[0].entries[0].children.size(), 1u);
    EXPECT_EQ(bar.menus[0].entries[1].command, MenuCommand::Quitter);
    // The builder starts again empty.
    EXPECT_TRUE(b.finish().menus.empty());
}

TEST(MenuCommandTest, NamesRoundTrip) {
    for (int i = 1; i < kMenuCommandCount; ++i) {
        auto command = static_cast<MenuCommand>(i);
        auto name = commandName(command);
        EXPECT_EQ(name.rfind("WM_USER_MENU_", 0), 0u) << name;
        EXPECT_EQ(commandFromName(name), command);
    }
    EXPECT_EQ(commandName(MenuCommand::ConfLoad), "WM_USER_MENU_CONF_LOAD");
    EXPECT_EQ(commandFromName("WM_USER_MENU_NOPE"), MenuCommand::None);
    EXPECT_EQ(commandFromName(""), MenuCommand::None);
}

}  // namespace
}  // namespace flowcfg
