// Mouse input: carrying and joining, the view drag, and the presses that only
// raise a group. Positions are client (window) coordinates.
#pragma once

#include "render/context.h"

namespace fusefuda {

void onLeftPress(Context &ctx, int x, int y, bool shift);
void onLeftRelease(Context &ctx, int x, int y);
void onRightPress(Context &ctx, int x, int y);
void onRightRelease(Context &ctx, int x, int y);
void onMouseMove(Context &ctx, int x, int y);

void pickUp(Context &ctx, int c, int r, int x, int y);
void dropGroup(Context &ctx);
void tryJoin(Context &ctx, int id);

// Lets go of whatever the mouse holds (a carried group, a held peek or raise,
// the view pull) without finishing it, and frees the pointer. For commands
// that put another board in place: the gesture belongs to the old one, and
// its release must find nothing left to drop, count or raise.
void abandonGesture(Context &ctx);

}  // namespace fusefuda
