#pragma once

#include <QWidget>

#include "ui/ControlNotifier.h"

class QToolButton;

namespace flowcfg {

// A pair of up and down arrows beside a value. It holds no value of its own: each press (and
// each repeat while an arrow is held, and the Up and Down keys) tells the owner +1 or -1.
class CSpinKV : public QWidget, public ControlNotifier {
    Q_OBJECT
public:
    explicit CSpinKV(QWidget* parent = nullptr);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace flowcfg
