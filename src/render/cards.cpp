#include "render/cards.h"

#include <algorithm>

namespace fusefuda {

CardPicture cardPicture(const GameState &g, const Surfaces &s, int c, int r) {
    if (!g.board.faceUp[c][r]) {
        // The strip holds three shades. A face-down card never carries
        // another touch count in play, but a restored record might; it then
        // shows the nearest shade instead of a block cut from beyond the
        // strip's edge.
        const int shade = std::clamp(g.board.touchCount[c][r], 0, 2);
        return {&s.backs, kPitchX * shade, 0};
    }
    if (g.board.touchCount[c][r] == kSettled) return {&s.settledFace, kPitchX * c, kPitchY * r};
    return {&s.face, kPitchX * c, kPitchY * r};
}

void markWindow(Surfaces &s, int x, int y, int w, int h) {
    // The window is marked on every small copy: at scale 1 its rectangle is
    // read as it stands.
    const QRect area =
        QRect(x, y, w, h).intersected(s.scale == 1 ? s.window.rect() : logicalRect(s.window));
    if (!area.isEmpty()) s.dirty += area;
}

void windowBlt(Surfaces &s, int x, int y, int w, int h, const QImage &src, int sx, int sy,
               Rop rop) {
    bitBlt(s.window, x, y, w, h, src, sx, sy, rop);
    markWindow(s, x, y, w, h);
}

void drawGroup(Context &ctx, int x, int y, int anchorId, QImage &target, bool subtractView) {
    const GameState &g = ctx.g;
    if (anchorId < 0 || anchorId >= kCards) return;
    const int c0 = anchorId % kColumns, r0 = anchorId / kColumns;
    const int dx = subtractView ? g.viewX : 0, dy = subtractView ? g.viewY : 0;
    const bool onWindow = &target == &ctx.s.window;
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (!isMember(g, anchorId, c, r)) continue;
            const CardPicture pic = cardPicture(g, ctx.s, c, r);
            const int px = x + kPitchX * (c - c0) - dx, py = y + kPitchY * (r - r0) - dy;
            bitBlt(target, px, py, kCardWidth, kCardHeight, *pic.surface, pic.x, pic.y, SRCCOPY);
            if (onWindow) markWindow(ctx.s, px, py, kCardWidth, kCardHeight);
        }
    }
}

}  // namespace fusefuda
