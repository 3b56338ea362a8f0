#include "ui/Pictures.h"

QPixmap resourcePicture(const QString& path, qreal devicePixelRatio) {
    if (devicePixelRatio > 1) {
        const qsizetype dot = path.lastIndexOf(u'.');
        QPixmap sharp;
        if (dot > 0 && sharp.load(path.left(dot) + QStringLiteral("@2x") + path.mid(dot))) {
            sharp.setDevicePixelRatio(2);
            return sharp;
        }
    }
    return QPixmap(path);
}
