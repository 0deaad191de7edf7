#include "render/raster.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace fusefuda {

namespace {

// Clips a copy of w x h from (sx, sy) to (x, y) against both images' bounds.
// Returns false when nothing is left.
bool clip(const QImage &dst, int &x, int &y, int &w, int &h, const QImage &src, int &sx,
          int &sy) {
    if (x < 0) { sx -= x; w += x; x = 0; }
    if (y < 0) { sy -= y; h += y; y = 0; }
    if (sx < 0) { x -= sx; w += sx; sx = 0; }
    if (sy < 0) { y -= sy; h += sy; sy = 0; }
    w = std::min({w, dst.width() - x, src.width() - sx});
    h = std::min({h, dst.height() - y, src.height() - sy});
    return w > 0 && h > 0;
}

// The copy itself, in device pixels.
[[gnu::always_inline]] inline void blit(QImage &dst, int x, int y, int w, int h, const QImage &src,
                                        int sx, int sy, Rop rop) {
    // Any other pixel size would make the row arithmetic below run past the
    // image.
    if (dst.isNull() || src.isNull() || dst.depth() != 32 || src.depth() != 32) return;
    if (!clip(dst, x, y, w, h, src, sx, sy)) return;
    const qsizetype srcStride = src.bytesPerLine() / 4;
    const qsizetype dstStride = dst.bytesPerLine() / 4;
    // constBits first so that a source sharing data with dst is not detached
    const uint32_t *from = reinterpret_cast<const uint32_t *>(src.constBits()) + sy * srcStride + sx;
    uint32_t *to = reinterpret_cast<uint32_t *>(dst.bits()) + y * dstStride + x;
    const bool self = &src == &dst;
    if (self) from = to - (y - sy) * dstStride - (x - sx);
    // Within one image a block moved down is walked bottom-up and a block
    // moved right within its rows right to left, so that no source pixel is
    // overwritten before it is read.
    const bool upwards = self && y > sy;
    const bool leftwards = self && y == sy && x > sx;
    // A short row, a card's or a strip's, is too short for the processor to
    // see the stream, and each row lies on a page of its own: between two
    // mouse moves the blocks have gone cold, and the copy would wait for every
    // row in turn. The row after next is asked for while this one is copied.
    const bool prefetch = w <= 256;
    for (int i = 0; i < h; ++i) {
        const int row = upwards ? h - 1 - i : i;
        uint32_t *d = to + row * dstStride;
        const uint32_t *sp = from + row * srcStride;
        switch (rop) {
        case SRCCOPY:
            if (prefetch && i + 2 < h) {
                const int ahead = upwards ? row - 2 : row + 2;
                const auto *s2 = reinterpret_cast<const char *>(from + ahead * srcStride);
                auto *d2 = reinterpret_cast<char *>(to + ahead * dstStride);
                for (int k = 0; k < w * 4; k += 64) {
                    __builtin_prefetch(s2 + k, 0);
                    __builtin_prefetch(d2 + k, 1);
                }
            }
            std::memmove(d, sp, size_t(w) * 4);
            break;
        case SRCAND:
            if (leftwards)
                for (int k = w - 1; k >= 0; --k) d[k] &= sp[k];
            else
                for (int k = 0; k < w; ++k) d[k] &= sp[k];
            break;
        case SRCPAINT:
            if (leftwards)
                for (int k = w - 1; k >= 0; --k) d[k] |= sp[k];
            else
                for (int k = 0; k < w; ++k) d[k] |= sp[k];
            break;
        }
    }
}

}  // namespace

QRegion devicePixels(const QRegion &region, int k) {
    if (k == 1) return region;
    std::vector<QRect> rects(region.begin(), region.end());
    for (QRect &r : rects) r = devicePixels(r, k);
    QRegion device;
    device.setRects(rects.data(), int(rects.size()));
    return device;
}

void bitBlt(QImage &dst, int x, int y, int w, int h, const QImage &src, int sx, int sy, Rop rop) {
    if (const int k = scaleOf(dst); k != 1) {
        x *= k, y *= k, w *= k, h *= k;
        sx *= k, sy *= k;
    }
    blit(dst, x, y, w, h, src, sx, sy, rop);
}

void deviceBitBlt(QImage &dst, int x, int y, int w, int h, const QImage &src, int sx, int sy,
                  Rop rop) {
    blit(dst, x, y, w, h, src, sx, sy, rop);
}

void stretchBlt(QImage &dst, int x, int y, int w, int h, const QImage &src, int sx, int sy,
                int sw, int sh) {
    if (dst.isNull() || src.isNull() || dst.depth() != 32 || src.depth() != 32) return;
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    if (const int k = scaleOf(dst); k != 1) {
        x *= k, y *= k, w *= k, h *= k;
        sx *= k, sy *= k, sw *= k, sh *= k;
    }
    const int x0 = std::max(x, 0), x1 = std::min(x + w, dst.width());
    const int y0 = std::max(y, 0), y1 = std::min(y + h, dst.height());
    if (x0 >= x1) return;
    // Every row takes the same source columns: worked out once a copy, not
    // once a pixel (a card turn copies some 200,000 pixels). -1 marks a column
    // outside the source.
    std::vector<int> columns(size_t(x1 - x0));
    for (int dx = x0; dx < x1; ++dx) {
        const int scol = sx + int((int64_t(dx - x) * sw) / w);
        columns[size_t(dx - x0)] = scol >= 0 && scol < src.width() ? scol : -1;
    }
    const qsizetype srcStride = src.bytesPerLine() / 4;
    const uint32_t *base = reinterpret_cast<const uint32_t *>(src.constBits());
    for (int dy = y0; dy < y1; ++dy) {
        const int srow = sy + int((int64_t(dy - y) * sh) / h);
        if (srow < 0 || srow >= src.height()) continue;
        uint32_t *d = reinterpret_cast<uint32_t *>(dst.scanLine(dy)) + x0;
        const uint32_t *sp = base + srow * srcStride;
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i] >= 0) d[i] = sp[columns[i]];
    }
}

}  // namespace fusefuda
