#include "render/focus.h"

#include "render/cards.h"
#include "render/hover.h"
#include "render/painting.h"

namespace fusefuda {

namespace {

constexpr QRgb kFocusColour = 0xFFFF00FFu;  // magenta: on no face, back or background
constexpr QRgb kFocusEdge = 0xFF000000u;
constexpr int kInset = 3;
constexpr int kWidth = 3;

// A frame of the given width, `inset` pixels inside the card's picture at
// window (x, y).
void frame(Surfaces &s, int x, int y, int inset, int width, QRgb colour) {
    const int x0 = x + inset, y0 = y + inset;
    const int x1 = x + kCardWidth - 1 - inset, y1 = y + kCardHeight - 1 - inset;
    fillWindowBlock(s, x0, y0, x1, y0 + width - 1, colour);
    fillWindowBlock(s, x0, y1 - width + 1, x1, y1, colour);
    fillWindowBlock(s, x0, y0, x0 + width - 1, y1, colour);
    fillWindowBlock(s, x1 - width + 1, y0, x1, y1, colour);
}

}  // namespace

void focusOverdrawn(Context &ctx, int moved) {
    KeyFocus &f = ctx.g.keyFocus;
    f.outlineFresh = false;
    if (moved >= 0 && moved < kCards && isMember(ctx.g, moved, f.column, f.row))
        f.outlineDrawn = false;
}

void drawKeyFocus(Context &ctx) {
    GameState &g = ctx.g;
    KeyFocus &f = g.keyFocus;
    const bool show = f.shown && g.gameStarted && !g.dealPending && inPlay(g, f.column, f.row);
    const Rect at = show ? g.board.cardRect[f.column][f.row] : Rect{};
    const bool moved = !show || at.left != f.outlineLeft || at.top != f.outlineTop;
    if (f.outlineDrawn && moved) {
        // The canvas holds the board under it; a group in hand is not on it.
        windowBlt(ctx.s, f.outlineLeft - g.viewX, f.outlineTop - g.viewY, kCardWidth, kCardHeight,
                  ctx.s.board, f.outlineLeft, f.outlineTop, SRCCOPY);
        drawGroupInHand(ctx);
        f.outlineDrawn = false;
    }
    if (!show || (f.outlineDrawn && f.outlineFresh)) return;
    const int x = at.left - g.viewX, y = at.top - g.viewY;
    frame(ctx.s, x, y, kInset - 1, 1, kFocusEdge);
    frame(ctx.s, x, y, kInset, kWidth, kFocusColour);
    frame(ctx.s, x, y, kInset + kWidth, 1, kFocusEdge);
    f.outlineDrawn = true;
    f.outlineFresh = true;
    f.outlineLeft = at.left;
    f.outlineTop = at.top;
}

}  // namespace fusefuda
