#include "render/carriedpictures.h"

#include <algorithm>

namespace fusefuda {

void carriedPictures(Context &ctx, int id, std::array<CardPicture, kCards> &out) {
    const GameState &g = ctx.g;
    Surfaces &s = ctx.s;
    const ColumnRange cols = columnsInPlay(g.level);
    // What the strip holds: each member and where its own picture comes from.
    // A copy of a surface that was drawn on since has another cache key.
    std::array<qint64, 4 * kCards + 2> key;
    std::array<CardPicture, kCards> from;
    std::array<int, kCards> members;
    int n = 0, keys = 0;
    key[keys++] = s.scale;
    key[keys++] = id;
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r)
            if (isMember(g, id, c, r)) {
                const CardPicture pic = cardPicture(g, s, c, r);
                members[n] = cardId(c, r);
                from[n++] = pic;
                key[keys++] = cardId(c, r);
                key[keys++] = pic.surface->cacheKey();
                key[keys++] = pic.x;
                key[keys++] = pic.y;
            }
    const bool same =
        !s.carriedStrip.isNull() && std::equal(key.begin(), key.begin() + keys,
                                               s.carriedStripKey.begin(), s.carriedStripKey.end());
    // Each picture's block in the strip, one for all members that show it.
    std::array<int, kCards> block;
    int blocks = 0;
    for (int i = 0; i < n; ++i) {
        int j = 0;
        while (j < i && (from[j].surface != from[i].surface || from[j].x != from[i].x ||
                         from[j].y != from[i].y))
            ++j;
        block[i] = j < i ? block[j] : blocks++;
    }
    const int k = s.scale;
    if (!same) {
        s.carriedStripKey.assign(key.begin(), key.begin() + keys);
        s.carriedStrip =
            QImage(kCardWidth * k, kCardHeight * k * std::max(blocks, 1), QImage::Format_RGB32);
        if (k != 1) s.carriedStrip.setDevicePixelRatio(k);
        for (int i = 0; i < n; ++i)
            bitBlt(s.carriedStrip, 0, kCardHeight * block[i], kCardWidth, kCardHeight,
                   *from[i].surface, from[i].x, from[i].y, SRCCOPY);
    }
    for (int i = 0; i < n; ++i) out[members[i]] = {&s.carriedStrip, 0, kCardHeight * block[i]};
}

void forgetCarriedPictures(Surfaces &s) {
    s.carriedStrip = QImage();
    s.carriedStripKey.clear();
}

}  // namespace fusefuda
