#include "render/hover.h"

#include "render/cards.h"
#include "render/painting.h"
#include "render/raster.h"

#include <algorithm>

namespace fusefuda {

namespace {

constexpr QRgb kGuideColour = 0xFFFFFF00u;  // red 255, green 255, blue 0

}  // namespace

void fillWindowBlock(Surfaces &s, int x0, int y0, int x1, int y1, QRgb colour) {
    const int k = s.scale;
    const QRect block = QRect(QPoint(x0, y0), QPoint(x1, y1))
                            .intersected(k == 1 ? s.window.rect() : logicalRect(s.window));
    if (block.isEmpty()) return;
    const QRect pixels =
        k == 1 ? block : QRect(block.x() * k, block.y() * k, block.width() * k, block.height() * k);
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(s.window.scanLine(y));
        for (int x = pixels.left(); x <= pixels.right(); ++x) line[x] = colour;
    }
    markWindow(s, block.x(), block.y(), block.width(), block.height());
}

namespace {

// A line of the two-pixel guide pen from (x0, y0) towards (x1, y1), axis
// parallel, ending one point short as the platform's line drawing does. The
// pen square covers [p - 1, p] on both axes around each point p, so an
// outline through the second and the last pixel of a card picture stays
// inside its 64 x 102 block, and copying the block back wipes it whole.
void guideLine(Surfaces &s, int x0, int y0, int x1, int y1) {
    if (y0 == y1) {
        const int last = x1 > x0 ? x1 - 1 : x1 + 1;
        fillWindowBlock(s, std::min(x0, last) - 1, y0 - 1, std::max(x0, last), y0, kGuideColour);
    } else {
        const int last = y1 > y0 ? y1 - 1 : y1 + 1;
        fillWindowBlock(s, x0 - 1, std::min(y0, last) - 1, x0, std::max(y0, last), kGuideColour);
    }
}

bool memberAt(const GameState &g, int id, int c, int r) {
    return inPlay(g, c, r) && isMember(g, id, c, r);
}

}  // namespace

void clearHoverOutline(Context &ctx, int lastShown) {
    const int previous = ctx.drawn.guidePrevious;
    restoreGroupCells(ctx, previous);
    // A card crossed with a single move never becomes the previous card, so
    // its outline would stay behind; it is the one last shown.
    if (lastShown >= 0 && lastShown < kCards && lastShown != previous)
        restoreGroupCells(ctx, lastShown);
    // The wipe may have reached a group held by a peek or a press; it stays in
    // front until its release.
    drawGroupInHand(ctx);
    showPeekUnknown(ctx);
}

void drawGuideOutline(Context &ctx, int id) {
    const GameState &g = ctx.g;
    if (id < 0 || id >= kCards) return;
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (!isMember(g, id, c, r)) continue;
            const Rect &cell = g.board.cardRect[c][r];
            const int left = cell.left + 1 - g.viewX, top = cell.top + 1 - g.viewY;
            const int right = cell.right - g.viewX, bottom = cell.bottom - g.viewY;
            if (!memberAt(g, id, c, r - 1)) guideLine(ctx.s, left, top, right, top);
            if (!memberAt(g, id, c + 1, r)) guideLine(ctx.s, right, top, right, bottom);
            if (!memberAt(g, id, c, r + 1)) guideLine(ctx.s, right, bottom, left, bottom);
            if (!memberAt(g, id, c - 1, r)) guideLine(ctx.s, left, bottom, left, top);
        }
    }
}

void showPeekFace(Context &ctx, int c, int r) {
    if (!ctx.g.peekModeOn) return;
    if (c < 0 || c >= kColumns || r < 0 || r >= kRows) return;
    bitBlt(ctx.s.peek, 0, 0, kCardWidth, kCardHeight, ctx.s.face, kPitchX * c, kPitchY * r,
           SRCCOPY);
    ctx.s.peekFace = cardId(c, r);
}

void showPeekUnknown(Context &ctx) {
    if (!ctx.g.peekModeOn) return;
    bitBlt(ctx.s.peek, 0, 0, kCardWidth, kCardHeight, ctx.s.unknownCard, 0, 0, SRCCOPY);
    ctx.s.peekFace = kNoCard;
}

}  // namespace fusefuda
