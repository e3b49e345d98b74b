#include "ui/PageDialog.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>
#include <QTimer>

#include "ui/ControlEvent.h"

namespace flowcfg {
namespace {

WindowPlacement::Rect toRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

PageDialog::PageDialog(Application& application, QWidget* parent)
    : QDialog(parent), PageBase(application, prompts_), prompts_(this, *this) {}

PageDialog::~PageDialog() {
    if (placed_ && !placementSaved_) savePlacement();
}

void PageDialog::setVisible(bool visible) {
    if (visible && !placed_) {
        placed_ = true;
        placementSaved_ = false;
        restorePlacement();
    }
    QDialog::setVisible(visible);
}

void PageDialog::done(int result) {
    savePlacement();
    QDialog::done(result);
}

void PageDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool PageDialog::event(QEvent* event) {
    if (event->type() == ControlEvent::eventType()) {
        controlNotified(*static_cast<ControlEvent*>(event));
        return true;
    }
    return QDialog::event(event);
}

void PageDialog::captionChanged(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void PageDialog::restorePlacement() {
    const WindowPlacement& p = placement();
    if (!p.enabled()) return;
    ensurePolished();
    if (layout()) layout()->activate();
    auto restore = p.restore(config());
    if (restore.width && restore.height) resize(*restore.width, *restore.height);
    if (restore.left && restore.top) move(*restore.left, *restore.top);
    keepOnScreen();
    if (restore.minimised) setWindowState(windowState() | Qt::WindowMinimized);
    // The window's frame is only known once the window is on the screen: check again then.
    QTimer::singleShot(0, this, [this] { keepOnScreen(); });
}

void PageDialog::keepOnScreen() {
    QRect frame = frameGeometry();
    QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    auto kept = WindowPlacement::keepOnScreen(toRect(frame), toRect(screen->availableGeometry()),
                                              isMaximized(), placement().flags);
    if (kept.left != frame.x() || kept.top != frame.y()) move(kept.left, kept.top);
}

void PageDialog::savePlacement() {
    if (!placed_ || placementSaved_) return;
    placementSaved_ = true;
    placed_ = false;
    const WindowPlacement& p = placement();
    if (!p.enabled()) return;
    bool minimised = isMinimized();
    bool maximised = isMaximized();
    QRect normal = (minimised || maximised) ? normalGeometry() : QRect(pos(), size());
    if (!normal.isValid()) normal = QRect(pos(), size());
    p.save(config(), toRect(normal), minimised, maximised);
}

}  // namespace flowcfg
