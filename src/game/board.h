// The stacking and layout operations on groups, and the hit test.
#pragma once

#include "game/GameState.h"
#include "game/play.h"

namespace fusefuda {

// Brings card (c, r)'s group to the top of the stack, (c, r) topmost, and
// says so.
void raiseGroup(Play &play, int c, int r);
// The stacking part of raiseGroup alone.
void raiseGroupInStack(GameState &g, int c, int r);
// Lays out anchorId's group so that the anchor lies at (left, top).
void alignGroup(GameState &g, int left, int top, int anchorId);

// Makes the groups of cards a and b one group: every member's row becomes
// the union of the two.
void mergeGroups(GameState &g, int a, int b);

// The topmost card in play whose cell holds window point (x, y); kNoCard if none.
int cardAt(const GameState &g, int x, int y);

}  // namespace fusefuda
