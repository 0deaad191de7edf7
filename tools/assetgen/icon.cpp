// The window icon and the grabbing-hand cursor.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

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

namespace {

// The pixel-art upscalers Scale2x and Scale3x: every pixel becomes a 2 x 2 or
// 3 x 3 block whose corners take a neighbour's colour where two neighbours
// that meet there agree, so diagonal edges come out as finer steps instead of
// larger ones.
QImage scalePixelArt(const QImage &art, int k) {
    if (k != 2 && k != 3) return art;
    const int w = art.width(), h = art.height();
    QImage out(w * k, h * k, art.format());
    auto at = [&](int x, int y) {
        return art.pixel(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1));
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb A = at(x - 1, y - 1), B = at(x, y - 1), C = at(x + 1, y - 1);
            const QRgb D = at(x - 1, y), E = at(x, y), F = at(x + 1, y);
            const QRgb G = at(x - 1, y + 1), H = at(x, y + 1), I = at(x + 1, y + 1);
            QRgb e[9];
            const bool db = D == B && B != F && D != H, bf = B == F && B != D && F != H;
            const bool dh = D == H && D != B && H != F, hf = H == F && D != H && B != F;
            if (k == 2) {
                e[0] = db ? D : E;
                e[1] = bf ? F : E;
                e[2] = dh ? D : E;
                e[3] = hf ? F : E;
            } else {
                e[0] = db ? D : E;
                e[1] = (db && E != C) || (bf && E != A) ? B : E;
                e[2] = bf ? F : E;
                e[3] = (db && E != G) || (dh && E != A) ? D : E;
                e[4] = E;
                e[5] = (bf && E != I) || (hf && E != C) ? F : E;
                e[6] = dh ? D : E;
                e[7] = (dh && E != I) || (hf && E != G) ? H : E;
                e[8] = hf ? F : E;
            }
            for (int dy = 0; dy < k; ++dy)
                for (int dx = 0; dx < k; ++dx) out.setPixel(x * k + dx, y * k + dy, e[dy * k + dx]);
        }
    return out;
}

}  // namespace

// A closed hand seen from its back, knuckles up, held at its top-left corner
// (the hot spot is (0, 0)). X black, o white, anything else clear. Drawn as
// pixel art, so at finer scales its steps are smoothed, not enlarged.
QImage drawGrabCursor(int scale) {
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
    return scalePixelArt(cursor, scale);
}

}  // namespace fusefuda::assetgen
