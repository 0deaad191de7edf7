#include "game/scoring.h"

#include "assets/catalogue.h"
#include "game/board.h"
#include "game/overlays.h"

namespace fusefuda {

TouchTally tallyTouches(const GameState &g) {
    TouchTally tally;
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c) {
        for (int r = 0; r < kRows; ++r) {
            switch (g.board.touchCount[c][r]) {
            case 0: ++tally.neverTouched; break;
            case 1: ++tally.touchedOnce; break;
            case 2: ++tally.touchedTwice; break;
            default: break;  // settled or spent cards, the sevens among them
            }
        }
    }
    return tally;
}

int32_t scoreFor(const TouchTally &tally) {
    return 100 * tally.neverTouched + 50 * tally.touchedOnce + 20 * tally.touchedTwice;
}

void finishGame(Context &ctx) {
    ctx.g.gameOver = true;
    // Cuts off the join sound of the same drop.
    if (ctx.g.soundOn == 1) ctx.shell.playEffect(kClearSound);
    layOutFinished(ctx);
    ctx.shell.runScoreSummary();
}

void layOutFinished(Context &ctx) {
    GameState &g = ctx.g;
    clearSparklesActive(g);
    const ColumnRange cols = columnsInPlay(g.level);
    if (cols.last >= cols.first) {
        const int x = 475 - 128 * (4 - g.level) + g.viewX;
        const int y = g.viewY + 150;
        alignGroup(g, x, y, cardId(cols.first, 0));
    }
    ctx.shell.invalidateWindow();
    // A won game cannot be undone.
    g.undoStore.undoDepth = 0;
    ctx.shell.updateMenuMarks();
}

}  // namespace fusefuda
