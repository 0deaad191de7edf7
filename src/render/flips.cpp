#include "render/flips.h"

#include "render/canvas.h"
#include "render/cards.h"
#include "render/painting.h"

namespace fusefuda {

namespace {

constexpr int kHalfFrames = 32;
constexpr int kFramePause = 3;  // milliseconds before each frame

// One frame of a turn: the picture at (sx, sy) of src squeezed to 64 - 2k
// pixels, centred on the card, shown at once. With restore the card's block
// is first copied back from the canvas, so that a narrower frame does not
// leave the wider one around it.
void turnFrame(Context &ctx, const Rect &at, int k, const QImage &src, int sx, int sy,
               bool restore) {
    Surfaces &s = ctx.s;
    const int x = at.left - ctx.g.viewX, y = at.top - ctx.g.viewY;
    ctx.pacing.pause(kFramePause);
    if (restore) copyFromCanvas(s.window, x, y, kCardWidth, kCardHeight, s, at.left, at.top);
    stretchBlt(s.window, x + k, y, kCardWidth - 2 * k, kCardHeight, src, sx, sy, kCardWidth,
               kCardHeight);
    markWindow(s, x, y, kCardWidth, kCardHeight);
    ctx.pacing.presentNow();
}

int shadeOf(const GameState &g, int c, int r) {
    const int count = g.board.touchCount[c][r];
    return count < 0 ? 0 : count > 2 ? 2 : count;
}

}  // namespace

void flipToFace(Context &ctx, int c, int r) {
    liftGroup(ctx, cardId(c, r));
    const Rect at = ctx.g.board.cardRect[c][r];
    const int back = kPitchX * shadeOf(ctx.g, c, r);
    for (int k = 0; k < kHalfFrames; ++k) turnFrame(ctx, at, k, ctx.s.backs, back, 0, true);
    for (int k = kHalfFrames - 1; k >= 0; --k)
        turnFrame(ctx, at, k, ctx.s.face, kPitchX * c, kPitchY * r, false);
}

void flipToBack(Context &ctx, int c, int r) {
    liftGroup(ctx, cardId(c, r));
    const Rect at = ctx.g.board.cardRect[c][r];
    const int back = kPitchX * shadeOf(ctx.g, c, r);
    for (int k = 0; k < kHalfFrames; ++k)
        turnFrame(ctx, at, k, ctx.s.face, kPitchX * c, kPitchY * r, true);
    for (int k = kHalfFrames - 1; k >= 0; --k) turnFrame(ctx, at, k, ctx.s.backs, back, 0, false);
}

}  // namespace fusefuda
