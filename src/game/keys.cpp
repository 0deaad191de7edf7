#include "game/keys.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "game/board.h"
#include "game/input.h"
#include "game/join.h"
#include "game/zoom.h"

namespace fusefuda {

namespace {

// Keys and fingers leave the mouse pointer where it is: a confinement would
// move it onto the board, and its move would carry the group to it.
class NoPointer : public Pointer {
public:
    void confine(int, int, int, int) override {}
    void release() override {}
    void showGrab() override {}
};


// The part of the board a view can show: a card's corner stays within it.
int reachRight(const GameState &g) {
    return reachableBoard(g).x - kCardWidth;
}
int reachBottom(const GameState &g) {
    return reachableBoard(g).y - kCardHeight;
}

// Moves the view the least that brings the card at board (left, top) whole
// into the window; false when it already is (or the window is unknown).
bool viewFollows(GameState &g, int left, int top) {
    if (g.clientWidth <= 0 || g.clientHeight <= 0) return false;
    auto follow = [](int view, int from, int size, int client, int max) {
        view = std::max(view, from + size - client);
        return std::clamp(std::min(view, from), 0, max);
    };
    const int vx = follow(g.viewX, left, kCardWidth, g.clientWidth, viewXMax(g));
    const int vy = follow(g.viewY, top, kCardHeight, g.clientHeight, viewYMax(g));
    if (vx == g.viewX && vy == g.viewY) return false;
    g.viewX = vx;
    g.viewY = vy;
    return true;
}

// The focus card's centre on the window, where a key presses.
void pressPoint(const GameState &g, int id, int &x, int &y) {
    const Rect &r = g.board.cardRect[cardColumn(id)][cardRow(id)];
    x = r.left + kPitchX / 2 - g.viewX;
    y = r.top + kPitchY / 2 - g.viewY;
}

void setFocus(Play &play, int id) {
    GameState &g = play.g;
    g.keyFocus.column = cardColumn(id);
    g.keyFocus.row = cardRow(id);
    const Rect &r = g.board.cardRect[g.keyFocus.column][g.keyFocus.row];
    if (viewFollows(g, r.left, r.top)) play.events.viewMoved();
}

// The carried card to board (left, top), its group with it, as a mouse move
// carries it; the view follows it.
void carryTo(Play &play, int left, int top) {
    GameState &g = play.g;
    Gesture &hand = g.gesture;
    const int id = cardId(hand.dragColumn, hand.dragRow);
    const int oldLeft = hand.dragLeft, oldTop = hand.dragTop;
    hand.dragMoved = true;
    hand.dragLeft = std::clamp(left, 0, reachRight(g));
    hand.dragTop = std::clamp(top, 0, reachBottom(g));
    alignGroup(g, hand.dragLeft, hand.dragTop, id);
    if (viewFollows(g, hand.dragLeft, hand.dragTop))
        play.events.viewMoved();
    else
        play.events.carried(id, oldLeft, oldTop);
}

void putDown(Play &play) {
    Play keys = pointerFree(play);
    dropGroup(keys);
    play.g.keyFocus.carrying = false;
}

// The left button on the focus card's centre, as the mouse presses it: alone
// it lifts the card's group to carry, with Shift it brings the group to the
// front. What is not lifted is let go at once, as a click.
void pressFocus(Play &play, bool shift) {
    GameState &g = play.g;
    if (!leftPressAllowed(g)) return;
    const int id = focusCard(g);
    int x, y;
    pressPoint(g, id, x, y);
    Play keys = pointerFree(play);
    leftPressOn(keys, cardColumn(id), cardRow(id), x, y, shift);
    if (!shift && g.gesture.dragging) {
        g.keyFocus.carrying = true;
        g.keyFocus.liftLeft = g.gesture.dragLeft;
        g.keyFocus.liftTop = g.gesture.dragTop;
        return;
    }
    // A raise, or a spent card that only came to the front.
    onLeftRelease(keys, x, y);
}

void peek(Play &play) {
    GameState &g = play.g;
    if (!rightPressAllowed(g) || g.gesture.pressMode != kPressNone) return;
    const int id = focusCard(g);
    int x, y;
    pressPoint(g, id, x, y);
    Play keys = pointerFree(play);
    rightPressOn(keys, cardColumn(id), cardRow(id), x, y);
    g.keyFocus.peeking = g.gesture.pressMode != kPressNone;
}

// The view pulled by a step, as the right button pulls it; at an edge the
// step stops there.
void pull(Play &play, int dx, int dy) {
    GameState &g = play.g;
    const int vx = std::clamp(g.viewX + dx * kPullStep, 0, viewXMax(g));
    const int vy = std::clamp(g.viewY + dy * kPullStep, 0, viewYMax(g));
    if (vx == g.viewX && vy == g.viewY) return;
    g.viewX = vx;
    g.viewY = vy;
    play.events.viewMoved();
}

// False when the focus was to move and no card lies that way.
bool arrow(Play &play, int dx, int dy, KeyModifiers modifiers) {
    GameState &g = play.g;
    if (g.keyFocus.carrying) {
        const int step = modifiers.longStep ? kLongCarryStep : kCarryStep;
        carryTo(play, g.gesture.dragLeft + dx * step, g.gesture.dragTop + dy * step);
        return true;
    }
    if (keysHold(g)) return true;
    if (modifiers.pull) {
        pull(play, dx, dy);
        return true;
    }
    const int next = nearestCardToward(g, focusCard(g), dx, dy);
    if (next != kNoCard) setFocus(play, next);
    return next != kNoCard;
}

}  // namespace

Play pointerFree(Play &play) {
    static NoPointer pointer;
    return Play{play.g, play.events, pointer};
}

bool mouseHolds(const GameState &g) {
    const Gesture &hand = g.gesture;
    return (hand.dragging && !g.keyFocus.carrying) ||
           (hand.pressMode != kPressNone && !g.keyFocus.peeking) || hand.panning;
}

bool keysHold(const GameState &g) { return g.keyFocus.carrying || g.keyFocus.peeking; }

int focusCard(const GameState &g) {
    if (inPlay(g, g.keyFocus.column, g.keyFocus.row))
        return cardId(g.keyFocus.column, g.keyFocus.row);
    return cardId(kSevensColumn, 0);
}

bool joinPlace(const GameState &g, int &left, int &top) {
    const Gesture &hand = g.gesture;
    if (!hand.dragging) return false;
    bool found = false;
    long bestDistance = 0;
    forEachOpenSide(g, cardId(hand.dragColumn, hand.dragRow), [&](int, int, int, int nc, int nr) {
        // The carried card's place when the member lies beside the neighbour
        // on the group pitch.
        const Rect &n = g.board.cardRect[nc][nr];
        const int l = n.left + kPitchX * (hand.dragColumn - nc);
        const int t = n.top + kPitchY * (hand.dragRow - nr);
        const long dl = l - hand.dragLeft, dt = t - hand.dragTop;
        if (std::abs(dl) > kJoinReachX || std::abs(dt) > kJoinReachY) return;
        if (l < 0 || t < 0 || l > reachRight(g) || t > reachBottom(g)) return;
        if (found && dl * dl + dt * dt >= bestDistance) return;
        found = true;
        bestDistance = dl * dl + dt * dt;
        left = l;
        top = t;
    });
    return found;
}

void onKeyPress(Play &play, BoardKey key, KeyModifiers modifiers) {
    GameState &g = play.g;
    if (!g.gameStarted || mouseHolds(g)) return;
    g.keyFocus.shown = true;
    const int deadEnds = std::exchange(g.keyFocus.deadEnds, 0);
    bool found = true;
    switch (key) {
    case BoardKey::Up: found = arrow(play, 0, -1, modifiers); break;
    case BoardKey::Right: found = arrow(play, 1, 0, modifiers); break;
    case BoardKey::Down: found = arrow(play, 0, 1, modifiers); break;
    case BoardKey::Left: found = arrow(play, -1, 0, modifiers); break;
    case BoardKey::Lift:
        if (g.keyFocus.carrying)
            putDown(play);
        else if (!keysHold(g))
            pressFocus(play, false);
        break;
    case BoardKey::PutBack:
        if (!g.keyFocus.carrying) break;
        carryTo(play, g.keyFocus.liftLeft, g.keyFocus.liftTop);
        putDown(play);
        break;
    case BoardKey::Join: {
        // A release with a wider catch: the group goes down where it is when
        // no place is near, so a probe costs a lift as with the mouse.
        int left = 0, top = 0;
        if (!g.keyFocus.carrying) break;
        if (joinPlace(g, left, top)) carryTo(play, left, top);
        putDown(play);
        break;
    }
    case BoardKey::Peek:
        if (!keysHold(g)) peek(play);
        break;
    case BoardKey::Raise:
        if (!keysHold(g)) pressFocus(play, true);
        break;
    case BoardKey::Sevens:
        if (!keysHold(g)) setFocus(play, cardId(kSevensColumn, 0));
        break;
    case BoardKey::Tab:
    case BoardKey::BackTab: {
        const int next = cardInReadingOrder(g, focusCard(g), key == BoardKey::Tab);
        if (!keysHold(g) && next != kNoCard) setFocus(play, next);
        break;
    }
    }
    if (found) return;
    g.keyFocus.deadEnds = deadEnds + 1;
    play.events.noCardThatWay();
}

void onKeyRelease(Play &play, BoardKey key) {
    GameState &g = play.g;
    if (key != BoardKey::Peek || !g.keyFocus.peeking) return;
    Play keys = pointerFree(play);
    onRightRelease(keys, 0, 0);
    g.keyFocus.peeking = false;
}

}  // namespace fusefuda
