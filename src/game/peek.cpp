#include "game/peek.h"

#include "game/board.h"
#include "game/overlays.h"
#include "game/undo.h"

namespace fusefuda {

void startPeek(Play &play, int c, int r, int x, int y) {
    GameState &g = play.g;
    pushUndo(play);
    const int count = g.board.touchCount[c][r];
    if (count >= 0 && count < kSettled) {
        spawnScorePopup(play, x, y, count);
        play.events.flipped(c, r, true);
    }
    if (count < kSettled) play.events.peeked(c, r);
    g.gesture.pressMode = kPressPeek;
    g.gesture.pressColumn = c;
    g.gesture.pressRow = r;
    g.board.faceUp[c][r] = true;
    raiseGroup(play, c, r);
}

void endPeek(Play &play) {
    GameState &g = play.g;
    const int c = g.gesture.pressColumn, r = g.gesture.pressRow;
    g.gesture.pressMode = kPressNone;
    finishPeekOn(g.board, c, r);
    if (!g.board.faceUp[c][r]) play.events.flipped(c, r, false);
    play.events.settled(c, r);
    raiseGroup(play, c, r);
}

}  // namespace fusefuda
