#include "ui/MainWindow.h"

#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

#include "link/PortTable.h"
#include "shell/ConfigurationFiles.h"
#include "shell/LogoBitmap.h"
#include "shell/MainMenu.h"
#include "shell/PageFileTypes.h"
#include "shell/ProgramIdentity.h"
#include "ui/AboutBox.h"
#include "ui/MenuBarView.h"
#include "ui/ModemMenu.h"
#include "ui/OptionsPage.h"
#include "ui/ProgramArt.h"
#include "ui/QtTranslations.h"

namespace flowcfg {

MainWindow::MainWindow(Application& application, QWidget* parent)
    : PageDialog(application, parent),
      menuBar_(new QMenuBar(this)),
      picture_(new QLabel(this)),
      modemConnector_(application, this) {
    placement().section = kPlacementSection;
    placement().flags = WindowPlacement::kRememberPosition;
    setWindowIcon(ProgramArt::applicationIcon());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar_);
    layout->addWidget(picture_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    picture_->setFixedSize(ProgramArt::kPictureWidth, ProgramArt::kPictureHeight);
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    loadPicture();

    setCommandHandler(MenuCommand::Quitter, [this] { accept(); });
    setCommandHandler(MenuCommand::ConfConf, [this] { openOptionsPage(); });
    setCommandHandler(MenuCommand::ConfSave, [this] { saveConfiguration(); });
    setCommandHandler(MenuCommand::ConfLoad, [this] { loadConfigurationFile(); });
    setCommandHandler(MenuCommand::Apropo, [this] { showAbout(); });
    setCommandHandler(MenuCommand::Ouvrir, [this] { openFile(); });
    setCommandHandler(MenuCommand::ModemConnect, [this] { ModemMenu::connect(*this); });
    setCommandHandler(MenuCommand::ModemDeconnect, [this] { ModemMenu::disconnect(*this); });
    link_.SetModemConnector(&modemConnector_);
    // The link reaches COM numbers through the configuration file's port table.
    PortTable::Install(PortTable::Load(config()));

    QtTranslations::use(language());
    setCaptionText(ProgramIdentity::mainWindowTitle());
    setCaptionFile(ConfigurationFiles::captionName(settings().configFilePath));
    rebuildMenu();
}

MainWindow::~MainWindow() {
    ModemMenu::hangUp(application(), link_, this);
}

// The customer's picture replaces the program's own when one was announced at start-up; it is
// used only when it fits the window exactly, otherwise the window stays empty.
void MainWindow::loadPicture() {
    if (!settings().showLogo) {
        picture_->setPixmap(
            ProgramArt::mainPicture(QString::fromStdString(ProgramIdentity::mainWindowTitle())));
        return;
    }
    std::string path = application().logoPath();
    QImage logo;
    if (LogoBitmap::usable(path) && logo.load(QString::fromStdString(path), "BMP"))
        picture_->setPixmap(QPixmap::fromImage(logo));
    else
        picture_->setPixmap(QPixmap());
}

void MainWindow::setCommandHandler(MenuCommand command, Handler handler) {
    if (handler)
        handlers_[command] = std::move(handler);
    else
        handlers_.erase(command);
    rebuildMenu();
}

void MainWindow::setFileOpener(int fileTypeTextId, FileOpener opener) {
    if (opener)
        openers_[fileTypeTextId] = std::move(opener);
    else
        openers_.erase(fileTypeTextId);
    rebuildMenu();
}

bool MainWindow::canRun(MenuCommand command) const {
    if (command == MenuCommand::Ouvrir) return !openers_.empty();
    bool configuration = command == MenuCommand::ConfConf || command == MenuCommand::ConfSave ||
                         command == MenuCommand::ConfLoad;
    if (configuration && application().modemConnected) return false;
    return handlers_.count(command) != 0;
}

void MainWindow::runCommand(MenuCommand command) {
    if (!canRun(command)) return;
    // A copy: the handler may replace itself.
    Handler handler = handlers_.at(command);
    handler();
}

void MainWindow::rebuildMenu() {
    MainMenuState state;
    state.useModem = settings().useModem;
    state.modemConnected = application().modemConnected;
    state.available = [this](MenuCommand c) { return canRun(c); };
    MenuBar model = buildMainMenu(language(), state);
    if (model == menu_ && !actions_.empty()) return;
    menu_ = std::move(model);
    actions_ = MenuBarView::fill(*menuBar_, menu_, [this](MenuCommand c) { runCommand(c); });
}

QAction* MainWindow::actionFor(MenuCommand command) const {
    auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::refresh() {
    setConfigFile(settings().configFilePath);
    reloadLanguage();
    QtTranslations::use(language());
    application().reloadLinkSettings();
    PortTable::Install(PortTable::Load(config()));
    setCaptionFile(ConfigurationFiles::captionName(settings().configFilePath));
    rebuildMenu();
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        rebuildMenu();
    return PageDialog::event(event);
}

void MainWindow::openOptionsPage() {
    {
        OptionsPage page(application(), this);
        page.setSearchLink(&link_);
        page.exec();
    }
    refresh();
}

void MainWindow::saveConfiguration() {
    ConfigurationFiles(*this).saveConfigurationAs();
    refresh();
}

void MainWindow::loadConfigurationFile() {
    ConfigurationFiles(*this).loadConfiguration();
    refresh();
}

// The chosen file's extension names the page that shows it.
void MainWindow::openFile() {
    PageFileTypes types(language());
    FileRequest request;
    request.mode = FileRequest::Mode::Open;
    request.filter = types.openFilter();
    request.initialPath = settings().saveDirectory;
    auto chosen = prompts().chooseFile(request);
    if (!chosen) return;
    auto opener = openers_.find(types.typeOfFile(*chosen).textId);
    if (opener != openers_.end()) {
        FileOpener open = opener->second;
        open(*chosen);
    }
}

void MainWindow::showAbout() {
    AboutBox box(application(), this);
    box.exec();
}

}  // namespace flowcfg
