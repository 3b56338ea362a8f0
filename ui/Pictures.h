#pragma once

#include <QPixmap>
#include <QString>

// A picture of the program's resources as sharp as the screen can show it: on a screen
// that draws each point with more than one pixel, the double-size drawing beside it
// (`logo@2x.png` beside `logo.png`), else the picture itself. Icons (QIcon) find that
// drawing by themselves; a label's pixmap does not.
QPixmap resourcePicture(const QString& path, qreal devicePixelRatio);
