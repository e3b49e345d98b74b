#pragma once

#include <QWidget>

namespace flowcfg {

// A caption painted over a picture or a coloured area: its text is drawn over the whole widget
// with the given text flags (Qt::AlignmentFlag and Qt::TextFlag values, 0 = top left) in a
// small sans-serif font, and whatever lies behind it stays visible.
class TransparentLabel : public QWidget {
    Q_OBJECT
public:
    explicit TransparentLabel(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return text_; }
    void setTextFlags(int flags);
    int textFlags() const { return flags_; }
    // The font is 8 points unless set otherwise.
    void setPointSize(double points);
    void setTextColor(const QColor& color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont paintFont() const;

    QString text_;
    int flags_ = 0;
    double points_ = 8;
    QColor color_;
};

}  // namespace flowcfg
