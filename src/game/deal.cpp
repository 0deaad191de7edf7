#include "game/deal.h"

#include "game/board.h"
#include "game/input.h"
#include "game/overlays.h"
#include "game/random.h"
#include "game/statistics.h"
#include "game/zoom.h"

namespace fusefuda {

void startNewGame(Play &play, Level level, uint32_t seed) {
    GameState &g = play.g;
    // The command can come from the keyboard while the mouse holds a group, a
    // peek or the view; left alone, the next move or release would act on a
    // card of the new deal.
    abandonGesture(play);
    noteGameLeft(g);
    g.gameStarted = true;
    g.level = level;
    g.dealNumbered = true;
    g.dealNumber = seed;
    noteDeal(g);
    g.gameOver = false;
    g.hover.hoverCard = kNoCard;
    g.hover.hoverCardShown = kNoCard;
    g.dealPending = true;
    // The deal lies around the start view at every zoom; a zoomed-out view
    // that cannot reach it stops at its limits.
    g.viewX = std::min(kStartViewX, viewXMax(g));
    g.viewY = std::min(kStartViewY, viewYMax(g));
    g.gesture.panLastX = 0;
    g.gesture.panLastY = 0;
    // The keyboard starts every deal on the sevens.
    g.keyFocus.column = kSevensColumn;
    g.keyFocus.row = 0;

    seedRandom(g, seed);

    // Every card in its slot, stacked in card order, a group of its own.
    g.board = Board{};
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const int id = cardId(c, r);
            g.board.slotCard[c][r] = id;
            g.board.slotPresent[c][r] = true;
            g.board.stackLevel[c][r] = id;
            g.board.stackColumn[id] = c;
            g.board.stackRow[id] = r;
            g.board.groupMembers[id][c][r] = true;
        }
    }
    layOutColumns(g, level);
    play.events.boardChanged();
}

void layOutColumns(GameState &g, Level level) {
    const ColumnRange cols = columnsInPlay(level);
    for (int c = cols.first; c <= cols.last; ++c) {
        for (int r = 0; r < kRows; ++r) {
            Rect &rect = g.board.cardRect[c][r];
            rect.left = kHomeLeft + kHomePitchX * c + kStartViewX;
            rect.top = kHomeTop + kPitchY * r + kStartViewY;
            rect.right = rect.left + kPitchX;
            rect.bottom = rect.top + kPitchY;
        }
    }
    clearSparklesActive(g);
}

void dealScatter(Play &play, Level level) {
    GameState &g = play.g;
    const ColumnRange cols = columnsInPlay(level);
    for (int r = 0; r < kRows; ++r) {
        for (int c = cols.first; c <= cols.last; ++c) {
            if (c == kSevensColumn) continue;
            const int a = drawRandom(g) % kScatterWidth;
            const int b = drawRandom(g) % kScatterHeight;
            Rect &rect = g.board.cardRect[c][r];
            rect.left = a + kStartViewX + kScatterLeft;
            rect.top = b + kStartViewY + kScatterTop;
            rect.right = rect.left + kPitchX;
            rect.bottom = rect.top + kPitchY;
        }
    }
    play.events.boardChanged();

    for (int r = 0; r < kRows; ++r)
        for (int k = 0; k < kRows; ++k)
            g.board.groupMembers[cardId(kSevensColumn, r)][kSevensColumn][k] = true;
    for (int r = 0; r < kRows; ++r) {
        g.board.faceUp[kSevensColumn][r] = true;
        g.board.touchCount[kSevensColumn][r] = kSettled;
    }

    g.finalScore = 0;
    g.nameEntryRank = kNoRank;
    g.undoStore.undoDepth = 0;
    play.events.undoDepthChanged();

    raiseGroup(play, kSevensColumn, kRows - 1);

    clearScorePopups(g);
    g.board.score = startingScore(level);
    play.events.dealt();
}

}  // namespace fusefuda
