#include "assets/catalogue.h"

#include <QFile>
#include <QString>

namespace fusefuda {

QImage loadPicture(int number) {
    QImage image(QStringLiteral(":/assets/%1.png").arg(number));
    if (image.isNull()) return image;
    if (number == kIconPicture || number == kCursorPicture)
        return image.convertToFormat(QImage::Format_ARGB32);
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage loadLargeIcon() {
    return QImage(QStringLiteral(":/assets/103-large.png")).convertToFormat(QImage::Format_ARGB32);
}

QByteArray loadSound(int number) {
    QFile file(QStringLiteral(":/assets/%1.wav").arg(number));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace fusefuda
