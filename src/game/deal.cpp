#include "game/deal.h"

#include "game/board.h"
#include "game/input.h"
#include "game/overlays.h"
#include "game/random.h"
#include "render/cards.h"
#include "render/painting.h"

namespace fusefuda {

void startNewGame(Context &ctx, int level) {
    GameState &g = ctx.g;
    // The command can come from the keyboard while the mouse holds a group, a
    // peek or the view; left alone, the next move or release would act on a
    // card of the new deal.
    abandonGesture(ctx);
    g.gameStarted = 1;
    g.level = level;
    g.gameOver = 0;
    g.hoverCard = kNoCard;
    g.hoverCardShown = kNoCard;
    g.dealPending = 1;
    g.viewX = kStartViewX;
    g.viewY = kStartViewY;
    g.panLastX = 0;
    g.panLastY = 0;

    for (int n = 0; n < kCards; ++n) {
        g.stackColumn[n] = 0;
        g.stackRow[n] = 0;
    }
    for (auto &plane : g.groupMembers)
        for (auto &column : plane)
            for (int32_t &entry : column) entry = 0;
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            g.slotCard[c][r] = 0;
            g.slotPresent[c][r] = 0;
            g.stackLevel[c][r] = 0;
            g.faceUp[c][r] = 0;
            g.touchCount[c][r] = 0;
            g.cardRect[c][r] = Rect{};
        }
    }
    // Every card is a group of its own. The walk covers the spare column 13
    // as the stored table has always had it.
    for (int id = 0; id < kCards; ++id)
        for (int c = 0; c <= kColumns; ++c)
            for (int r = 0; r <= kRows; ++r)
                if (id == c + kColumns * r) g.groupMembers[id][c][r] = 1;

    seedRandom(g, uint32_t(ctx.shell.currentTime()));

    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const int id = cardId(c, r);
            g.slotCard[c][r] = id;
            g.slotPresent[c][r] = 1;
            g.stackLevel[c][r] = id;
            g.stackColumn[id] = c;
            g.stackRow[id] = r;
        }
    }
    layOutColumns(g, level);
    ctx.shell.invalidateWindow();
}

void layOutColumns(GameState &g, int level) {
    const ColumnRange cols = columnsInPlay(level);
    for (int c = cols.first; c <= cols.last; ++c) {
        for (int r = 0; r < kRows; ++r) {
            Rect &rect = g.cardRect[c][r];
            rect.left = 88 + 64 * c + g.viewX;
            rect.top = 150 + kPitchY * r + g.viewY;
            rect.right = rect.left + kPitchX;
            rect.bottom = rect.top + kPitchY;
        }
    }
    clearSparklesActive(g);
}

void dealScatter(Context &ctx, int level) {
    GameState &g = ctx.g;
    const ColumnRange cols = columnsInPlay(level);
    for (int r = 0; r < kRows; ++r) {
        for (int c = cols.first; c <= cols.last; ++c) {
            if (c == 6) continue;
            const int a = drawRandom(g) % 800;
            const int b = drawRandom(g) % 400;
            Rect &rect = g.cardRect[c][r];
            rect.left = a + g.viewX + 50;
            rect.top = b + g.viewY + 120;
            rect.right = rect.left + kPitchX;
            rect.bottom = rect.top + kPitchY;
        }
    }
    ctx.shell.invalidateWindow();

    for (int r = 0; r < kRows; ++r)
        for (int k = 0; k < kRows; ++k) g.groupMembers[cardId(6, r)][6][k] = 1;
    for (int r = 0; r < kRows; ++r) {
        g.faceUp[6][r] = 1;
        g.touchCount[6][r] = 3;
    }

    g.finalScore = 0;
    g.nameEntryRank = kNoRank;
    g.undoDepth = 0;
    ctx.shell.updateMenuMarks();

    raiseGroup(ctx, 6, 3);

    clearScorePopups(g);
    g.touchCost[0] = -50;
    g.touchCost[1] = -30;
    g.touchCost[2] = -20;
    g.score = (4 - level) * 1600;
    if (g.scoreDisplayOn == 1) ctx.shell.showScore();

    rebuildBoardWithBacks(ctx, 100);
    const Rect &seven = g.cardRect[6][0];
    drawGroup(ctx, seven.left, seven.top, 6, ctx.s.board, false);
}

}  // namespace fusefuda
