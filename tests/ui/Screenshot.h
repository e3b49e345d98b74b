#pragma once

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cstdlib>
#include <string>
#include <vector>

namespace flowcfg::testing {

// A picture of a window as the person sees it: its title bar (drawn here, as a screen without
// a window manager has none), its contents, and the pop-up windows open over it (menus, the
// lists of drop-down boxes).
class Screenshot {
public:
    static constexpr int kTitleHeight = 26;

    explicit Screenshot(QWidget* window) : window_(window) {}

    // Adds a visible pop-up window at its place on the screen.
    void addPopup(QWidget* popup) { popups_.push_back(popup); }
    // Every visible pop-up window of the program.
    void addOpenPopups() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w != window_ && (w->windowType() == Qt::Popup)) addPopup(w);
    }

    QImage render() const {
        QPoint origin = window_->mapToGlobal(QPoint(0, 0));
        QRect area(origin - QPoint(0, kTitleHeight), window_->size() + QSize(0, kTitleHeight));
        for (QWidget* p : popups_)
            area |= QRect(p->mapToGlobal(QPoint(0, 0)), p->size());
        area.adjust(-12, -12, 12, 12);

        QImage image(area.size(), QImage::Format_RGB32);
        image.fill(QColor(0xe6, 0xe9, 0xed));
        QPainter painter(&image);
        painter.translate(-area.topLeft());
        QRect title(origin - QPoint(0, kTitleHeight), QSize(window_->width(), kTitleHeight));
        painter.fillRect(title, QColor(0x2b, 0x33, 0x3d));
        painter.setPen(Qt::white);
        QFont font = window_->font();
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(title.adjusted(10, 0, -10, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         window_->windowTitle());
        painter.drawPixmap(origin, window_->grab());
        for (QWidget* p : popups_)
            painter.drawPixmap(p->mapToGlobal(QPoint(0, 0)), p->grab());
        painter.setPen(QColor(0x9a, 0xa3, 0xad));
        painter.drawRect(
            QRect(title.topLeft(), QSize(window_->width(), window_->height() + kTitleHeight))
                .adjusted(0, 0, -1, -1));
        return image;
    }

    // Saves the picture as NAME.png in the folder named by FLOWCFG_SHOTS, when it is set.
    // Returns the picture either way.
    QImage save(const std::string& name) const {
        QImage image = render();
        if (const char* folder = std::getenv("FLOWCFG_SHOTS"); folder && *folder) {
            QDir().mkpath(QString::fromLocal8Bit(folder));
            image.save(QString::fromLocal8Bit(folder) + "/" + QString::fromStdString(name) +
                       ".png");
        }
        return image;
    }

    // How many different colours a picture has: a window that drew nothing has one or two.
    static int colourCount(const QImage& image) {
        std::vector<QRgb> seen;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3) {
                QRgb c = image.pixel(x, y);
                bool known = false;
                for (QRgb s : seen)
                    known = known || s == c;
                if (!known) seen.push_back(c);
                if (seen.size() > 64) return static_cast<int>(seen.size());
            }
        return static_cast<int>(seen.size());
    }

private:
    QWidget* window_;
    std::vector<QWidget*> popups_;
};

}  // namespace flowcfg::testing
