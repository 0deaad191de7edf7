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
    const int count = g.touchCount[c][r];
    if (count >= 0 && count <= 2) {
        spawnScorePopup(ctx, x, y, count);
        flipToFace(ctx, c, r);
    }
    if (g.soundOn == 1 && count < 3) ctx.shell.playEffect(kPeekSound);
    g.pressMode = kPressPeek;
    g.pressColumn = c;
    g.pressRow = r;
    g.faceUp[c][r] = 1;
    raiseGroup(ctx, c, r);
}

void endPeek(Context &ctx) {
    GameState &g = ctx.g;
    const int c = g.pressColumn, r = g.pressRow;
    g.pressMode = kPressNone;
    g.faceUp[c][r] = 0;
    g.touchCount[c][r] += 1;
    if (g.touchCount[c][r] <= 2) {
        flipToBack(ctx, c, r);
    } else {
        // the third touch settles the card; looking at a settled card again
        // leaves it settled
        g.faceUp[c][r] = 1;
        g.touchCount[c][r] = 3;
    }
    const Rect &at = g.cardRect[c][r];
    drawGroup(ctx, at.left, at.top, cardId(c, r), ctx.s.board, false);
    raiseGroup(ctx, c, r);
}

}  // namespace fusefuda
