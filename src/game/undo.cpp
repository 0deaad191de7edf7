#include "game/undo.h"

#include <algorithm>
#include <cstring>

#include "game/input.h"

namespace fusefuda {

namespace {

template <typename T, size_t N>
void copyTable(T (&to)[N], const T (&from)[N]) {
    std::memcpy(to, from, sizeof(to));
}

void takeSnapshot(const GameState &g, UndoSnapshot &u) {
    u.score = g.score;
    copyTable(u.slotCard, g.slotCard);
    copyTable(u.cardRect, g.cardRect);
    copyTable(u.slotPresent, g.slotPresent);
    copyTable(u.stackLevel, g.stackLevel);
    copyTable(u.touchCount, g.touchCount);
    copyTable(u.faceUp, g.faceUp);
    for (int id = 0; id < kCards; ++id)
        for (int c = 0; c < kColumns; ++c)
            for (int r = 0; r < kRows; ++r) u.groupMembers[id][c][r] = g.groupMembers[id][c][r];
    copyTable(u.stackColumn, g.stackColumn);
    copyTable(u.stackRow, g.stackRow);
    // A snapshot taken while a peek is held (the reversal can be chosen then)
    // records the peek as finished: its cost is already charged, so the card
    // counts the touch, and a card that is only being looked at is not face
    // up for good.
    if (g.pressMode == kPressPeek) {
        const int c = g.pressColumn, r = g.pressRow;
        if (c >= 0 && c < kColumns && r >= 0 && r < kRows) {
            const int count = g.touchCount[c][r] + 1;
            u.touchCount[c][r] = count <= 2 ? count : 3;
            u.faceUp[c][r] = count <= 2 ? 0 : 1;
        }
    }
}

void restoreSnapshot(GameState &g, const UndoSnapshot &u) {
    g.score = u.score;
    copyTable(g.slotCard, u.slotCard);
    copyTable(g.cardRect, u.cardRect);
    copyTable(g.slotPresent, u.slotPresent);
    copyTable(g.stackLevel, u.stackLevel);
    copyTable(g.touchCount, u.touchCount);
    copyTable(g.faceUp, u.faceUp);
    for (int id = 0; id < kCards; ++id)
        for (int c = 0; c < kColumns; ++c)
            for (int r = 0; r < kRows; ++r) g.groupMembers[id][c][r] = u.groupMembers[id][c][r];
    copyTable(g.stackColumn, u.stackColumn);
    copyTable(g.stackRow, u.stackRow);
}

}  // namespace

void pushUndo(Context &ctx) {
    GameState &g = ctx.g;
    g.undoDepth = std::min(g.undoDepth + 1, kMaxUndoDepth);
    ctx.shell.updateMenuMarks();
    for (int k = g.undoDepth; k >= 1; --k) g.undo[k] = g.undo[k - 1];
    takeSnapshot(g, g.undo[0]);
}

void popUndo(Context &ctx) {
    GameState &g = ctx.g;
    // With nothing to take back, place 0 may still hold a board of an earlier
    // game; restoring it would replace the game being played.
    if (g.undoDepth <= 0) return;
    // The restored board is the one from before the press that started any
    // carry or peek still in hand, so that gesture ends here; otherwise its
    // release would drop or count a card that the board no longer has there.
    // A view pull ends too: its repaints show the canvas as it stands, and
    // only a full repaint brings the restored board onto it.
    abandonGesture(ctx);

    g.undoDepth -= 1;
    ctx.shell.updateMenuMarks();
    restoreSnapshot(g, g.undo[0]);
    for (int k = 0; k < g.undoDepth; ++k) g.undo[k] = g.undo[k + 1];
    if (g.scoreDisplayOn == 1) ctx.shell.showScore();
    ctx.shell.invalidateWindow();
}

void reverseStacking(Context &ctx) {
    GameState &g = ctx.g;
    pushUndo(ctx);
    for (int i = 0; i < kCards / 2; ++i) {
        const int j = kCards - 1 - i;
        std::swap(g.stackColumn[i], g.stackColumn[j]);
        std::swap(g.stackRow[i], g.stackRow[j]);
        g.stackLevel[g.stackColumn[i]][g.stackRow[i]] = i;
        g.stackLevel[g.stackColumn[j]][g.stackRow[j]] = j;
    }
    ctx.shell.invalidateWindow();
}

}  // namespace fusefuda
