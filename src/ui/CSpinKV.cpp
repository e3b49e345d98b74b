#include "ui/CSpinKV.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace flowcfg {
namespace {

QToolButton* arrow(QWidget* parent, Qt::ArrowType type) {
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(18);
    return button;
}

}  // namespace

CSpinKV::CSpinKV(QWidget* parent)
    : QWidget(parent), up_(arrow(this, Qt::UpArrow)), down_(arrow(this, Qt::DownArrow)) {
    setFocusPolicy(Qt::TabFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this,
            [this] { notify(ControlNotification::SpinNewDelta, 1); });
    connect(down_, &QToolButton::clicked, this,
            [this] { notify(ControlNotification::SpinNewDelta, -1); });
}

void CSpinKV::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        notify(ControlNotification::SpinNewDelta, 1);
    } else if (event->key() == Qt::Key_Down) {
        notify(ControlNotification::SpinNewDelta, -1);
    } else {
        QWidget::keyPressEvent(event);
    }
}

}  // namespace flowcfg
