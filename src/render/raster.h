// The one block-copy primitive that all drawing uses, with the three raster
// operations by their platform codes, and the stretched copy of the flips.
#pragma once

#include <QImage>
#include <cstdint>

namespace fusefuda {

enum Rop : uint32_t {
    SRCCOPY = 0x00CC0020,   // destination = source
    SRCAND = 0x008800C6,    // destination = source AND destination
    SRCPAINT = 0x00EE0086,  // destination = source OR destination
};

// Combines the w x h block at (sx, sy) of src into (x, y) of dst, clipped to
// both images; src may be dst itself, with overlapping blocks. Both must have
// 32-bit pixels (Format_RGB32); with any other format nothing is drawn.
void bitBlt(QImage &dst, int x, int y, int w, int h, const QImage &src, int sx, int sy,
            Rop rop);

// Copies the sw x sh block at (sx, sy) of src into the w x h rectangle at
// (x, y) of dst, nearest neighbour, clipped to dst; 32-bit pixels only.
void stretchBlt(QImage &dst, int x, int y, int w, int h, const QImage &src, int sx, int sy,
                int sw, int sh);

}  // namespace fusefuda
