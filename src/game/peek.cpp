#include "game/peek.h"

#include "assets/catalogue.h"
#include "game/board.h"
#include "game/overlays.h"
#include "game/undo.h"
#include "render/cards.h"
#include "render/flips.h"

namespace fusefuda {

void startPeek(Context &ctx, int c, int r, int x, int y) {
    GameState &g = ctx.g;
    pushUndo(ctx);
    const int count = g.board.touchCount[c][r];
    if (count >= 0 && count < kSettled) {
        spawnScorePopup(ctx, x, y, count);
        flipToFace(ctx, c, r);
    }
    if (g.soundOn == 1 && count < kSettled) ctx.shell.playEffect(kPeekSound);
    g.gesture.pressMode = kPressPeek;
    g.gesture.pressColumn = c;
    g.gesture.pressRow = r;
    g.board.faceUp[c][r] = true;
    raiseGroup(ctx, c, r);
}

void endPeek(Context &ctx) {
    GameState &g = ctx.g;
    const int c = g.gesture.pressColumn, r = g.gesture.pressRow;
    g.gesture.pressMode = kPressNone;
    finishPeekOn(g.board, c, r);
    if (!g.board.faceUp[c][r]) flipToBack(ctx, c, r);
    const Rect &at = g.board.cardRect[c][r];
    drawGroup(ctx, at.left, at.top, cardId(c, r), ctx.s.board, false);
    raiseGroup(ctx, c, r);
}

}  // namespace fusefuda
