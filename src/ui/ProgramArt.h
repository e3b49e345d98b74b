#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace flowcfg {

// The program's own pictures, drawn rather than stored: the main window's picture (a pipe
// crossed by the ultrasonic chords of the meter, with the program's name), the picture of the
// About box and the application icon.
class ProgramArt {
public:
    static constexpr int kPictureWidth = 563;
    static constexpr int kPictureHeight = 446;

    // The main window's picture, with `title` (the program's name and version) on it.
    static QPixmap mainPicture(const QString& title);
    // The About box's picture: the emblem of the icon, larger.
    static QPixmap aboutPicture(int size);
    static QIcon applicationIcon();
    // The record button of the polling pages: a red disc to start, a dark square to stop.
    static QIcon recordIcon(bool recording);

private:
    static void paintEmblem(QPainter& painter, const QRectF& area);
};

}  // namespace flowcfg
