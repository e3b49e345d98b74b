#include "ui/ProgramArt.h"

#include <algorithm>
#include <cmath>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace flowcfg {
namespace {

const QColor kNavy(0x0b, 0x27, 0x45);
const QColor kTeal(0x0e, 0x62, 0x70);
const QColor kCyan(0x5c, 0xe1, 0xe6);
const QColor kSteelLight(0xd9, 0xe2, 0xea);
const QColor kSteelDark(0x6f, 0x80, 0x90);

// The pipe seen from the side, with transducer pairs on its walls and the sound paths between
// them crossing the flow at four heights.
void paintPipe(QPainter& p, const QRectF& pipe) {
    const double wall = 12;
    QLinearGradient steel(pipe.topLeft(), pipe.bottomLeft());
    steel.setColorAt(0, kSteelLight);
    steel.setColorAt(0.5, kSteelDark);
    steel.setColorAt(1, kSteelLight);

    // The water inside.
    QRectF inside = pipe.adjusted(0, wall, 0, -wall);
    QLinearGradient water(inside.topLeft(), inside.bottomLeft());
    water.setColorAt(0, QColor(0x1d, 0x7f, 0xb0, 200));
    water.setColorAt(1, QColor(0x0c, 0x4a, 0x78, 220));
    p.fillRect(inside, water);

    // Flow arrows.
    p.setPen(QPen(QColor(255, 255, 255, 70), 2));
    for (int row = 0; row < 3; ++row) {
        double y = inside.top() + inside.height() * (row + 1) / 4.0;
        for (double x = inside.left() + 20 + row * 18; x < inside.right() - 30; x += 70) {
            p.drawLine(QPointF(x, y), QPointF(x + 26, y));
            p.drawLine(QPointF(x + 26, y), QPointF(x + 19, y - 4));
            p.drawLine(QPointF(x + 26, y), QPointF(x + 19, y + 4));
        }
    }

    p.fillRect(QRectF(pipe.left(), pipe.top(), pipe.width(), wall), steel);
    p.fillRect(QRectF(pipe.left(), pipe.bottom() - wall, pipe.width(), wall), steel);

    // Four chords, each a slanted sound path between a transducer on the top wall and one on
    // the bottom wall, alternately upstream and downstream: the paths cross.
    const double run = inside.height() * 0.9;
    for (int i = 0; i < 4; ++i) {
        double x0 = pipe.left() + pipe.width() * (0.18 + 0.16 * i);
        bool forward = i % 2 == 0;
        QPointF top(forward ? x0 : x0 + run, inside.top());
        QPointF bottom(forward ? x0 + run : x0, inside.bottom());
        QColor glow = kCyan;
        glow.setAlpha(110);
        p.setPen(QPen(glow, 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(top, bottom);
        p.setPen(QPen(Qt::white, 1.4, Qt::DashLine));
        p.drawLine(top, bottom);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xf3, 0xb2, 0x3c));
        p.drawRoundedRect(QRectF(top.x() - 8, top.y() - wall - 5, 16, wall + 3), 3, 3);
        p.drawRoundedRect(QRectF(bottom.x() - 8, bottom.y() + 2, 16, wall + 3), 3, 3);
    }
    p.setBrush(Qt::NoBrush);
}

}  // namespace

// A pipe's cross-section with its four parallel chords: the meter's mark.
void ProgramArt::paintEmblem(QPainter& p, const QRectF& area) {
    p.setRenderHint(QPainter::Antialiasing);
    const double d = std::min(area.width(), area.height());
    QRectF circle(area.center().x() - d / 2, area.center().y() - d / 2, d, d);
    QRadialGradient ring(circle.center(), d / 2);
    ring.setColorAt(0.80, QColor(0x1d, 0x7f, 0xb0));
    ring.setColorAt(0.86, kSteelLight);
    ring.setColorAt(1.0, kSteelDark);
    p.setPen(Qt::NoPen);
    p.setBrush(ring);
    p.drawEllipse(circle);

    const double r = d * 0.40;  // inner radius
    p.setPen(QPen(kCyan, std::max(1.5, d / 22), Qt::SolidLine, Qt::RoundCap));
    for (double h : {-0.70, -0.25, 0.25, 0.70}) {
        double y = circle.center().y() + h * r;
        double half = std::sqrt(std::max(0.0, r * r - (h * r) * (h * r)));
        p.drawLine(QPointF(circle.center().x() - half, y), QPointF(circle.center().x() + half, y));
    }
    p.setBrush(Qt::NoBrush);
}

QPixmap ProgramArt::mainPicture(const QString& title) {
    QPixmap pixmap(kPictureWidth, kPictureHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kPictureHeight);
    sky.setColorAt(0, kNavy);
    sky.setColorAt(1, kTeal);
    p.fillRect(pixmap.rect(), sky);

    // A faint grid, like a technician's drawing sheet.
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    for (int x = 0; x < kPictureWidth; x += 24)
        p.drawLine(x, 0, x, kPictureHeight);
    for (int y = 0; y < kPictureHeight; y += 24)
        p.drawLine(0, y, kPictureWidth, y);

    paintPipe(p, QRectF(-10, 196, kPictureWidth - 160, 140));
    paintEmblem(p, QRectF(kPictureWidth - 172, 186, 158, 158));

    QFont big(QStringLiteral("DejaVu Sans"));
    big.setPixelSize(46);
    big.setBold(true);
    p.setFont(big);
    p.setPen(Qt::white);
    p.drawText(QRectF(32, 36, 500, 60), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("flowcfg"));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(17);
    p.setFont(small);
    p.setPen(QColor(0xcf, 0xe8, 0xef));
    p.drawText(QRectF(34, 96, 500, 26), Qt::AlignLeft | Qt::AlignVCenter, title);
    p.setPen(QPen(kCyan, 3));
    p.drawLine(QPointF(34, 132), QPointF(160, 132));

    QFont footer(QStringLiteral("DejaVu Sans"));
    footer.setPixelSize(13);
    p.setFont(footer);
    p.setPen(QColor(255, 255, 255, 150));
    p.drawText(QRectF(34, kPictureHeight - 58, 500, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("JBus  \u00b7  RS-232  \u00b7  USB  \u00b7  Bluetooth  \u00b7  "
                              "Hayes"));
    return pixmap;
}

QPixmap ProgramArt::aboutPicture(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paintEmblem(p, QRectF(2, 2, size - 4, size - 4));
    return pixmap;
}

QIcon ProgramArt::applicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient back(0, 0, 0, size);
        back.setColorAt(0, kNavy);
        back.setColorAt(1, kTeal);
        p.setPen(Qt::NoPen);
        p.setBrush(back);
        p.drawRoundedRect(QRectF(0, 0, size, size), size * 0.18, size * 0.18);
        paintEmblem(p, QRectF(size * 0.12, size * 0.12, size * 0.76, size * 0.76));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon ProgramArt::recordIcon(bool recording) {
    QPixmap picture(20, 20);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (recording) {
        painter.setBrush(QColor(0x33, 0x33, 0x33));
        painter.drawRect(QRectF(4, 4, 12, 12));
    } else {
        painter.setBrush(QColor(0xd0, 0x21, 0x1c));
        painter.drawEllipse(QRectF(3, 3, 14, 14));
    }
    return QIcon(picture);
}

}  // namespace flowcfg
