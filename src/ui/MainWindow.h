#pragma once

#include <functional>
#include <map>
#include <string>

#include "link/InstrumentLink.h"
#include "shell/MenuModel.h"
#include "ui/ModemDialogConnector.h"
#include "ui/PageDialog.h"

class QAction;
class QLabel;
class QMenuBar;

namespace flowcfg {

// The main window: the program's picture under the menu bar. Every function of the program is
// a command of the menu that opens a page modally. A command the window has no handler for is
// shown greyed; the pages register their handlers here as they arrive.
class MainWindow : public PageDialog {
    Q_OBJECT
public:
    static constexpr const char* kPlacementSection = "DialogBase";

    explicit MainWindow(Application& application, QWidget* parent = nullptr);
    // Hangs up a modem call that is still up.
    ~MainWindow() override;

    // The one link to the instrument; opened through the modem dialog in modem mode.
    InstrumentLink& link() { return link_; }

    using Handler = std::function<void()>;
    void setCommandHandler(MenuCommand command, Handler handler);
    // "&Ouvrir": the page that owns a file type (its text id, 224 ... 234) loads the file.
    using FileOpener = std::function<void(const std::string& path)>;
    void setFileOpener(int fileTypeTextId, FileOpener opener);

    bool canRun(MenuCommand command) const;
    // Carries out a command as the menu would; nothing when it cannot run now.
    void runCommand(MenuCommand command);

    // Builds the menu again from the current language and link state.
    void rebuildMenu();
    // After the configuration file or its contents changed: the file name in the caption, the
    // configuration file, the language, the link settings and the menu.
    void refresh();

    const MenuBar& menuModel() const { return menu_; }
    QMenuBar* menuBar() const { return menuBar_; }
    // The action of a command in the current menu; null when the menu has none.
    QAction* actionFor(MenuCommand command) const;
    // The picture shown (empty when a logo was announced but cannot be used).
    QLabel* picture() const { return picture_; }

protected:
    bool event(QEvent* event) override;

private:
    void loadPicture();
    void openOptionsPage();
    void saveConfiguration();
    void loadConfigurationFile();
    void openFile();
    void showAbout();

    std::map<MenuCommand, Handler> handlers_;
    std::map<int, FileOpener> openers_;
    QMenuBar* menuBar_;
    QLabel* picture_;
    MenuBar menu_;
    std::map<MenuCommand, QAction*> actions_;
    ModemDialogConnector modemConnector_;
    InstrumentLink link_;
};

}  // namespace flowcfg
