#include "assets/catalogue.h"

#include <QFile>
#include <QString>

namespace fusefuda {

QImage loadPicture(int number, int scale) {
    QImage image(scale == 1 ? QStringLiteral(":/assets/%1.png").arg(number)
                            : QStringLiteral(":/assets/%1@%2x.png").arg(number).arg(scale));
    if (image.isNull()) return image;
    image = image.convertToFormat(number == kIconPicture || number == kCursorPicture
                                      ? QImage::Format_ARGB32
                                      : QImage::Format_RGB32);
    if (scale != 1) image.setDevicePixelRatio(scale);
    return image;
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
