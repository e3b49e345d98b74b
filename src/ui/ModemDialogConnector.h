#pragma once

#include "link/ModemConnector.h"
#include "shell/Application.h"

class QWidget;

namespace flowcfg {

// Opening a link through the modem runs the modem dialog in connect mode over `parent`.
class ModemDialogConnector : public ModemConnector {
public:
    ModemDialogConnector(Application& application, QWidget* parent)
        : application_(application), parent_(parent) {}

    bool Connect(SerialLink& link, int portNumber, int baudIndex, char parity, int dataBits,
                 int stopBits) override;

private:
    Application& application_;
    QWidget* parent_;
};

}  // namespace flowcfg
