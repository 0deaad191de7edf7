#include "render/painting.h"

#include <algorithm>
#include <cstring>

#include "render/cards.h"

namespace fusefuda {

namespace {

// Calls f(c, r, x, y) for every member of id's group in play, with (x, y) the
// member's position when the anchor lies at (left, top).
template <typename F>
void forEachMemberAt(const GameState &g, int left, int top, int id, F f) {
    const int c0 = cardColumn(id), r0 = cardRow(id);
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r)
            if (isMember(g, id, c, r)) f(c, r, left + kPitchX * (c - c0), top + kPitchY * (r - r0));
}

// The grey stencil ANDed onto a whole card-sized block of the window, four
// pixels at a time. The shadow is drawn for every member on every mouse move,
// and the general blit goes one pixel at a time. Blocks that reach past the
// window's edge take the general, clipping blit.
void andGreyCard(Surfaces &s, int x, int y) {
    if (x < 0 || y < 0 || x + kCardWidth > s.window.width() ||
        y + kCardHeight > s.window.height() ||
        s.greyCard.size() != QSize(kCardWidth, kCardHeight)) {
        windowBlt(s, x, y, kCardWidth, kCardHeight, s.greyCard, 0, 0, SRCAND);
        return;
    }
    typedef uint32_t Quad __attribute__((vector_size(16)));
    const qsizetype stride = s.window.bytesPerLine() / 4;
    const qsizetype greyStride = s.greyCard.bytesPerLine() / 4;
    const uint32_t *grey = reinterpret_cast<const uint32_t *>(s.greyCard.constBits());
    uint32_t *to = reinterpret_cast<uint32_t *>(s.window.bits()) + y * stride + x;
    for (int row = 0; row < kCardHeight; ++row) {
        uint32_t *d = to + row * stride;
        const uint32_t *g = grey + row * greyStride;
        for (int i = 0; i < kCardWidth; i += 4) {
            Quad a, b;
            std::memcpy(&a, d + i, sizeof a);
            std::memcpy(&b, g + i, sizeof b);
            a &= b;
            std::memcpy(d + i, &a, sizeof a);
        }
    }
    markWindow(s, x, y, kCardWidth, kCardHeight);
}

void copyCanvasToWindow(Context &ctx, int boardX, int boardY, int w, int h) {
    windowBlt(ctx.s, boardX - ctx.g.viewX, boardY - ctx.g.viewY, w, h, ctx.s.board, boardX, boardY,
              SRCCOPY);
}

// Draws every group onto the canvas once, at the stacking level of its
// topmost member. Drawing a group again at each lower member's level, as a
// plain walk would, only paints pixels that the later draw of the same group
// paints over again, so the picture is the same at a fraction of the copies.
void rebuildCanvas(Context &ctx) {
    GameState &g = ctx.g;
    Surfaces &s = ctx.s;
    bitBlt(s.board, 0, 0, kBoardWidth, kBoardHeight, s.background, 0, 0, SRCCOPY);
    if (g.gameStarted != 1) return;
    const ColumnRange cols = columnsInPlay(g.level);
    bool drawn[kCards] = {};
    int topLevels[kCards];
    int groups = 0;
    for (int n = kCards - 1; n >= 0; --n) {
        const int c = g.stackColumn[n], r = g.stackRow[n];
        if (!inPlay(g, c, r) || drawn[cardId(c, r)]) continue;
        const int id = cardId(c, r);
        drawn[id] = true;
        for (int mc = cols.first; mc <= cols.last; ++mc)
            for (int mr = 0; mr < kRows; ++mr)
                if (isMember(g, id, mc, mr)) drawn[cardId(mc, mr)] = true;
        topLevels[groups++] = n;
    }
    for (int i = groups - 1; i >= 0; --i) {
        const int c = g.stackColumn[topLevels[i]], r = g.stackRow[topLevels[i]];
        drawGroup(ctx, g.cardRect[c][r].left, g.cardRect[c][r].top, cardId(c, r), s.board, false);
    }
}

// A client area larger than what is left of the board past the view (a
// maximised window) has a margin that no copy reaches. It is cleared, so that
// nothing drawn there earlier stays on the screen.
void clearPastTheBoard(Surfaces &s, const GameState &g) {
    const int boardRight = kBoardWidth - g.viewX, boardBottom = kBoardHeight - g.viewY;
    for (int y = 0; y < s.window.height(); ++y) {
        auto *line = reinterpret_cast<uint32_t *>(s.window.scanLine(y));
        const int from = y < boardBottom ? std::max(boardRight, 0) : 0;
        for (int x = from; x < s.window.width(); ++x) line[x] = 0xFF000000u;
    }
}

}  // namespace

void paintWindow(Context &ctx) {
    GameState &g = ctx.g;
    Surfaces &s = ctx.s;
    clearPastTheBoard(s, g);
    if (g.panning == 1) {
        windowBlt(s, 0, 0, kBoardWidth, kBoardHeight, s.board, g.viewX, g.viewY, SRCCOPY);
        return;
    }
    bitBlt(s.window, 0, 0, kBoardWidth, kBoardHeight, s.background, g.viewX, g.viewY, SRCCOPY);
    if (g.gameStarted == 1) {
        for (int n = 0; n < kCards; ++n) {
            const int c = g.stackColumn[n], r = g.stackRow[n];
            if (!inPlay(g, c, r)) continue;
            const CardPicture pic = cardPicture(g, s, c, r);
            bitBlt(s.window, g.cardRect[c][r].left - g.viewX, g.cardRect[c][r].top - g.viewY,
                   kCardWidth, kCardHeight, *pic.surface, pic.x, pic.y, SRCCOPY);
        }
    }
    markWindow(s, 0, 0, s.window.width(), s.window.height());
    rebuildCanvas(ctx);
    // A repaint in the middle of a carry (a resize, a menu command from the
    // keyboard) must not put the carried group back onto the canvas: every
    // later move restores from it and would leave the group's picture behind.
    if (g.dragging == 1) liftGroup(ctx, cardId(g.dragColumn, g.dragRow));
}

void liftGroup(Context &ctx, int id) {
    GameState &g = ctx.g;
    Surfaces &s = ctx.s;
    for (int n = 0; n < kCards; ++n) {
        const int mc = g.stackColumn[n], mr = g.stackRow[n];
        if (!inPlay(g, mc, mr) || !isMember(g, id, mc, mr)) continue;
        const Rect &m = g.cardRect[mc][mr];
        bitBlt(s.scratch, 0, 0, kCardWidth, kCardHeight, s.background, m.left, m.top, SRCCOPY);
        // Only cards whose centre is nearer than one pitch are recomposed; a
        // card exactly one pitch away shares just the border line and is left
        // out, so that line shows the background until the next full paint.
        for (int k = 0; k < kCards; ++k) {
            const int nc = g.stackColumn[k], nr = g.stackRow[k];
            if (!inPlay(g, nc, nr) || isMember(g, id, nc, nr)) continue;
            const Rect &other = g.cardRect[nc][nr];
            const int cx = other.left + 31, cy = other.top + 50;
            if (cx < m.left - 31 || cx >= m.left + 94 || cy < m.top - 50 || cy >= m.top + 151)
                continue;
            const CardPicture pic = cardPicture(g, s, nc, nr);
            bitBlt(s.scratch, other.left - m.left, other.top - m.top, kCardWidth, kCardHeight,
                   *pic.surface, pic.x, pic.y, SRCCOPY);
        }
        bitBlt(s.board, m.left, m.top, kCardWidth, kCardHeight, s.scratch, 0, 0, SRCCOPY);
    }
}

void restoreGroupCells(Context &ctx, int id) {
    const GameState &g = ctx.g;
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r)
            if (isMember(g, id, c, r))
                copyCanvasToWindow(ctx, g.cardRect[c][r].left, g.cardRect[c][r].top, kCardWidth,
                                   kCardHeight);
}

void eraseCarryTrail(Context &ctx, int left, int top, int id) {
    forEachMemberAt(ctx.g, left, top, id, [&](int, int, int x, int y) {
        copyCanvasToWindow(ctx, x, y, kCardWidth + 5, kCardHeight + 5);
    });
}

void drawCarryShadow(Context &ctx, int left, int top, int id) {
    const GameState &g = ctx.g;
    forEachMemberAt(g, left, top, id, [&](int c, int r, int x, int y) {
        // A member with members to its right and below has its whole shadow
        // under those cards, so it is not drawn at all.
        const bool rightIn = c + 1 < kColumns && isMember(g, id, c + 1, r);
        const bool belowIn = r + 1 < kRows && isMember(g, id, c, r + 1);
        if (rightIn && belowIn) return;
        andGreyCard(ctx.s, x - g.viewX, y - g.viewY);
    });
}

void eraseDropArea(Context &ctx, int left, int top, int id) {
    forEachMemberAt(ctx.g, left, top, id, [&](int, int, int x, int y) {
        copyCanvasToWindow(ctx, x - 25, y - 25, kPitchX + 50, kPitchY + 50);
    });
}

void rebuildBoardWithBacks(Context &ctx, int exceptId) {
    GameState &g = ctx.g;
    Surfaces &s = ctx.s;
    bitBlt(s.board, 0, 0, 2000, kBoardHeight, s.background, 0, 0, SRCCOPY);
    for (int n = 0; n < kCards; ++n) {
        const int c = g.stackColumn[n], r = g.stackRow[n];
        if (!inPlay(g, c, r) || cardId(c, r) == exceptId) continue;
        bitBlt(s.board, g.cardRect[c][r].left, g.cardRect[c][r].top, kCardWidth, kCardHeight,
               s.backs, 0, 0, SRCCOPY);
    }
}

}  // namespace fusefuda
