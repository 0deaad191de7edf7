#include "game/scoring.h"

#include <algorithm>

#include "game/board.h"
#include "game/overlays.h"
#include "game/statistics.h"
#include "game/zoom.h"

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

void finishGame(Play &play) {
    GameState &g = play.g;
    g.gameOver = true;
    // Counted once, as the cards lie at the win: the summary shows it, the
    // table and the record take it.
    g.finalScore = scoreFor(tallyTouches(g));
    noteWin(g, g.finalScore);
    layOutFinished(play);
    play.events.won();
}

void layOutFinished(Play &play) {
    GameState &g = play.g;
    clearSparklesActive(g);
    const ColumnRange cols = columnsInPlay(g.level);
    if (cols.last >= cols.first) {
        // Zoomed in, the view may lie nearer the reachable board's far edges
        // than the grid is long: it stops at them.
        const BoardPoint reach = reachableBoard(g);
        const int width = (cols.last - cols.first) * kPitchX + kCardWidth;
        const int height = (kRows - 1) * kPitchY + kCardHeight;
        const int x = std::min(finishedGridLeft(g.level) + g.viewX, reach.x - width);
        const int y = std::min(g.viewY + 150, reach.y - height);
        alignGroup(g, x, y, cardId(cols.first, 0));
    }
    play.events.boardChanged();
    // A won game cannot be undone.
    g.undoStore.undoDepth = 0;
    play.events.undoDepthChanged();
}

}  // namespace fusefuda
