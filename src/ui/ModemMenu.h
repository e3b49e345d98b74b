#pragma once

class QWidget;

namespace flowcfg {

class Application;
class MainWindow;
class SerialLink;

// The main window's modem menu: connect and disconnect through the modem dialog. Both act only
// in modem mode, connect only while no call is up and disconnect only while one is.
class ModemMenu {
public:
    // "&Connecter": the connection flag follows the dialog's outcome.
    static void connect(MainWindow& window);
    // "&Déconnecter": afterwards the flag is cleared whatever the modem said, and the link
    // closed.
    static void disconnect(MainWindow& window);
    // Hangs up a call that is still up (the main window closing), then closes the link.
    static void hangUp(Application& application, SerialLink& link, QWidget* parent);
};

}  // namespace flowcfg
