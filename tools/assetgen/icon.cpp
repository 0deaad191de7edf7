// The window icon and the grabbing-hand cursor.
#include <QPainter>
#include <QPainterPath>

#include "assetgen.h"

namespace fusefuda::assetgen {

namespace {

QPainterPath heart(const QPointF &c, double size) {
    QPainterPath path;
    const double s = size;
    path.moveTo(c + QPointF(0, 0.42 * s));
    path.cubicTo(c + QPointF(-0.15 * s, 0.25 * s), c + QPointF(-0.5 * s, 0.05 * s),
                 c + QPointF(-0.5 * s, -0.18 * s));
    path.cubicTo(c + QPointF(-0.5 * s, -0.45 * s), c + QPointF(-0.08 * s, -0.5 * s),
                 c + QPointF(0, -0.22 * s));
    path.cubicTo(c + QPointF(0.08 * s, -0.5 * s), c + QPointF(0.5 * s, -0.45 * s),
                 c + QPointF(0.5 * s, -0.18 * s));
    path.cubicTo(c + QPointF(0.5 * s, 0.05 * s), c + QPointF(0.15 * s, 0.25 * s),
                 c + QPointF(0, 0.42 * s));
    return path;
}

}  // namespace

// Two cards fanned: a face-down blue back behind a face-up heart.
QImage drawIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    const double line = size >= 64 ? 0.5 : 1.0;
    const QRectF card(-8.5, -12, 17, 24);

    p.save();
    p.translate(11.5, 15);
    p.rotate(-14);
    p.setPen(QPen(QColor(14, 22, 52), line));
    p.setBrush(QColor(246, 248, 252));
    p.drawRoundedRect(card, 1.6, 1.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(48, 100, 198));
    p.drawRect(card.adjusted(2, 2, -2, -2));
    p.setPen(QPen(QColor(140, 176, 240), 0.6));
    p.setClipRect(card.adjusted(2, 2, -2, -2));
    for (double k = -30; k < 30; k += 3.2) {
        p.drawLine(QPointF(k, -14), QPointF(k + 28, 14));
        p.drawLine(QPointF(k, 14), QPointF(k + 28, -14));
    }
    p.restore();

    p.save();
    p.translate(20.5, 17);
    p.rotate(12);
    p.setPen(QPen(QColor(20, 20, 20), line));
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, 1.6, 1.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 20, 32));
    p.drawPath(heart(QPointF(0, 0.5), 13));
    p.drawPath(heart(QPointF(-5.2, -8.0), 4));
    p.restore();
    p.end();
    avoidColourKey(icon);
    return icon.convertToFormat(QImage::Format_ARGB32);
}

// A closed hand seen from its back, knuckles up, held at its top-left corner
// (the hot spot is (0, 0)). X black, o white, anything else clear.
QImage drawGrabCursor() {
    static const char *const kRows[] = {
        "                    ",
        "     XX XX XX       ",
        "    XooXooXooXX     ",
        "    XooXooXooXoX    ",
        "   XXooXooXooXoX    ",
        "  XooXoooooooooX    ",
        "  XoooooooooooooX   ",
        "  XoooooooooooooX   ",
        "   XooooooooooooX   ",
        "    XoooooooooooX   ",
        "    XooooooooooX    ",
        "     XoooooooooX    ",
        "     XooooooooX     ",
        "      XoooooooX     ",
        "      XoooooooX     ",
        "      XXXXXXXXX     ",
    };
    QImage cursor(32, 32, QImage::Format_ARGB32);
    cursor.fill(Qt::transparent);
    int y = 0;
    for (const char *row : kRows) {
        for (int x = 0; row[x]; ++x) {
            if (row[x] == 'X') cursor.setPixel(x, y, qRgba(0, 0, 0, 255));
            if (row[x] == 'o') cursor.setPixel(x, y, qRgba(255, 255, 255, 255));
        }
        ++y;
    }
    return cursor;
}

}  // namespace fusefuda::assetgen
