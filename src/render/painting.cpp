#include "render/painting.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "render/boxes.h"
#include "render/canvas.h"
#include "render/cards.h"
#include "render/carriedpictures.h"
#include "render/focus.h"

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
    const int k = s.scale;
    const QSize window = k == 1 ? s.window.size() : logicalSize(s.window);
    if (x < 0 || y < 0 || x + kCardWidth > window.width() || y + kCardHeight > window.height() ||
        s.greyCard.size() != QSize(kCardWidth * k, kCardHeight * k)) {
        windowBlt(s, x, y, kCardWidth, kCardHeight, s.greyCard, 0, 0, SRCAND);
        return;
    }
    typedef uint32_t Quad __attribute__((vector_size(16)));
    const qsizetype stride = s.window.bytesPerLine() / 4;
    const qsizetype greyStride = s.greyCard.bytesPerLine() / 4;
    const uint32_t *grey = reinterpret_cast<const uint32_t *>(s.greyCard.constBits());
    uint32_t *to = reinterpret_cast<uint32_t *>(s.window.bits()) + y * k * stride + x * k;
    for (int row = 0; row < kCardHeight * k; ++row) {
        uint32_t *d = to + row * stride;
        const uint32_t *g = grey + row * greyStride;
        for (int i = 0; i < kCardWidth * k; i += 4) {
            Quad a, b;
            std::memcpy(&a, d + i, sizeof a);
            std::memcpy(&b, g + i, sizeof b);
            a &= b;
            std::memcpy(d + i, &a, sizeof a);
        }
    }
    markWindow(s, x, y, kCardWidth, kCardHeight);
}

// Marks the union of the boxes, no more, as one region made at once: its
// rectangles come out of the sweep already in the order and shape a region
// keeps them, where adding the boxes one by one would merge regions as often.
void markExactly(Surfaces &s, const Box *boxes, int count) {
    const QRect window = s.scale == 1 ? s.window.rect() : logicalRect(s.window);
    // Kept from move to move: a frame should not clear a list it may not use.
    static thread_local std::vector<QRect> rects;
    rects.clear();
    forEachBoxOfDifference(boxes, count, nullptr, 0, [&](const Box &b) {
        const QRect r = QRect(b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0).intersected(window);
        if (!r.isEmpty()) rects.push_back(r);
    });
    QRegion region;
    region.setRects(rects.data(), int(rects.size()));
    s.dirty += region;
}

void copyCanvasToWindow(Context &ctx, int boardX, int boardY, int w, int h) {
    canvasToWindow(ctx.s, boardX - ctx.g.viewX, boardY - ctx.g.viewY, w, h, boardX, boardY);
}

// The canvas placed round the view and drawn afresh by the rule.
void renewCanvas(Context &ctx) {
    Surfaces &s = ctx.s;
    s.canvasOrigin = canvasOriginFor(s, QPoint(ctx.g.viewX, ctx.g.viewY));
    drawBoardByRule(ctx, s.board, s.canvasOrigin);
    s.canvasDrawn = true;
}

// A client area larger than what is left of the board past the view (a
// maximised window) has a margin that no copy reaches. It is cleared, so that
// nothing drawn there earlier stays on the screen.
void clearPastTheBoard(Surfaces &s, const GameState &g) {
    const int k = scaleOf(s.window);
    const int boardRight = (kBoardWidth - g.viewX) * k, boardBottom = (kBoardHeight - g.viewY) * k;
    for (int y = 0; y < s.window.height(); ++y) {
        auto *line = reinterpret_cast<uint32_t *>(s.window.scanLine(y));
        const int from = y < boardBottom ? std::max(boardRight, 0) : 0;
        for (int x = from; x < s.window.width(); ++x) line[x] = 0xFF000000u;
    }
}

}  // namespace

void paintWindow(Context &ctx) {
    const GameState &g = ctx.g;
    Surfaces &s = ctx.s;
    clearPastTheBoard(s, g);
    if (g.gesture.panning) {
        // A pull within the canvas only copies from it; one past its edge
        // first brings it round the view.
        if (!s.canvasDrawn || !canvasShows(s, QPoint(g.viewX, g.viewY))) renewCanvas(ctx);
        canvasToWindow(s, 0, 0, kBoardWidth, kBoardHeight, g.viewX, g.viewY);
        return;
    }
    backgroundBlt(s.window, 0, 0, kBoardWidth, kBoardHeight, s, g.viewX, g.viewY);
    if (g.gameStarted) {
        for (int n = 0; n < kCards; ++n) {
            const int c = g.board.stackColumn[n], r = g.board.stackRow[n];
            if (!inPlay(g, c, r)) continue;
            const CardPicture pic = cardPicture(g, s, c, r);
            bitBlt(s.window, g.board.cardRect[c][r].left - g.viewX,
                   g.board.cardRect[c][r].top - g.viewY, kCardWidth, kCardHeight, *pic.surface,
                   pic.x, pic.y, SRCCOPY);
        }
    }
    markWindow(s, 0, 0, logicalSize(s.window).width(), logicalSize(s.window).height());
    renewCanvas(ctx);
    // A repaint in the middle of a carry (a resize, a menu command from the
    // keyboard) must not put the carried group back onto the canvas: every
    // later move restores from it and would leave the group's picture behind.
    // The group shows as a move shows it, with its shadow: a carry by keys
    // may wait long for its next step.
    if (g.gesture.dragging) {
        const int id = cardId(g.gesture.dragColumn, g.gesture.dragRow);
        liftGroup(ctx, id);
        const int left = g.gesture.dragLeft, top = g.gesture.dragTop;
        moveCarriedGroup(ctx, left, top, left, top, id);
    }
    ctx.drawn.outlineDrawn = false;
    drawKeyFocus(ctx);
}

void liftGroup(Context &ctx, int id) {
    const GameState &g = ctx.g;
    Surfaces &s = ctx.s;
    for (int n = 0; n < kCards; ++n) {
        const int mc = g.board.stackColumn[n], mr = g.board.stackRow[n];
        if (!inPlay(g, mc, mr) || !isMember(g, id, mc, mr)) continue;
        const Rect &m = g.board.cardRect[mc][mr];
        backgroundBlt(s.scratch, 0, 0, kCardWidth, kCardHeight, s, m.left, m.top);
        // Only cards whose centre is nearer than one pitch are recomposed; a
        // card exactly one pitch away shares just the border line and is left
        // out, so that line shows the background until the next full paint.
        for (int k = 0; k < kCards; ++k) {
            const int nc = g.board.stackColumn[k], nr = g.board.stackRow[k];
            if (!inPlay(g, nc, nr) || isMember(g, id, nc, nr)) continue;
            const Rect &other = g.board.cardRect[nc][nr];
            const int cx = other.left + 31, cy = other.top + 50;
            if (cx < m.left - 31 || cx >= m.left + 94 || cy < m.top - 50 || cy >= m.top + 151)
                continue;
            const CardPicture pic = cardPicture(g, s, nc, nr);
            bitBlt(s.scratch, other.left - m.left, other.top - m.top, kCardWidth, kCardHeight,
                   *pic.surface, pic.x, pic.y, SRCCOPY);
        }
        copyToCanvas(s, m.left, m.top, kCardWidth, kCardHeight, s.scratch, 0, 0);
    }
}

void restoreGroupCells(Context &ctx, int id) {
    const GameState &g = ctx.g;
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r)
            if (isMember(g, id, c, r))
                copyCanvasToWindow(ctx, g.board.cardRect[c][r].left, g.board.cardRect[c][r].top,
                                   kCardWidth, kCardHeight);
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

void moveCarriedGroup(Context &ctx, int oldLeft, int oldTop, int newLeft, int newTop, int id) {
    const GameState &g = ctx.g;
    Surfaces &s = ctx.s;
    struct Member {
        int x, y;  // the new place on the window
        int id;
        bool shadow;
    };
    std::array<Member, kCards> members;
    std::array<Box, kCards> trail, covered;
    // Each member's block with its shadow, at the old place and at the new:
    // together all that the move changes.
    std::array<Box, 2 * kCards> blocks;
    int n = 0;
    const int shiftX = oldLeft - newLeft, shiftY = oldTop - newTop;
    forEachMemberAt(g, newLeft - g.viewX, newTop - g.viewY, id, [&](int c, int r, int x, int y) {
        const CardPicture pic = cardPicture(g, s, c, r);
        // A member with members to its right and below has its whole shadow
        // under those cards, so it is not drawn at all.
        const bool rightIn = c + 1 < kColumns && isMember(g, id, c + 1, r);
        const bool belowIn = r + 1 < kRows && isMember(g, id, c, r + 1);
        members[n] = {x, y, cardId(c, r), !(rightIn && belowIn)};
        trail[n] = {x + shiftX, y + shiftY, x + shiftX + kCardWidth + 5,
                    y + shiftY + kCardHeight + 5};
        // What the card's copy will paint over: all of its block unless the
        // picture's surface runs out first.
        const QImage &from = *pic.surface;
        const bool drawable = from.depth() == 32;
        const QSize fromSize = logicalSize(from);
        covered[n] = {x, y, x + (drawable ? std::min(kCardWidth, fromSize.width() - pic.x) : 0),
                      y + (drawable ? std::min(kCardHeight, fromSize.height() - pic.y) : 0)};
        blocks[2 * n] = trail[n];
        blocks[2 * n + 1] = {x, y, x + kCardWidth + 5, y + kCardHeight + 5};
        ++n;
    });

    // The canvas comes back only where the group was and its cards will not
    // be: the members' blocks overlap one another, and most of the old area is
    // painted over by the cards at once.
    forEachBoxOfDifference(trail.data(), n, covered.data(), n, [&](const Box &b) {
        copyFromCanvas(s.window, b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0, s, b.x0 + g.viewX,
                       b.y0 + g.viewY);
    });
    // Likewise each shadow only where no card will cover it: mostly a strip
    // along the group's lower and right edges.
    for (int i = 0; i < n; ++i) {
        const Member &m = members[i];
        if (!m.shadow) continue;
        const Box shade{m.x + 5, m.y + 5, m.x + 5 + kCardWidth, m.y + 5 + kCardHeight};
        std::array<Box, kCards> over;
        int nOver = 0;
        for (int j = 0; j < n; ++j) {
            const Box &c = covered[j];
            if (c.x0 < shade.x1 && shade.x0 < c.x1 && c.y0 < shade.y1 && shade.y0 < c.y1)
                over[nOver++] = c;
        }
        forEachBoxOfDifference(&shade, 1, over.data(), nOver, [&](const Box &b) {
            bitBlt(s.window, b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0, s.greyCard, b.x0 - shade.x0,
                   b.y0 - shade.y0, SRCAND);
        });
    }
    std::array<CardPicture, kCards> strip;
    carriedPictures(ctx, id, strip);
    for (int i = 0; i < n; ++i) {
        const Member &m = members[i];
        const CardPicture &pic = strip[m.id];
        bitBlt(s.window, m.x, m.y, covered[i].x1 - m.x, covered[i].y1 - m.y, *pic.surface, pic.x,
               pic.y, SRCCOPY);
    }
    markExactly(s, blocks.data(), 2 * n);
}

void eraseDropArea(Context &ctx, int left, int top, int id) {
    forEachMemberAt(ctx.g, left, top, id, [&](int, int, int x, int y) {
        copyCanvasToWindow(ctx, x - 25, y - 25, kPitchX + 50, kPitchY + 50);
    });
}

void rebuildBoardWithBacks(Context &ctx, int exceptId) {
    const GameState &g = ctx.g;
    Surfaces &s = ctx.s;
    backgroundToCanvas(s, 0, 0, 2000, kBoardHeight);
    for (int n = 0; n < kCards; ++n) {
        const int c = g.board.stackColumn[n], r = g.board.stackRow[n];
        if (!inPlay(g, c, r) || cardId(c, r) == exceptId) continue;
        copyToCanvas(s, g.board.cardRect[c][r].left, g.board.cardRect[c][r].top, kCardWidth,
                     kCardHeight, s.backs, 0, 0);
    }
}

void drawGroupInHand(Context &ctx) {
    const GameState &g = ctx.g;
    int c = 0, r = 0;
    if (g.gesture.dragging) {
        c = g.gesture.dragColumn;
        r = g.gesture.dragRow;
    } else if (g.gesture.pressMode != kPressNone) {
        c = g.gesture.pressColumn;
        r = g.gesture.pressRow;
    } else {
        return;
    }
    if (c < 0 || c >= kColumns || r < 0 || r >= kRows) return;
    drawGroup(ctx, g.board.cardRect[c][r].left, g.board.cardRect[c][r].top, cardId(c, r),
              ctx.s.window, true);
}

}  // namespace fusefuda
