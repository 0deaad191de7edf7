#include "game/input.h"

#include <algorithm>

#include "game/board.h"
#include "game/join.h"
#include "game/overlays.h"
#include "game/peek.h"
#include "game/scoring.h"
#include "game/undo.h"
#include "game/zoom.h"

namespace fusefuda {

namespace {

// Half-open client rectangle that the pointer may take while a card is
// carried.
struct PointerBounds {
    int left, top, right, bottom;
};

// The pointer keeps its place inside the carried card, so the card's corner
// stays between the client area's left and top edges and one picture short of
// its right and bottom edges. A client area that reaches past the board is
// cut at the board's edge, so that no card is ever put where the canvas, the
// source of every restore, does not reach.
PointerBounds carryBounds(const GameState &g) {
    const int gx = g.gesture.grabOffsetX + g.viewX, gy = g.gesture.grabOffsetY + g.viewY;
    // Within the board the window can reach, which a zoomed-out window may
    // show beyond.
    const BoardPoint reach = reachableBoard(g);
    const int w = std::min(g.clientWidth, reach.x - g.viewX);
    const int h = std::min(g.clientHeight, reach.y - g.viewY);
    return {gx, gy, std::max(w + gx - kPitchX, gx + 1), std::max(h + gy - kPitchY, gy + 1)};
}

int clampTo(int v, int low, int highExclusive) {
    return std::max(low, std::min(v, highExclusive - 1));
}

int carriedCard(const GameState &g) { return cardId(g.gesture.dragColumn, g.gesture.dragRow); }

void holdRaise(Play &play, int c, int r) {
    Gesture &hand = play.g.gesture;
    hand.pressColumn = c;
    hand.pressRow = r;
    hand.pressMode = kPressRaise;
    raiseGroup(play, c, r);
}

// The end of a press that only raised a group: the group lies on the board
// again at its place, then comes to the front.
void releaseRaise(Play &play) {
    Gesture &hand = play.g.gesture;
    hand.pressMode = kPressNone;
    play.events.settled(hand.pressColumn, hand.pressRow);
    raiseGroup(play, hand.pressColumn, hand.pressRow);
}

bool allJoinedToSevens(const GameState &g) {
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r)
            if (!isMember(g, cardId(kSevensColumn, 0), c, r)) return false;
    return cols.first <= cols.last;
}

// The sparkle on the seam, placed from the stationary neighbour's corner by
// the direction in which that neighbour lies.
void sparkleOnSeam(GameState &g, int direction, const Rect &n) {
    static const int offsetX[4] = {18, -15, 18, 50};
    static const int offsetY[4] = {88, 32, -15, 32};
    spawnSparkle(g, n.left + offsetX[direction], n.top + offsetY[direction], 0);
}

}  // namespace

bool leftPressAllowed(const GameState &g) {
    const Gesture &hand = g.gesture;
    // A pick-up while the view is being pulled would carry the group over a
    // moving board and let the pan's repaints wipe it off the window.
    return g.gameStarted && !g.gameOver && !hand.dragging && hand.pressMode == kPressNone &&
           !hand.panning;
}

bool rightPressAllowed(const GameState &g) {
    return g.gameStarted && !g.gameOver && !g.gesture.dragging;
}

void onLeftPress(Play &play, int x, int y, bool shift) {
    if (!leftPressAllowed(play.g)) return;
    const int id = cardAt(play.g, x, y);
    if (id != kNoCard) leftPressOn(play, cardColumn(id), cardRow(id), x, y, shift);
}

void leftPressOn(Play &play, int c, int r, int x, int y, bool shift) {
    GameState &g = play.g;
    if (!leftPressAllowed(g) || !inPlay(g, c, r)) return;
    if (shift) {
        pushUndo(play);
        holdRaise(play, c, r);
        return;
    }
    pushUndo(play);
    const int count = g.board.touchCount[c][r];
    if (count < kSpent) {
        if (count < kSettled) spawnScorePopup(play, x, y, count);
        pickUp(play, c, r, x, y);
    } else {
        g.gesture.pressColumn = c;
        g.gesture.pressRow = r;
        g.gesture.pressMode = kPressRaise;
    }
    g.board.touchCount[c][r] = std::min(count + 1, kSpent);
    if (g.board.touchCount[c][r] == kSettled) g.board.faceUp[c][r] = true;
    raiseGroup(play, c, r);
}

void pickUp(Play &play, int c, int r, int x, int y) {
    GameState &g = play.g;
    Gesture &hand = g.gesture;
    hand.dragging = true;
    hand.dragMoved = false;
    hand.dragColumn = c;
    hand.dragRow = r;
    hand.grabOffsetX = x - g.board.cardRect[c][r].left;
    hand.grabOffsetY = y - g.board.cardRect[c][r].top;
    const PointerBounds b = carryBounds(g);
    play.pointer.confine(b.left, b.top, b.right, b.bottom);
    play.pointer.showGrab();
    hand.dragLeft = x - hand.grabOffsetX;
    hand.dragTop = y - hand.grabOffsetY;
    play.events.lifted(cardId(c, r));
}

void trackHover(Play &play, int x, int y) {
    GameState &g = play.g;
    Hover &h = g.hover;
    if (h.hoverCardShown != h.hoverCard) {
        const int lastShown = h.hoverCardShown;
        h.hoverCardShown = h.hoverCard;
        play.events.hoverLeft(lastShown);
    }
    const int id = cardAt(g, x, y);
    if (id == kNoCard) {
        h.hoverCard = kNoCard;
        return;
    }
    play.events.hovered(cardColumn(id), cardRow(id));
    h.hoverCard = id;
}

void onMouseMove(Play &play, int x, int y) {
    GameState &g = play.g;
    Gesture &hand = g.gesture;
    if (!hand.dragging) trackHover(play, x, y);
    if (hand.dragging) {
        hand.dragMoved = true;
        play.pointer.showGrab();
        // The application keeps the pointer in these bounds; a position from
        // outside them must still not carry the card off the window.
        const PointerBounds b = carryBounds(g);
        const int cx = clampTo(x, b.left, b.right), cy = clampTo(y, b.top, b.bottom);
        const int oldLeft = hand.dragLeft, oldTop = hand.dragTop;
        hand.dragLeft = cx - hand.grabOffsetX;
        hand.dragTop = cy - hand.grabOffsetY;
        const int id = carriedCard(g);
        alignGroup(g, hand.dragLeft, hand.dragTop, id);
        play.events.carried(id, oldLeft, oldTop);
    }
    if (hand.panning) {
        play.pointer.showGrab();
        const int vx = g.viewX - (x - hand.panLastX), vy = g.viewY - (y - hand.panLastY);
        // A step that would take the view past its limits is refused whole,
        // not clamped; the last position still advances, so a move back pans
        // again at once.
        if (vx >= 0 && vx <= viewXMax(g) && vy >= 0 && vy <= viewYMax(g)) {
            g.viewX = vx;
            g.viewY = vy;
        }
        hand.panLastX = x;
        hand.panLastY = y;
        play.events.viewMoved();
    }
}

void onLeftRelease(Play &play, int, int) {
    const Gesture &hand = play.g.gesture;
    if (hand.dragging) {
        play.pointer.showGrab();
        // A click without a move keeps the group in hand: it follows the
        // pointer with the button up and goes down at the release after a move.
        if (hand.dragMoved) dropGroup(play);
    }
    if (!hand.dragging && hand.pressMode == kPressRaise) releaseRaise(play);
}

void dropGroup(Play &play) {
    GameState &g = play.g;
    play.pointer.release();
    const int id = carriedCard(g);
    tryJoin(play, id);
    play.events.dropped(id);
    g.gesture.dragging = false;
}

void tryJoin(Play &play, int id) {
    GameState &g = play.g;
    forEachOpenSide(g, id, [&](int j, int k, int d, int nc, int nr) {
        if (!wouldJoin(g, j, k, d)) return;
        const int neighbour = cardId(nc, nr);
        const Rect n = g.board.cardRect[nc][nr];
        mergeGroups(g, id, neighbour);
        alignGroup(g, n.left, n.top, neighbour);
        play.events.joined(id, neighbour);
        raiseGroup(play, nc, nr);
        sparkleOnSeam(g, d, n);
        if (allJoinedToSevens(g)) finishGame(play);
    });
}

void abandonGesture(Play &play) {
    Gesture &hand = play.g.gesture;
    if (hand.dragging || hand.panning) play.pointer.release();
    hand.dragging = false;
    hand.dragMoved = false;
    hand.pressMode = kPressNone;
    hand.panning = false;
    play.g.keyFocus.carrying = false;
    play.g.keyFocus.peeking = false;
    // The board changed under the focus: the last arrow's dead end is old news.
    play.g.keyFocus.deadEnds = 0;
}

void onRightPress(Play &play, int x, int y) {
    GameState &g = play.g;
    if (!rightPressAllowed(g)) return;
    const int id = cardAt(g, x, y);
    if (id != kNoCard) {
        rightPressOn(play, cardColumn(id), cardRow(id), x, y);
        return;
    }
    startPanning(play, x, y);
}

void startPanning(Play &play, int x, int y) {
    GameState &g = play.g;
    play.pointer.confine(0, 0, g.clientWidth, g.clientHeight);
    play.pointer.showGrab();
    g.gesture.panning = true;
    g.gesture.panLastX = x;
    g.gesture.panLastY = y;
}

void rightPressOn(Play &play, int c, int r, int x, int y) {
    if (!rightPressAllowed(play.g) || !inPlay(play.g, c, r)) return;
    if (play.g.board.touchCount[c][r] < kSpent)
        startPeek(play, c, r, x, y);
    else
        holdRaise(play, c, r);
}

void onRightRelease(Play &play, int, int) {
    Gesture &hand = play.g.gesture;
    if (!hand.dragging) {
        if (hand.pressMode == kPressPeek)
            endPeek(play);
        else if (hand.pressMode == kPressRaise)
            releaseRaise(play);
    }
    if (hand.panning) {
        hand.panning = false;
        play.pointer.showGrab();
        play.pointer.release();
    }
}

}  // namespace fusefuda
