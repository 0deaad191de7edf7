// What the rules work on: the record, and who hears what they change. The
// rules change the record first and then say what changed, synchronously, so
// a listener sees the record as it stands at that moment.
#pragma once

#include "game/GameState.h"

namespace fusefuda {

class BoardEvents {
public:
    virtual ~BoardEvents() = default;

    // Many cards changed at once (a new game laid out, the scatter, the won
    // grid, the stacking turned over, a loaded game): show the board afresh.
    virtual void boardChanged() = 0;
    // The view was pulled to another part of the board.
    virtual void viewMoved() = 0;
    // The scatter is complete: the sevens lie face up and joined, every other
    // card face down, and the score is the level's starting score.
    virtual void dealt() = 0;
    // The board went back to the snapshot of an undo.
    virtual void undone() = 0;
    virtual void undoDepthChanged() = 0;
    // A touch was charged to the score.
    virtual void scored() = 0;

    // Card (c, r)'s group went to the top of the stacking, shown at its place.
    virtual void raised(int c, int r) = 0;
    // Card id's group was taken off the board to be carried.
    virtual void lifted(int id) = 0;
    // The carried group of id moved; its anchor was at board (oldLeft, oldTop)
    // and is now at the gesture's dragLeft, dragTop.
    virtual void carried(int id, int oldLeft, int oldTop) = 0;
    // The carried group of id, joined or not, was put down at its place.
    virtual void dropped(int id) = 0;
    // The carried group of id snapped onto neighbour's grid and is one group
    // with it now.
    virtual void joined(int id, int neighbour) = 0;
    // Card (c, r)'s group, held by a press, lies on the board again at its place.
    virtual void settled(int c, int r) = 0;
    // Card (c, r) turned over: to its face when a peek starts, to its back
    // when the peek ends with the card still face down.
    virtual void flipped(int c, int r, bool toFace) = 0;
    // A card not yet settled is being looked at.
    virtual void peeked(int c, int r) = 0;

    // The pointer left the card it was over at the move before, lastShown
    // (no card when it was over none).
    virtual void hoverLeft(int lastShown) = 0;
    // The pointer is over card (c, r), nothing carried.
    virtual void hovered(int c, int r) = 0;

    // Every card in play has joined the sevens and lies in the finished grid.
    virtual void won() = 0;
    // An arrow found no card that way to take the focus to.
    virtual void noCardThatWay() = 0;
};

// What the rules ask of the pointer: requests, not changes of the board.
class Pointer {
public:
    virtual ~Pointer() = default;
    // Keeps the pointer inside [left, right) x [top, bottom) of the client
    // area until release.
    virtual void confine(int left, int top, int right, int bottom) = 0;
    virtual void release() = 0;
    // The grabbing hand for this mouse event; without it the event ends with
    // the arrow.
    virtual void showGrab() = 0;
};

struct Play {
    GameState &g;
    BoardEvents &events;
    Pointer &pointer;
};

}  // namespace fusefuda
