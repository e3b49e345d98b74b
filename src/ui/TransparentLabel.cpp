#include "ui/TransparentLabel.h"

#include <QFontMetrics>
#include <QPainter>

namespace flowcfg {

TransparentLabel::TransparentLabel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
}

void TransparentLabel::setText(const QString& text) {
    text_ = text;
    updateGeometry();
    update();
}

void TransparentLabel::setTextFlags(int flags) {
    flags_ = flags;
    update();
}

void TransparentLabel::setPointSize(double points) {
    points_ = points;
    updateGeometry();
    update();
}

void TransparentLabel::setTextColor(const QColor& color) {
    color_ = color;
    update();
}

// A fresh font for each paint, so that the size follows the screen's resolution.
QFont TransparentLabel::paintFont() const {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points_);
    font.setWeight(QFont::Normal);
    return font;
}

QSize TransparentLabel::sizeHint() const {
    QFontMetrics metrics(paintFont());
    return metrics.boundingRect(QRect(0, 0, 2000, 2000), flags_, text_).size() + QSize(2, 2);
}

void TransparentLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(paintFont());
    painter.setPen(color_.isValid() ? color_ : palette().color(QPalette::WindowText));
    painter.drawText(rect(), flags_, text_);
}

}  // namespace flowcfg
