// The one block-copy primitive that all drawing uses, with the three raster
// operations by their platform codes, and the stretched copy of the flips.
#pragma once

#include <QImage>
#include <QRegion>
#include <cstdint>

namespace fusefuda {

enum Rop : uint32_t {
    SRCCOPY = 0x00CC0020,   // destination = source
    SRCAND = 0x008800C6,    // destination = source AND destination
    SRCPAINT = 0x00EE0086,  // destination = source OR destination
};

// Surfaces hold k device pixels a board pixel (k = 1, 2 or 3), tagged with
// that device pixel ratio; the game's coordinates are always board pixels.
inline int scaleOf(const QImage &image) {
    const qreal ratio = image.devicePixelRatio();
    return ratio == 1.0 ? 1 : int(ratio + 0.5);
}
// An image's size in board pixels.
inline QSize logicalSize(const QImage &image) {
    const int k = scaleOf(image);
    return k == 1 ? image.size() : QSize(image.width() / k, image.height() / k);
}
inline QRect logicalRect(const QImage &image) { return QRect(QPoint(0, 0), logicalSize(image)); }
// A rectangle of board pixels as the device pixels of an image at scale k.
inline QRect devicePixels(const QRect &r, int k) {
    return k == 1 ? r : QRect(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
}
// The same for each rectangle of a region: what a window that counts device
// pixels is asked to show.
QRegion devicePixels(const QRegion &region, int k);

// Combines the w x h block at (sx, sy) of src into (x, y) of dst, clipped to
// both images; src may be dst itself, with overlapping blocks. Both must have
// 32-bit pixels (Format_RGB32); with any other format nothing is drawn.
// Coordinates are board pixels, multiplied by dst's scale, which src shares.
void bitBlt(QImage &dst, int x, int y, int w, int h, const QImage &src, int sx, int sy,
            Rop rop);
// The same in device pixels of both images, whatever their scale.
void deviceBitBlt(QImage &dst, int x, int y, int w, int h, const QImage &src, int sx, int sy,
                  Rop rop);

// Copies the sw x sh block at (sx, sy) of src into the w x h rectangle at
// (x, y) of dst, nearest neighbour on device pixels, clipped to dst; 32-bit
// pixels only. Board pixels, as bitBlt.
void stretchBlt(QImage &dst, int x, int y, int w, int h, const QImage &src, int sx, int sy,
                int sw, int sh);

}  // namespace fusefuda
