#include "render/raster.h"

#include <algorithm>
#include <cstring>

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

}  // namespace

void bitBlt(QImage &dst, int x, int y, int w, int h, const QImage &src, int sx, int sy,
            Rop rop) {
    if (dst.isNull() || src.isNull()) return;
    if (!clip(dst, x, y, w, h, src, sx, sy)) return;
    const qsizetype srcStride = src.bytesPerLine() / 4;
    const qsizetype dstStride = dst.bytesPerLine() / 4;
    // constBits first so that a source sharing data with dst is not detached
    const uint32_t *from = reinterpret_cast<const uint32_t *>(src.constBits()) + sy * srcStride + sx;
    uint32_t *to = reinterpret_cast<uint32_t *>(dst.bits()) + y * dstStride + x;
    if (&src == &dst) from = to - (y - sy) * dstStride - (x - sx);
    switch (rop) {
    case SRCCOPY:
        if (&src == &dst && y > sy) {
            for (int row = h - 1; row >= 0; --row)
                std::memmove(to + row * dstStride, from + row * srcStride, size_t(w) * 4);
        } else {
            for (int row = 0; row < h; ++row)
                std::memmove(to + row * dstStride, from + row * srcStride, size_t(w) * 4);
        }
        break;
    case SRCAND:
        for (int row = 0; row < h; ++row) {
            uint32_t *d = to + row * dstStride;
            const uint32_t *sp = from + row * srcStride;
            for (int i = 0; i < w; ++i) d[i] &= sp[i];
        }
        break;
    case SRCPAINT:
        for (int row = 0; row < h; ++row) {
            uint32_t *d = to + row * dstStride;
            const uint32_t *sp = from + row * srcStride;
            for (int i = 0; i < w; ++i) d[i] |= sp[i];
        }
        break;
    }
}

void stretchBlt(QImage &dst, int x, int y, int w, int h, const QImage &src, int sx, int sy,
                int sw, int sh) {
    if (dst.isNull() || src.isNull() || w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    const int x0 = std::max(x, 0), x1 = std::min(x + w, dst.width());
    const int y0 = std::max(y, 0), y1 = std::min(y + h, dst.height());
    const qsizetype srcStride = src.bytesPerLine() / 4;
    const uint32_t *base = reinterpret_cast<const uint32_t *>(src.constBits());
    for (int dy = y0; dy < y1; ++dy) {
        const int srow = sy + int((int64_t(dy - y) * sh) / h);
        if (srow < 0 || srow >= src.height()) continue;
        uint32_t *d = reinterpret_cast<uint32_t *>(dst.scanLine(dy));
        const uint32_t *sp = base + srow * srcStride;
        for (int dx = x0; dx < x1; ++dx) {
            const int scol = sx + int((int64_t(dx - x) * sw) / w);
            if (scol >= 0 && scol < src.width()) d[dx] = sp[scol];
        }
    }
}

}  // namespace fusefuda
