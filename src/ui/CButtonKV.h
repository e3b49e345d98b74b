#pragma once

#include <QPushButton>

#include "ui/ControlNotifier.h"

namespace flowcfg {

// A push button that tells its owner about clicks, double clicks and the loss of the focus
// (with the widget that takes it).
class CButtonKV : public QPushButton, public ControlNotifier {
    Q_OBJECT
public:
    explicit CButtonKV(const QString& text = {}, QWidget* parent = nullptr);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace flowcfg
