#include "game/undo.h"

#include <algorithm>

#include "game/input.h"

namespace fusefuda {

void pushUndo(Play &play) {
    GameState &g = play.g;
    UndoStore &u = g.undoStore;
    u.undoDepth = std::min(u.undoDepth + 1, kMaxUndoDepth);
    play.events.undoDepthChanged();
    for (int k = u.undoDepth - 1; k >= 1; --k) u.undo[k] = u.undo[k - 1];
    u.undo[0] = boardAsKept(g);
}

void popUndo(Play &play) {
    GameState &g = play.g;
    UndoStore &u = g.undoStore;
    // With nothing to take back, place 0 may still hold a board of an earlier
    // game; restoring it would replace the game being played.
    if (u.undoDepth <= 0) return;
    // The restored board is the one from before the press that started any
    // carry or peek still in hand, so that gesture ends here; otherwise its
    // release would drop or count a card that the board no longer has there.
    // A view pull ends too: its repaints show the canvas as it stands, and
    // only a full repaint brings the restored board onto it.
    abandonGesture(play);

    u.undoDepth -= 1;
    play.events.undoDepthChanged();
    g.board = u.undo[0];
    for (int k = 0; k < u.undoDepth; ++k) u.undo[k] = u.undo[k + 1];
    play.events.undone();
}

void reverseStacking(Play &play) {
    GameState &g = play.g;
    pushUndo(play);
    for (int i = 0; i < kCards / 2; ++i) {
        const int j = kCards - 1 - i;
        std::swap(g.board.stackColumn[i], g.board.stackColumn[j]);
        std::swap(g.board.stackRow[i], g.board.stackRow[j]);
        g.board.stackLevel[g.board.stackColumn[i]][g.board.stackRow[i]] = i;
        g.board.stackLevel[g.board.stackColumn[j]][g.board.stackRow[j]] = j;
    }
    play.events.boardChanged();
}

}  // namespace fusefuda
