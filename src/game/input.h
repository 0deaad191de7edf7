// Mouse input: carrying and joining, the view drag, the presses that only
// raise a group, and the card under the pointer. Positions are client
// (window) coordinates.
#pragma once

#include "game/play.h"

namespace fusefuda {

void onLeftPress(Play &play, int x, int y, bool shift);
void onLeftRelease(Play &play, int x, int y);
void onRightPress(Play &play, int x, int y);
void onRightRelease(Play &play, int x, int y);
void onMouseMove(Play &play, int x, int y);

// The presses on a card already found: by the hit test, or named by a key.
// Both refuse what the mouse's press refuses.
void leftPressOn(Play &play, int c, int r, int x, int y, bool shift);
void rightPressOn(Play &play, int c, int r, int x, int y);
bool leftPressAllowed(const GameState &g);
// The view pull of a right press on the bare board, from client (x, y).
void startPanning(Play &play, int x, int y);
bool rightPressAllowed(const GameState &g);

void pickUp(Play &play, int c, int r, int x, int y);
void dropGroup(Play &play);
void tryJoin(Play &play, int id);

// Follows the card under the pointer while nothing is carried: says when the
// pointer leaves the group last shown and which card it is over now.
void trackHover(Play &play, int x, int y);

// Lets go of whatever the mouse holds (a carried group, a held peek or raise,
// the view pull) without finishing it, and frees the pointer. For commands
// that put another board in place: the gesture belongs to the old one, and
// its release must find nothing left to drop, count or raise.
void abandonGesture(Play &play);

}  // namespace fusefuda
