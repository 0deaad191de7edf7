#include "render/focus.h"

#include <QRect>
#include <algorithm>
#include <array>

#include "render/canvas.h"
#include "render/cards.h"

namespace fusefuda {

namespace {

// Magenta is on no face, back or background and is not the see-through key;
// the dark edges part it from pink and red pictures around it.
constexpr QRgb kFocusColour = 0xFFFF00FFu;
constexpr QRgb kFocusEdge = 0xFF000000u;
// Dashes and gaps along the frame where cards above the focus card lie.
constexpr int kDash = 4;
const QRect kBoard(0, 0, kBoardWidth, kBoardHeight);

QRect pictureAt(const Rect &r) { return QRect(r.left, r.top, kCardWidth, kCardHeight); }

QRect frameBlock(int left, int top) {
    return QRect(left - kFocusReach, top - kFocusReach, kCardWidth + 2 * kFocusReach,
                 kCardHeight + 2 * kFocusReach);
}

// The frame's four sides on the board, the corners in the top and bottom.
std::array<QRect, 4> frameSides(int left, int top) {
    const QRect b = frameBlock(left, top);
    return {QRect(b.left(), b.top(), b.width(), kFocusReach).intersected(kBoard),
            QRect(b.left(), top + kCardHeight, b.width(), kFocusReach).intersected(kBoard),
            QRect(b.left(), top, kFocusReach, kCardHeight).intersected(kBoard),
            QRect(left + kCardWidth, top, kFocusReach, kCardHeight).intersected(kBoard)};
}

// The window shows a group in hand that the canvas lacks (lifted, or raised
// by a press not yet released), a carried one with its shadow: drawn again
// within a board box after the canvas was copied over it, as a carry draws it.
void redrawHandIn(Context &ctx, const QRect &box) {
    const GameState &g = ctx.g;
    const Gesture &hand = g.gesture;
    const int c0 = hand.dragging ? hand.dragColumn : hand.pressColumn;
    const int r0 = hand.dragging ? hand.dragRow : hand.pressRow;
    if ((!hand.dragging && hand.pressMode == kPressNone) || !inPlay(g, c0, r0)) return;
    const int id = cardId(c0, r0);
    auto copy = [&](const QRect &to, const QImage &from, int x, int y, Rop rop) {
        const QRect part = to.intersected(box);
        if (part.isEmpty()) return;
        bitBlt(ctx.s.window, part.x() - g.viewX, part.y() - g.viewY, part.width(), part.height(),
               from, x + part.x() - to.x(), y + part.y() - to.y(), rop);
    };
    const ColumnRange cols = columnsInPlay(g.level);
    for (int pass = hand.dragging ? 0 : 1; pass < 2; ++pass) {
        for (int c = cols.first; c <= cols.last; ++c) {
            for (int r = 0; r < kRows; ++r) {
                if (!isMember(g, id, c, r)) continue;
                const QRect at = pictureAt(g.board.cardRect[c][r]);
                if (pass == 1) {
                    const CardPicture pic = cardPicture(g, ctx.s, c, r);
                    copy(at, *pic.surface, pic.x, pic.y, SRCCOPY);
                    continue;
                }
                const bool rightIn = c + 1 < kColumns && isMember(g, id, c + 1, r);
                const bool belowIn = r + 1 < kRows && isMember(g, id, c, r + 1);
                if (!(rightIn && belowIn)) copy(at.translated(5, 5), ctx.s.greyCard, 0, 0, SRCAND);
            }
        }
    }
}

// Everything the frame covered comes back: the canvas, then the group in hand.
void eraseFrame(Context &ctx, int left, int top) {
    for (const QRect &side : frameSides(left, top)) {
        if (side.isEmpty()) continue;
        canvasToWindow(ctx.s, side.x() - ctx.g.viewX, side.y() - ctx.g.viewY, side.width(),
                       side.height(), side.x(), side.y());
        redrawHandIn(ctx, side);
    }
}

// Each board pixel of the frame is k x k device pixels on the window: a dark
// edge, a three-pixel band, a dark edge, the card's picture left alone.
void drawFrame(Context &ctx, int id) {
    const GameState &g = ctx.g;
    Surfaces &s = ctx.s;
    const int c0 = cardColumn(id), r0 = cardRow(id);
    const Rect &at = g.board.cardRect[c0][r0];
    const QRect block = frameBlock(at.left, at.top);
    std::array<QRect, kCards> above;
    int covering = 0;
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r)
            if (g.board.stackLevel[c][r] > g.board.stackLevel[c0][r0] && !isMember(g, id, c, r) &&
                pictureAt(g.board.cardRect[c][r]).intersects(block))
                above[covering++] = pictureAt(g.board.cardRect[c][r]);
    const int k = s.scale;
    const QRect shown =
        block.intersected(kBoard).intersected(logicalRect(s.window).translated(g.viewX, g.viewY));
    for (int y = shown.top(); y <= shown.bottom(); ++y) {
        const int j = y - block.top();
        const bool acrossSide = j < kFocusReach || j >= block.height() - kFocusReach;
        for (int x = shown.left(); x <= shown.right(); ++x) {
            const int i = x - block.left();
            const int depth = std::min({i, j, block.width() - 1 - i, block.height() - 1 - j});
            if (depth >= kFocusReach) {
                x = block.right() - kFocusReach;
                continue;
            }
            // Under a card above, or beside an edge of the focus card that one
            // hides: so a card buried in a pile shows a dashed frame too.
            const QPoint edge(std::clamp(x, at.left, at.left + kCardWidth - 1),
                              std::clamp(y, at.top, at.top + kCardHeight - 1));
            const bool covered =
                std::any_of(above.begin(), above.begin() + covering, [&](const QRect &p) {
                    return p.contains(x, y) || p.contains(edge);
                });
            if (covered && (acrossSide ? i : j) / kDash % 2 == 1) continue;
            const QRgb colour = depth == 0 || depth == kFocusReach - 1 ? kFocusEdge : kFocusColour;
            for (int dy = 0; dy < k; ++dy) {
                QRgb *line = reinterpret_cast<QRgb *>(s.window.scanLine((y - g.viewY) * k + dy));
                std::fill_n(line + (x - g.viewX) * k, k, colour);
            }
        }
    }
    for (const QRect &side : frameSides(at.left, at.top))
        markWindow(s, side.x() - g.viewX, side.y() - g.viewY, side.width(), side.height());
}

}  // namespace

void focusOverdrawn(Context &ctx) { ctx.drawn.outlineFresh = false; }

void drawKeyFocus(Context &ctx) {
    const GameState &g = ctx.g;
    const KeyFocus &f = g.keyFocus;
    Drawn &d = ctx.drawn;
    const bool show = f.shown && g.gameStarted && !g.dealPending && inPlay(g, f.column, f.row);
    const Rect at = show ? g.board.cardRect[f.column][f.row] : Rect{};
    const bool moved = !show || at.left != d.outlineLeft || at.top != d.outlineTop;
    if (d.outlineDrawn && moved) {
        eraseFrame(ctx, d.outlineLeft, d.outlineTop);
        d.outlineDrawn = false;
    }
    if (!show || (d.outlineDrawn && d.outlineFresh)) return;
    drawFrame(ctx, cardId(f.column, f.row));
    d.outlineDrawn = true;
    d.outlineFresh = true;
    d.outlineLeft = at.left;
    d.outlineTop = at.top;
}

}  // namespace fusefuda
