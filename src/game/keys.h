// Play by keys: a focus card moved by the arrows, and presses, carries,
// peeks and raises on it made with the mouse's own operations, so that a key
// costs, sounds and undoes exactly as the button it stands for.
#pragma once

#include "game/focusmoves.h"
#include "game/play.h"

namespace fusefuda {

enum class BoardKey {
    Up,
    Right,
    Down,
    Left,
    Lift,     // lifts the focus card's group; puts a carried group down
    PutBack,  // carries the group back to where it was lifted and puts it down
    Join,     // puts the carried group down, snapped beside a neighbour near it
    Peek,     // held: looks at the focus card, as the right button does
    Raise,    // brings the focus card's group to the front
    Sevens,   // the focus jumps to the sevens
    Tab,      // the focus to the next card in reading order
    BackTab,  // the focus to the card before it
};

// The modifiers an arrow may come with: a long carry step, or the view pull.
struct KeyModifiers {
    bool longStep = false;
    bool pull = false;
};

// Carry steps in board pixels; the view pull's step.
constexpr int kCarryStep = 4;
constexpr int kLongCarryStep = 32;
constexpr int kPullStep = 64;
// The join key's catch: half a card each way, bounds included. Wider than the
// release's catch square, so that carrying by steps can hit it, yet no
// search: a group far from its place, known or not, only goes down.
constexpr int kJoinReachX = kCardWidth / 2;
constexpr int kJoinReachY = kCardHeight / 2;

void onKeyPress(Play &play, BoardKey key, KeyModifiers modifiers = {});
// Only the peek key acts on its release.
void onKeyRelease(Play &play, BoardKey key);

// The rules for input other than the mouse (keys, fingers): the same
// operations, with the mouse pointer left alone.
Play pointerFree(Play &play);

// Whether the mouse holds something that keys must leave alone, and whether
// a key does, which the mouse must leave alone.
bool mouseHolds(const GameState &g);
bool keysHold(const GameState &g);

// The focus card: the one kept in the record while it is in play, else the
// seven of spades.
int focusCard(const GameState &g);
// Where the carried card goes for its group to join a correct neighbour of a
// member, one not carried, whose place lies within the join key's catch of
// where the card is now. Of several, the nearest; of two as near, the first
// in the join test's walk (rows, columns, then up, right, down, left). False
// when there is none.
bool joinPlace(const GameState &g, int &left, int &top);

}  // namespace fusefuda
