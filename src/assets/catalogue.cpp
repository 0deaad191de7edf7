#include "assets/catalogue.h"

#include <QFile>
#include <QImageReader>
#include <QString>

namespace fusefuda {

namespace {

// Every picture is a PNG. Told so, and told not to look further, Qt decodes
// it at once; otherwise it loads every image format plugin there is (SVG,
// JPEG, GIF, ICO and their libraries) to ask each whether it can.
QImage readPng(const QString &path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

}  // namespace

QImage loadPicture(int number, int scale) {
    QImage image =
        readPng(scale == 1 ? QStringLiteral(":/assets/%1.png").arg(number)
                           : QStringLiteral(":/assets/%1@%2x.png").arg(number).arg(scale));
    if (image.isNull()) return image;
    image = image.convertToFormat(number == kIconPicture || number == kCursorPicture
                                      ? QImage::Format_ARGB32
                                      : QImage::Format_RGB32);
    if (scale != 1) image.setDevicePixelRatio(scale);
    return image;
}

QImage loadLargeIcon() {
    return readPng(QStringLiteral(":/assets/103-large.png")).convertToFormat(QImage::Format_ARGB32);
}

QByteArray loadSound(int number) {
    QFile file(QStringLiteral(":/assets/%1.wav").arg(number));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace fusefuda
