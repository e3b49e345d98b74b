#include "shell/MainMenu.h"

#include "shell/MenuBuilder.h"

namespace flowcfg {
namespace {

// Text ids of the menu.
enum : int {
    kFichier = 360,
    kOuvrir = 380,
    kNouveau = 373,
    kParametrage = 381,
    kFonction = 239,
    kReglageSpecial = 384,
    kQuitter = 383,
    kDialogue = 358,
    kMesure = 369,
    kLogger = 367,
    kReglageUsine = 385,
    kBatterie = 351,
    kTestKvn = 391,
    kSpi = 390,
    kInitialisation = 363,
    kImprimerTout = 361,
    kSauvegarderTout = 387,
    kModemConnecte = 370,
    kModemDeconnecte = 371,
    kDeconnecter = 357,
    kConnecter = 354,
    kConfiguration = 353,
    kEnregistrerSous = 388,
    kCharger = 366,
    kAPropos = 347,
};

}  // namespace

MenuBar buildMainMenu(int language, const MainMenuState& state) {
    MenuBuilder b(language);
    auto greyed = [&](MenuCommand c) { return !state.available || !state.available(c); };
    auto item = [&](int id, MenuCommand c, bool alsoGreyed = false) {
        b.addItem(id, c, alsoGreyed || greyed(c));
    };
    auto subItem = [&](int id, MenuCommand c) { b.addSubItem(id, c, greyed(c)); };

    item(kOuvrir, MenuCommand::Ouvrir);
    b.addSeparator();
    subItem(kParametrage, MenuCommand::NewEtalonnage);
    b.addSubSeparator();
    subItem(kFonction, MenuCommand::NewFonction);
    b.addSubSeparator();
    subItem(kReglageSpecial, MenuCommand::NewRegSpe);
    b.addItem(kNouveau, MenuCommand::None);  // attaches the submenu
    b.addSeparator();
    item(kQuitter, MenuCommand::Quitter);
    b.addMenu(kFichier);

    item(kMesure, MenuCommand::DialMesure);
    b.addSeparator();
    item(kParametrage, MenuCommand::DialEtalonnage);
    item(kFonction, MenuCommand::DialFonction);
    b.addSeparator();
    item(kLogger, MenuCommand::DialLogger);
    b.addSeparator();
    item(kReglageUsine, MenuCommand::DialRegUs);
    item(kBatterie, MenuCommand::DialBq2014);
    b.addSeparator();
    item(kReglageSpecial, MenuCommand::DialRegSpe);
    b.addSeparator();
    item(kTestKvn, MenuCommand::DialTest);
    item(kSpi, MenuCommand::DialTrameSpi);
    b.addSeparator();
    item(kInitialisation, MenuCommand::DialInit);
    b.addSeparator();
    item(kImprimerTout, MenuCommand::DialImprimeAll);
    b.addSeparator();
    item(kSauvegarderTout, MenuCommand::DialSauveAll);
    b.addMenu(kDialogue);

    if (state.useModem) {
        if (state.modemConnected) {
            item(kDeconnecter, MenuCommand::ModemDeconnect);
            b.addMenu(kModemConnecte);
        } else {
            item(kConnecter, MenuCommand::ModemConnect);
            b.addMenu(kModemDeconnecte);
        }
    }

    // The configuration may not change under a modem connection.
    item(kConfiguration, MenuCommand::ConfConf, state.modemConnected);
    b.addSeparator();
    item(kEnregistrerSous, MenuCommand::ConfSave, state.modemConnected);
    item(kCharger, MenuCommand::ConfLoad, state.modemConnected);
    b.addMenu(kConfiguration);

    item(kAPropos, MenuCommand::Apropo);
    b.addMenu(kAPropos);
    return b.finish();
}

}  // namespace flowcfg
