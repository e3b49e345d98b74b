#include "ui/ModemDialogConnector.h"

#include "ui/ModemDialog.h"

namespace flowcfg {

// The dialog takes the port, speed and modem strings from the configuration file, as the link
// that asks was opened with.
bool ModemDialogConnector::Connect(SerialLink& link, int, int, char, int, int) {
    ModemDialog dialog(application_, link, ModemDialog::kConnect, &application_.modemConnected,
                       parent_);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace flowcfg
